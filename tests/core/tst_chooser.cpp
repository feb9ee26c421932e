// The main window's chooser: drive list, folder list and file list follow
// each other, and the path line follows the folder list.
#include "testing.h"

#include "app/text.h"

#include <gtest/gtest.h>

#include <sys/inotify.h>
#include <unistd.h>

using namespace vornak;
using test::Program;
using test::TempTree;

namespace {

int indexOf(const std::vector<FolderEntry>& list, const std::string& name)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name)
            return static_cast<int>(i);
    return -1;
}

struct Chooser {
    TempTree tree;
    std::string c, d;
    Chooser()
    {
        tree.file("c/games/CAVERN.EXE");
        tree.file("c/games/readme.txt");
        tree.file("c/tools/zip.exe");
        tree.file("c/tools/Bundle.EXE");
        tree.file("d/install/SETUP.EXE");
        c = (tree.root() / "c").string();
        d = (tree.root() / "d").string();
    }
    std::vector<Drive> drives() const { return {{"c: [SYSTEM]", c}, {"d: [DATA]", d}, {"e:", "/nonexistent-e"}}; }
};

}  // namespace

TEST(Chooser, OpeningAFolderUpdatesFilesAndPathLine)
{
    Chooser ch;
    Program p(ch.c + "/games", ch.drives());
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    FileList& file = p.control<FileList>("frmMAIN", "File1");
    Label& path = p.control<Label>("frmMAIN", "Label1");
    EXPECT_EQ(p.control<DriveList>("frmMAIN", "Drive1").drive(), "c: [SYSTEM]");
    EXPECT_EQ(dir.path(), ch.c + "/games");
    EXPECT_EQ(file.items(), (std::vector<std::string>{"CAVERN.EXE"}));
    EXPECT_EQ(path.caption(), "Path: " + ch.c + "/games");

    dir.userOpen(0);  // the drive's root
    EXPECT_EQ(dir.path(), ch.c);
    EXPECT_TRUE(file.items().empty());
    EXPECT_EQ(path.caption(), "Path: " + ch.c);

    dir.userOpen(indexOf(dir.folders(), "tools"));
    EXPECT_EQ(file.path(), ch.c + "/tools");
    EXPECT_EQ(file.items(), (std::vector<std::string>{"Bundle.EXE", "zip.exe"}));
    EXPECT_EQ(path.caption(), "Path: " + ch.c + "/tools");

    // The same folder again: nothing new to list, the path line written anew.
    path.setCaption("");
    dir.userOpen(dir.listIndex());
    EXPECT_EQ(path.caption(), "Path: " + ch.c + "/tools");

    // Opening folders asks no drive for its label, which may mean a disk
    // spun up or a server that does not answer.
    const int listed = p.drives->listed;
    dir.userOpen(0);
    dir.userOpen(indexOf(dir.folders(), "games"));
    EXPECT_EQ(dir.path(), ch.c + "/games");
    EXPECT_EQ(p.drives->listed, listed);
}

TEST(Chooser, PickingADriveUpdatesAllThree)
{
    Chooser ch;
    Program p(ch.c + "/games", ch.drives());
    DriveList& drive = p.control<DriveList>("frmMAIN", "Drive1");
    drive.userSelect(1);
    EXPECT_EQ(drive.drive(), "d: [DATA]");
    EXPECT_EQ(p.control<FolderList>("frmMAIN", "Dir1").path(), ch.d);
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").path(), ch.d);
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.d);
    EXPECT_TRUE(p.ui.messages.empty());
}

TEST(Chooser, ADriveThatIsNotReadyIsReportedAndTheListsStay)
{
    Chooser ch;
    Program p(ch.c + "/games", ch.drives());
    p.drives->notReady = {"/nonexistent-e"};
    DriveList& drive = p.control<DriveList>("frmMAIN", "Drive1");
    drive.userSelect(2);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0], "Run-time error '71':\n\nDisk not ready");
    EXPECT_TRUE(p.shell().running());
    EXPECT_EQ(drive.drive(), "c: [SYSTEM]");
    EXPECT_EQ(drive.listIndex(), 0);
    EXPECT_EQ(p.control<FolderList>("frmMAIN", "Dir1").path(), ch.c + "/games");
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.c + "/games");

    // And the program goes on.
    drive.userSelect(1);
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.d);
}

TEST(Chooser, AFolderThatVanishedIsReportedAndTheListsStay)
{
    Chooser ch;
    Program p(ch.c, ch.drives());
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    const auto before = dir.folders();
    std::filesystem::remove_all(ch.c + "/tools");
    dir.userOpen(indexOf(dir.folders(), "tools"));
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0], "Run-time error '76':\n\nPath not found");
    EXPECT_EQ(dir.path(), ch.c);
    EXPECT_EQ(dir.folders().size(), before.size());
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.c);
}

// A folder that lists as a folder but cannot be read, as permissions do it
// (simulated: the tests may run as root, which reads everything).
class UnreadableFolders : public posix::FileSystem {
public:
    using posix::FileSystem::FileSystem;
    std::string locked;

protected:
    std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) override
    {
        if (folder == locked)
            throw RuntimeError(kPathFileAccessError);
        return posix::FileSystem::entries(folder, dirs, pattern);
    }
};

TEST(Chooser, AFolderThatCannotBeReadIsReported)
{
    Chooser ch;
    const std::filesystem::path oldFolder = std::filesystem::current_path();
    std::filesystem::current_path(ch.c);
    struct Back {
        std::filesystem::path to;
        ~Back() { std::filesystem::current_path(to); }
    } back{oldFolder};
    auto drives = std::make_unique<test::FakeDrives>();
    drives->list = ch.drives();
    UnreadableFolders fs(std::move(drives));
    fs.locked = ch.c + "/games";
    test::RecordingFrontEnd ui;
    Shell shell(forms::catalogue(), ui, fs);
    shell.start();
    FolderList& dir = shell.form("frmMAIN")->get<FolderList>("Dir1");
    dir.userOpen(indexOf(dir.folders(), "games"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Run-time error '75':\n\nPath/File access error");
    EXPECT_EQ(dir.path(), ch.c);
    EXPECT_TRUE(shell.running());
}

TEST(Chooser, UnusualNamesAndLargeFolders)
{
    TempTree tree;
    const std::string names[] = {"Ünïcödé.exe",   "日本語.EXE",      "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d.exe",
                                 "tab\there.exe", "bad\xff\xfe.exe", "new\nline.exe"};
    for (const std::string& n : names)
        tree.file("odd/" + n);
    tree.dir("odd/Ωmega");
    for (int i = 0; i < 3000; ++i)
        tree.file("big/f" + std::to_string(i) + ".exe");
    for (int i = 0; i < 500; ++i)
        tree.dir("big/d" + std::to_string(i));
    // A path far longer than the classic 260 characters.
    std::string deep = "deep";
    while (deep.size() < 1500)
        deep += "/a-rather-long-folder-name-for-testing";
    tree.file(deep + "/LAST.EXE");

    Program p(tree.root() / "odd");
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items().size(), std::size(names));
    EXPECT_NE(indexOf(p.control<FolderList>("frmMAIN", "Dir1").folders(), "Ωmega"), -1);

    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    dir.setPath((tree.root() / "big").string());
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items().size(), 3000u);
    EXPECT_EQ(dir.folders().size() - (dir.listIndex() + 1), 500u);

    dir.setPath((tree.root() / deep).string());
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items(), (std::vector<std::string>{"LAST.EXE"}));
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + (tree.root() / deep).string());
    EXPECT_TRUE(p.ui.messages.empty());
}

// Every path through the program, with a file selected: the file is listed, never opened.
TEST(Chooser, TheChosenFileIsNeverOpened)
{
    TempTree tree;
    const std::filesystem::path game = tree.file("dos/GAME.EXE");
    const int watch = ::inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, game.c_str(), IN_OPEN | IN_ACCESS | IN_MODIFY | IN_ATTRIB), 0);
    {
        Program p(tree.root() / "dos");
        FileList& files = p.control<FileList>("frmMAIN", "File1");
        ASSERT_EQ(files.items(), (std::vector<std::string>{"GAME.EXE"}));
        files.userSelect(0);
        p.click("frmMAIN", "Command3");
        p.click("frmRUN", "Command1");
        p.click("frmMAIN", "Command1");
        p.click("frmSETUP", "HARD_SETUP");
        p.click("frmHARD", "TEST");
        p.click("frmMAIN", "Command2");
        p.form("frmABOUT").userKeyPress('k');
        p.control<FolderList>("frmMAIN", "Dir1").userOpen(0);
        p.form("frmMAIN").userClose();
    }
    char buffer[4096];
    EXPECT_EQ(::read(watch, buffer, sizeof buffer), -1) << "something touched the chosen file";
    EXPECT_EQ(errno, EAGAIN);
    ::close(watch);
}

TEST(Chooser, ADriveWhoseRootIsGoneAndPathsPastTheSystemLimit)
{
    TempTree tree;
    const std::string c = tree.dir("c").string();
    Program p(c, {{"c:", c}, {"f: [GONE]", (tree.root() / "gone").string()}});
    p.control<DriveList>("frmMAIN", "Drive1").userSelect(1);
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_EQ(p.ui.messages[0], "Run-time error '76':\n\nPath not found");
    EXPECT_EQ(p.control<DriveList>("frmMAIN", "Drive1").drive(), "c:");

    // Folders nested deeper than a path may be long: each level opens until
    // the path no longer fits, which is reported; the lists stay put.
    const std::string level(200, 'n');
    std::filesystem::current_path(c);
    int depth = 0;
    for (; depth < 25; ++depth) {
        std::filesystem::create_directory(level);
        std::filesystem::current_path(level);
    }
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    dir.setPath(c);  // list the new folder
    size_t opened = 0;
    while (p.ui.messages.size() == 1 && opened < 30) {
        const std::string before = dir.path();
        dir.userOpen(static_cast<int>(dir.folders().size()) - 1);
        if (p.ui.messages.size() == 1) {
            ASSERT_GT(dir.path().size(), before.size());
            ++opened;
        } else {
            EXPECT_EQ(dir.path(), before);
        }
    }
    ASSERT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(p.ui.messages[1], "Run-time error '76':\n\nPath not found");
    EXPECT_GT(opened, 15u);
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + dir.path());
    EXPECT_TRUE(p.shell().running());
    std::filesystem::current_path(tree.root());
}

namespace {

std::vector<std::string> rows(const FolderList& dir)
{
    std::vector<std::string> out;
    for (const FolderEntry& e : dir.folders())
        out.push_back(e.name + (e.open ? "+" : "-"));
    return out;
}

}  // namespace

// Started inside a folder it may not list: the folder list still shows the
// way up, the error is reported once the window is there, and every level
// above opens.
TEST(Chooser, AStartFolderThatCannotBeListedStillShowsTheWayUp)
{
    Chooser ch;
    Program p(ch.c + "/games", {{"c: [SYSTEM]", ch.c}}, {ch.c + "/games"});
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    EXPECT_EQ(rows(dir), (std::vector<std::string>{ch.c + "+", "games+"}));
    EXPECT_EQ(dir.listIndex(), 1);
    EXPECT_EQ(dir.path(), ch.c + "/games");
    EXPECT_TRUE(p.control<FileList>("frmMAIN", "File1").items().empty());
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.c + "/games");
    ASSERT_EQ(p.ui.messages, std::vector<std::string>{"Run-time error '75':\n\nPath/File access error"});
    const std::vector<std::string> log = p.ui.log;
    const auto shown = std::find(log.begin(), log.end(), "show frmMAIN first");
    EXPECT_LT(shown - log.begin(), std::find(log.begin(), log.end(), "message") - log.begin());

    dir.userOpen(0);
    EXPECT_EQ(dir.path(), ch.c);
    EXPECT_EQ(rows(dir), (std::vector<std::string>{ch.c + "+", "games-", "tools-"}));
    // Going back into it reports it again and leaves the lists alone.
    dir.userOpen(1);
    EXPECT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(dir.path(), ch.c);
    dir.userOpen(2);
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items(), (std::vector<std::string>{"Bundle.EXE", "zip.exe"}));
}

// Started in a folder that no drive holds (a network share on Windows):
// the folder list shows it from its own root, no drive is shown as chosen,
// and picking any drive opens it.
TEST(Chooser, AStartFolderOnNoDriveIsListedFromItsOwnRoot)
{
    Chooser ch;
    ch.tree.file("share/games/NET.EXE");
    const std::string games = (ch.tree.root() / "share/games").string();
    Program p(games, ch.drives());
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    DriveList& drive = p.control<DriveList>("frmMAIN", "Drive1");
    EXPECT_EQ(dir.folders().front().name, "/");
    EXPECT_EQ(dir.folders().back().name, "games");
    EXPECT_EQ(dir.path(), games);
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items(), std::vector<std::string>{"NET.EXE"});
    EXPECT_EQ(drive.drive(), "");
    EXPECT_EQ(drive.listIndex(), -1);
    EXPECT_TRUE(p.ui.messages.empty());

    drive.userSelect(0);
    EXPECT_EQ(drive.drive(), "c: [SYSTEM]");
    EXPECT_EQ(dir.path(), ch.c);
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.c);
}

namespace {

// The current folder as the system gives it: a path without a root, as
// Wine gives a folder outside every drive of a prefix that has no drive
// Z:, or none at all when it has gone.
class GivenCurrentFolder : public posix::FileSystem {
public:
    using posix::FileSystem::FileSystem;
    std::optional<std::string> given;
    std::string currentFolder() override
    {
        if (!given)
            throw RuntimeError(kPathNotFound);
        return *given;
    }
};

}  // namespace

// A current folder that cannot be used is reported once the window is
// there, and the lists open at the first drive's root, shown as chosen;
// every row and every drive opens.
TEST(Chooser, AStartFolderThatNoListCanShowIsReportedAndTheListsOpenOnTheFirstDrive)
{
    for (const std::optional<std::string>& given :
         {std::optional<std::string>("unix/tmp/games"), std::optional<std::string>()}) {
        SCOPED_TRACE(given.value_or("(gone)"));
        Chooser ch;
        auto drives = std::make_unique<test::FakeDrives>();
        drives->list = ch.drives();
        GivenCurrentFolder fs(std::move(drives));
        fs.given = given;
        test::RecordingFrontEnd ui;
        Shell shell(forms::catalogue(), ui, fs);
        shell.start();
        Form& main = *shell.form("frmMAIN");
        FolderList& dir = main.get<FolderList>("Dir1");
        DriveList& drive = main.get<DriveList>("Drive1");
        EXPECT_EQ(ui.messages, std::vector<std::string>{"Run-time error '76':\n\nPath not found"});
        EXPECT_LT(std::find(ui.log.begin(), ui.log.end(), "show frmMAIN first") - ui.log.begin(),
                  std::find(ui.log.begin(), ui.log.end(), "message") - ui.log.begin());
        EXPECT_EQ(rows(dir), (std::vector<std::string>{ch.c + "+", "games-", "tools-"}));
        EXPECT_EQ(drive.drive(), "c: [SYSTEM]");
        EXPECT_EQ(drive.listIndex(), 0);
        EXPECT_EQ(main.get<Label>("Label1").caption(), "Path: " + ch.c);
        EXPECT_TRUE(shell.running());

        dir.userOpen(1);
        EXPECT_EQ(main.get<FileList>("File1").items(), std::vector<std::string>{"CAVERN.EXE"});
        dir.userOpen(0);
        EXPECT_EQ(dir.path(), ch.c);
        drive.userSelect(1);
        EXPECT_EQ(dir.path(), ch.d);
        EXPECT_EQ(ui.messages.size(), 1u);
    }
}

// On POSIX systems a drive's text is its root's path. A row opens the folder
// it shows: the root row the root, not the drive's current folder; and the
// file list follows the folder list there.
TEST(Chooser, TheRootRowOpensTheRootEvenWhenItReadsLikeADrive)
{
    Chooser ch;
    Program p(ch.c + "/games", {{ch.c, ch.c}, {ch.d, ch.d}});
    p.drives->current[ch.c] = ch.c + "/games";
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    FileList& file = p.control<FileList>("frmMAIN", "File1");
    dir.userOpen(0);
    EXPECT_EQ(dir.path(), ch.c);
    EXPECT_EQ(file.path(), ch.c);
    EXPECT_TRUE(file.items().empty());
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.c);

    // Picking a drive still opens its current folder.
    DriveList& drive = p.control<DriveList>("frmMAIN", "Drive1");
    drive.userSelect(1);
    EXPECT_EQ(dir.path(), ch.d);
    drive.userSelect(0);
    EXPECT_EQ(dir.path(), ch.c + "/games");
    EXPECT_EQ(file.items(), (std::vector<std::string>{"CAVERN.EXE"}));
    EXPECT_TRUE(p.ui.messages.empty());
}

// A drive whose current folder cannot be listed opens at its root, so that
// it can still be reached from the drive list.
TEST(Chooser, ADriveWhoseCurrentFolderCannotBeListedOpensAtItsRoot)
{
    Chooser ch;
    Program p(ch.d, {{"c: [SYSTEM]", ch.c}, {"d: [DATA]", ch.d}}, {ch.c + "/games"});
    p.drives->current[ch.c] = ch.c + "/games";
    p.control<DriveList>("frmMAIN", "Drive1").userSelect(0);
    EXPECT_EQ(p.control<FolderList>("frmMAIN", "Dir1").path(), ch.c);
    EXPECT_EQ(p.control<DriveList>("frmMAIN", "Drive1").drive(), "c: [SYSTEM]");
    EXPECT_TRUE(p.ui.messages.empty());

    // One whose root cannot be listed either is reported, and the lists go back.
    p.fileSystem().locked.push_back(ch.d);
    p.control<DriveList>("frmMAIN", "Drive1").userSelect(1);
    EXPECT_EQ(p.ui.messages, std::vector<std::string>{"Run-time error '75':\n\nPath/File access error"});
    EXPECT_EQ(p.control<DriveList>("frmMAIN", "Drive1").drive(), "c: [SYSTEM]");
    EXPECT_EQ(p.control<FolderList>("frmMAIN", "Dir1").path(), ch.c);
}

// A volume unmounted while the program runs leaves an empty mount point
// behind: neither picking the drive again nor a row of its list may show
// that as the drive.
TEST(Chooser, ADriveThatWentAwayIsDeviceUnavailable)
{
    Chooser ch;
    Program p(ch.c + "/games", {{"c: [SYSTEM]", ch.c}, {"d: [STICK]", ch.d}});
    p.drives->current[ch.c] = ch.c + "/games";
    DriveList& drive = p.control<DriveList>("frmMAIN", "Drive1");
    FolderList& dir = p.control<FolderList>("frmMAIN", "Dir1");
    drive.userSelect(1);
    dir.userOpen(1);  // install
    ASSERT_EQ(dir.path(), ch.d + "/install");
    p.drives->list.pop_back();  // unmounted

    dir.userOpen(0);
    ASSERT_EQ(p.ui.messages, std::vector<std::string>{"Run-time error '68':\n\nDevice unavailable"});
    EXPECT_EQ(dir.path(), ch.d + "/install");
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items(), (std::vector<std::string>{"SETUP.EXE"}));

    drive.userSelect(0);
    EXPECT_EQ(dir.path(), ch.c + "/games");
    drive.userSelect(1);
    ASSERT_EQ(p.ui.messages.size(), 2u);
    EXPECT_EQ(p.ui.messages[1], "Run-time error '68':\n\nDevice unavailable");
    EXPECT_EQ(drive.drive(), "c: [SYSTEM]");
    EXPECT_EQ(dir.path(), ch.c + "/games");
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + ch.c + "/games");

    // Mounted again, it opens as before.
    p.drives->list.push_back({"d: [STICK]", ch.d});
    drive.userSelect(1);
    EXPECT_EQ(dir.path(), ch.d);
    EXPECT_EQ(p.ui.messages.size(), 2u);
}

// A name holding bidirectional formatting characters is shown with each of
// them written out, so that nothing is reordered; everything else, valid
// UTF-8 or not, is shown as stored.
TEST(Chooser, BidiControlsInNamesAreShownWrittenOut)
{
    EXPECT_EQ(shownText("SETUP.EXE"), "SETUP.EXE");
    EXPECT_EQ(shownText("holiday\u202Egnp.EXE"), "holiday<U+202E>gnp.EXE");
    const char32_t controls[] = {0x061C, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C,
                                 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069};
    for (const char32_t c : controls) {
        std::string utf8;
        if (c < 0x800) {
            utf8 = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
        } else {
            utf8 = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                    static_cast<char>(0x80 | (c & 0x3F))};
        }
        char expected[32];
        std::snprintf(expected, sizeof expected, "a<U+%04X>b", static_cast<unsigned>(c));
        EXPECT_EQ(shownText("a" + utf8 + "b"), expected);
    }
    // Neighbours of the controls, right-to-left letters and broken UTF-8
    // stay as they are.
    for (const std::string same : {"\u2010\u202F\u2065\u206A\u061B", "\u05E9\u05DC\u05D5\u05DD.exe", "bad\xff\xfe.exe",
                                   "cut\xe2\x80", "cut\xd8"})
        EXPECT_EQ(shownText(same), same);
    EXPECT_EQ(shownText("bad\xff\u202E\xfe"), "bad\xff<U+202E>\xfe");
    EXPECT_EQ(shownText("\u202E\u202E"), "<U+202E><U+202E>");

    // The lists keep the names as stored; showing them is the front end's.
    TempTree tree;
    tree.file("odd/holiday\u202Egnp.EXE");
    Program p(tree.root() / "odd");
    EXPECT_EQ(p.control<FileList>("frmMAIN", "File1").items(), std::vector<std::string>{"holiday\u202Egnp.EXE"});
}
