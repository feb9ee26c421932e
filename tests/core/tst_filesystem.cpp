// The listings behind the drive, folder and file lists, on real folders.
#include "testing.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/sysmacros.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace vornak;
using test::TempTree;

TEST(Listing, PatternsMatchWithoutCaseAndSortWithoutCase)
{
    EXPECT_TRUE(matchesPattern("SETUP.EXE", "*.EXE"));
    EXPECT_TRUE(matchesPattern("game.exe", "*.EXE"));
    EXPECT_TRUE(matchesPattern(".exe", "*.EXE"));
    EXPECT_FALSE(matchesPattern("game.exe.bak", "*.EXE"));
    EXPECT_FALSE(matchesPattern("gameexe", "*.EXE"));
    EXPECT_TRUE(matchesPattern("a.b.c.exe", "*.EXE"));
    EXPECT_TRUE(matchesPattern("x1.com", "*.EXE;x?.COM"));
    EXPECT_FALSE(matchesPattern("x12.com", "*.EXE;x?.COM"));
    EXPECT_TRUE(matchesPattern("anything", "*"));
    EXPECT_FALSE(matchesPattern("anything", ""));

    std::vector<std::string> names{"b.EXE", "A.exe", "a.EXE", "C.exe", "_.exe"};
    std::sort(names.begin(), names.end(), lessNoCase);
    EXPECT_EQ(names, (std::vector<std::string>{"_.exe", "A.exe", "a.EXE", "b.EXE", "C.exe"}));
}

TEST(Listing, OnlyPlainMatchingVisibleFiles)
{
    TempTree tree;
    tree.file("dos/Game.EXE");
    tree.file("dos/setup.exe");
    tree.file("dos/readme.txt");
    tree.file("dos/.hidden.exe");
    tree.dir("dos/folder.exe");
    tree.dir("dos/Sub");
    tree.dir("dos/.git");
    ASSERT_EQ(::mkfifo((tree.root() / "dos/pipe.exe").c_str(), 0600), 0);
    std::filesystem::create_symlink("Game.EXE", tree.root() / "dos/link.exe");
    std::filesystem::create_symlink("nowhere.exe", tree.root() / "dos/dangling.exe");
    std::filesystem::create_symlink("loop.exe", tree.root() / "dos/loop.exe");
    // A socket among the files.
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const std::string sock = (tree.root() / "dos/sock.exe").string();
    ASSERT_LT(sock.size(), sizeof addr.sun_path);
    std::copy(sock.begin(), sock.end(), addr.sun_path);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

    posix::FileSystem fs(std::make_unique<test::FakeDrives>());
    EXPECT_EQ(fs.fileList((tree.root() / "dos").string(), "*.EXE"),
              (std::vector<std::string>{"Game.EXE", "link.exe", "setup.exe"}));
    ::close(s);
}

TEST(Listing, FolderListShowsAncestryThenSubfolders)
{
    TempTree tree;
    tree.dir("c/games/marble");
    tree.dir("c/games/Rumble");
    tree.dir("c/games/abc");
    tree.file("c/games/file.exe");
    std::filesystem::create_symlink("games", tree.root() / "c/games/loop");  // dangling inside games
    std::filesystem::create_symlink(".", tree.root() / "c/games/self");      // a folder again

    auto drives = std::make_unique<test::FakeDrives>();
    const std::string c = (tree.root() / "c").string();
    drives->list = {{"c:", c}};
    posix::FileSystem fs(std::move(drives));
    const auto list = fs.folderList(c + "/games");
    std::vector<std::string> names;
    names.reserve(list.size());
    for (const FolderEntry& e : list)
        names.push_back(e.name + (e.open ? "+" : "-") + std::to_string(e.level));
    EXPECT_EQ(names, (std::vector<std::string>{c + "+0", "games+1", "abc-2", "marble-2", "Rumble-2", "self-2"}));
    EXPECT_EQ(list[1].path, c + "/games");
    EXPECT_EQ(list[3].path, c + "/games/marble");
    EXPECT_EQ(fs.folderList(c).size(), 2u);  // the root and "games"
}

TEST(Listing, ResolvingFoldersAndDrives)
{
    TempTree tree;
    tree.dir("c/a/b");
    tree.file("c/a/file");
    auto drives = std::make_unique<test::FakeDrives>();
    test::FakeDrives* d = drives.get();
    const std::string c = (tree.root() / "c").string();
    d->list = {{"c: [SYSTEM]", c}, {"a:", "/nonexistent-floppy"}};
    d->notReady = {"/nonexistent-floppy"};
    posix::FileSystem fs(std::move(drives));

    EXPECT_EQ(fs.resolveFolder(c + "/a/b/../b/"), c + "/a/b");
    EXPECT_EQ(fs.resolveFolder("c: [SYSTEM]"), c);
    EXPECT_EQ(fs.driveOf(c + "/a/b")->text, "c: [SYSTEM]");
    EXPECT_FALSE(fs.driveOf(tree.root().string()));  // on no drive
    auto errorOf = [&](const std::string& path) {
        try {
            fs.resolveFolder(path);
        } catch (const RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(errorOf("a:"), kDiskNotReady);
    EXPECT_EQ(errorOf(c + "/missing"), kPathNotFound);
    EXPECT_EQ(errorOf(c + "/a/file"), kPathNotFound);
    EXPECT_EQ(errorOf(""), kPathNotFound);
}

TEST(Listing, MountTableGivesTheDrivesAUserWouldSee)
{
    const std::string table =
        "/dev/vda1 / ext4 rw 0 0\n"
        "proc /proc proc rw 0 0\n"
        "/dev/vda2 /home ext4 rw 0 0\n"
        "tmpfs /run tmpfs rw 0 0\n"
        "/dev/sdb1 /media/user/MY\\040STICK vfat rw 0 0\n"
        "/dev/sr0 /run/media/user/CDROM iso9660 ro 0 0\n"
        "/dev/sdc1 /mnt/backup ext4 rw 0 0\n"
        "/dev/sdc1 /mnt/backup ext4 rw 0 0\n"
        "garbage\n"
        "overlay /var/lib/docker/x overlay rw 0 0\n";
    std::vector<std::string> roots;
    for (const Drive& d : posix::drivesFromMountTable(table))
        roots.push_back(d.root);
    EXPECT_EQ(roots,
              (std::vector<std::string>{"/", "/home", "/media/user/MY STICK", "/mnt/backup", "/run/media/user/CDROM"}));
}

TEST(Listing, HugeFolders)
{
    TempTree tree;
    const std::filesystem::path big = tree.dir("big");
    for (int i = 0; i < 100000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "%s%06d.%s", i % 10 ? "data" : "PROG", i, i % 10 ? "dat" : "exe");
        FILE* f = std::fopen((big / name).c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    for (int i = 0; i < 10000; ++i)
        std::filesystem::create_directory(big / ("dir" + std::to_string(i)));

    posix::FileSystem fs(std::make_unique<test::FakeDrives>());
    const std::vector<std::string> files = fs.fileList(big.string(), "*.EXE");
    ASSERT_EQ(files.size(), 10000u);
    EXPECT_EQ(files.front(), "PROG000000.exe");
    EXPECT_EQ(files.back(), "PROG099990.exe");
    const std::vector<FolderEntry> folders = fs.folderList(big.string());
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(), [](const FolderEntry& e) { return !e.open; }), 10000);
}

// A device node is neither a folder nor a file to list. Making one needs
// privileges the tests may not have.
TEST(Listing, DeviceNodesAreNotListed)
{
    TempTree tree;
    const std::filesystem::path dev = tree.dir("dev");
    if (::mknod((dev / "null.exe").c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0)
        GTEST_SKIP() << "no privilege to make a device node";
    tree.file("dev/real.exe");
    posix::FileSystem fs(std::make_unique<test::FakeDrives>());
    EXPECT_EQ(fs.fileList(dev.string(), "*.EXE"), (std::vector<std::string>{"real.exe"}));
    EXPECT_EQ(fs.folderList(dev.string()).size(), fs.ancestry(dev.string()).size());
}
