// The page's built-in drives: a floppy and a CD drive with no disk, and a
// hard disk whose folders list as any drive's do, every one of them reached
// through the chooser the way the page reaches it.
#include "platform/web/webfilesystem.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <set>

using namespace vornak;

namespace {

int errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(WebDrives, FloppyAndCdAreNotReadyAndTheHardDiskLists)
{
    web::FileSystem fs;
    std::vector<std::string> texts;
    for (const Drive& d : fs.drives())
        texts.push_back(d.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"a:", "c: [HARDDISK]", "d:"}));
    EXPECT_EQ(errorOf([&] { fs.resolveFolder("a:"); }), kDiskNotReady);
    EXPECT_EQ(errorOf([&] { fs.resolveFolder("d:"); }), kDiskNotReady);
    EXPECT_EQ(errorOf([&] { fs.folderPath("A:\\"); }), kDiskNotReady);
    EXPECT_EQ(fs.resolveFolder("c: [HARDDISK]"), "C:\\VORNAK1");
    EXPECT_EQ(fs.fileList("C:\\VORNAK1", "*.EXE"), (std::vector<std::string>{"VORNAK1.EXE"}));
    EXPECT_EQ(fs.fileList("c:\\games\\kartzone", "*.EXE"), (std::vector<std::string>{"INSTALL.EXE", "KARTZONE.EXE"}));
    EXPECT_EQ(errorOf([&] { fs.folderPath("C:\\GAMES\\NOWHERE"); }), kPathNotFound);
    EXPECT_EQ(errorOf([&] { fs.folderPath("C:\\GAMES\\KARTZONE\\KARTZONE.EXE"); }), kPathNotFound);

    std::vector<std::string> names;
    for (const FolderEntry& e : fs.folderList("C:\\GAMES"))
        names.push_back(e.name + (e.open ? "+" : "-"));
    EXPECT_EQ(names, (std::vector<std::string>{"C:\\+", "GAMES+", "ASTRORUN-", "DUNGEONX-", "KARTZONE-", "PINBALL7-",
                                               "ROBOBRWL-", "SKYPILOT-"}));
    // Folders with nothing but folders, and empty ones, are folders too.
    EXPECT_EQ(fs.fileList("C:\\TEMP", "*.EXE"), std::vector<std::string>{});
    EXPECT_EQ(fs.folderList("C:\\GAMES\\KARTZONE").back().name, "TRACKS");
}

// Every folder of the tree opens, and every program in it is listed once,
// walking from the root as the user would.
TEST(WebDrives, EveryFolderOpensAndEveryProgramIsListed)
{
    web::FileSystem fs;
    std::set<std::string> programs, wanted;
    for (const std::string& path : web::builtInTree())
        if (path.size() > 4 && path.compare(path.size() - 4, 4, ".EXE") == 0)
            wanted.insert("C:\\" + path);
    std::vector<std::string> folders{"C:\\"};
    size_t opened = 0;
    while (!folders.empty()) {
        const std::string folder = folders.back();
        folders.pop_back();
        ++opened;
        for (const std::string& f : fs.fileList(folder, "*.EXE"))
            EXPECT_TRUE(programs.insert(joinPath(folder, f, PathStyle::Dos)).second) << f << " twice";
        for (const FolderEntry& e : fs.folderList(folder))
            if (!e.open)
                folders.push_back(e.path);
    }
    EXPECT_EQ(programs, wanted);
    EXPECT_GT(opened, 20u);
}
