// The drive, folder and file lists on real folders: following each other,
// paths past the old limit of 260 characters, and drives and folders that
// go away.
#include "support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace vornak::test {

namespace {

// Names holding bidirectional formatting characters show them written out,
// in the lists and the path line.
void bidiControlsWrittenOut(App& app, const std::string& root)
{
    HWND files = app.control("frmMAIN", "File1");
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND path = app.control("frmMAIN", "Label1");
    const std::wstring odd = win32::widen(root) + L"\\odd\x2067";
    CreateDirectoryW(odd.c_str(), nullptr);
    HANDLE made = CreateFileW((odd + L"\\holiday\x202Egnp.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    if (made != INVALID_HANDLE_VALUE)
        CloseHandle(made);
    app.form("frmMAIN").get<FolderList>("Dir1").setPath(win32::narrow(odd));
    app.drain();
    CHECK(listItems(files) == std::vector<std::string>{"holiday<U+202E>gnp.EXE"});
    CHECK_EQ(listItems(dirs).back(), std::string("odd<U+2067>"));
    CHECK_EQ(text(path), "Path: " + root + "\\odd<U+2067>");
    DeleteFileW((odd + L"\\holiday\x202Egnp.EXE").c_str());
    RemoveDirectoryW(odd.c_str());
    app.form("frmMAIN").get<FolderList>("Dir1").setPath(root);
    app.drain();
}

// The open folder is the selected entry, with the mark of an open folder,
// and its subfolders follow; the drive list shows its drive the classic way.
void listsShowTheFolder(App& app, const std::string& root)
{
    HWND dirs = app.control("frmMAIN", "Dir1");
    const std::vector<std::string> folders = listItems(dirs);
    CHECK(folders.size() >= 3);
    CHECK_EQ(folders.front(), root.substr(0, 3));
    if (folders.size() >= 2) {
        CHECK_EQ(folders[folders.size() - 2], std::string("Alpha"));
        CHECK_EQ(folders.back(), std::string("beta"));
    }
    const int open = static_cast<int>(SendMessageW(dirs, LB_GETCURSEL, 0, 0));
    CHECK(open >= 0 && open < static_cast<int>(folders.size()));
    if (open >= 0 && open < static_cast<int>(folders.size()))
        CHECK_EQ(folders[static_cast<size_t>(open)], root.substr(root.rfind('\\') + 1));
    CHECK((SendMessageW(dirs, LB_GETITEMDATA, static_cast<WPARAM>(open), 0) & 0x10000) != 0);
    CHECK((SendMessageW(dirs, LB_GETITEMDATA, folders.size() - 1, 0) & 0x10000) == 0);
    HWND drives = app.control("frmMAIN", "Drive1");
    const std::vector<std::string> driveTexts = listItems(drives, true);
    const int drive = static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0));
    CHECK(drive >= 0 && drive < static_cast<int>(driveTexts.size()));
    if (drive >= 0 && drive < static_cast<int>(driveTexts.size()))
        CHECK_EQ(driveTexts[static_cast<size_t>(drive)].substr(0, 2),
                 std::string(1, static_cast<char>(std::tolower(root[0]))) + ":");
}

// Double-clicking a subfolder opens it, picking a file selects it in the
// core, and the parent opens again.
void intoASubfolderAndBack(App& app, const std::string& root)
{
    HWND files = app.control("frmMAIN", "File1");
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND path = app.control("frmMAIN", "Label1");
    SendMessageW(dirs, LB_SETCURSEL, listItems(dirs).size() - 2, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(text(path), "Path: " + root + "\\Alpha");
    CHECK(listItems(files) == std::vector<std::string>{"inner.exe"});
    CHECK_EQ(listItems(dirs).back(), std::string("Alpha"));
    SendMessageW(files, LB_SETCURSEL, 0, 0);
    notify(files, LBN_SELCHANGE);
    CHECK_EQ(app.form("frmMAIN").get<FileList>("File1").listIndex(), 0);
    SendMessageW(dirs, LB_SETCURSEL, listItems(dirs).size() - 2, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(text(path), "Path: " + root);
    CHECK(listItems(files) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
}

// Another drive (Wine's z:, the Unix root) opens at its current folder.
void anotherDrive(App& app)
{
    HWND drives = app.control("frmMAIN", "Drive1");
    const std::vector<std::string> driveTexts = listItems(drives, true);
    const int drive = static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0));
    int other = -1;
    for (size_t i = 0; i < driveTexts.size(); ++i)
        if (static_cast<int>(i) != drive && driveTexts[i].rfind("z:", 0) == 0)
            other = static_cast<int>(i);
    CHECK(other >= 0);
    if (other < 0)
        return;
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(other), 0);
    notify(drives, CBN_SELCHANGE);
    app.drain();
    CHECK_EQ(listItems(app.control("frmMAIN", "Dir1")).front(), std::string("Z:\\"));
    CHECK_EQ(text(app.control("frmMAIN", "Label1")).substr(0, 9), std::string("Path: Z:\\"));
}

void theChooserFollowsTheFolders()
{
    TreeAsCurrentFolder tree;
    App app;
    CHECK_EQ(text(app.control("frmMAIN", "Label1")), "Path: " + tree.root);
    CHECK(listItems(app.control("frmMAIN", "File1")) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
    bidiControlsWrittenOut(app, tree.root);
    listsShowTheFolder(app, tree.root);
    intoASubfolderAndBack(app, tree.root);
    anotherDrive(app);
    CHECK(app.fe.messages.empty());
    for (const std::string& m : app.fe.messages)
        std::printf("  message: %s\n", m.c_str());
}

std::wstring extended(const std::wstring& path)
{
    return L"\\\\?\\" + path;
}

// Levels of 40 characters below a folder, until the path passes 1000, and
// DEEP.EXE in the deepest; removed again afterwards.
struct DeepFolders {
    std::vector<std::string> levels;
    std::wstring deepest;
    bool made = true;

    explicit DeepFolders(const std::string& root) : deepest(win32::widen(root))
    {
        while (deepest.size() <= 1000 && made) {
            char name[64];
            std::snprintf(name, sizeof name, "level-%02d-long-folder-name-for-the-list",
                          static_cast<int>(levels.size()));
            levels.emplace_back(name);
            deepest += L"\\" + win32::widen(name);
            made = CreateDirectoryW(extended(deepest).c_str(), nullptr) != 0;
        }
        HANDLE exe = CreateFileW(extended(deepest + L"\\DEEP.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                                 nullptr);
        made = made && exe != INVALID_HANDLE_VALUE;
        if (exe != INVALID_HANDLE_VALUE)
            CloseHandle(exe);
    }
    ~DeepFolders()
    {
        DeleteFileW(extended(deepest + L"\\DEEP.EXE").c_str());
        std::wstring p = deepest;
        for (size_t i = 0; i < levels.size(); ++i) {
            RemoveDirectoryW(extended(p).c_str());
            p.resize(p.rfind(L'\\'));
        }
    }
};

// Opens level i of the deep folders from the folder above it; false when
// it is not listed or the program reports that it cannot be opened, in
// which case the lists must be where they were.
bool openLevel(App& app, const DeepFolders& deep, size_t i, std::string& folder)
{
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND files = app.control("frmMAIN", "File1");
    HWND path = app.control("frmMAIN", "Label1");
    const std::vector<std::string> before = listItems(dirs), filesBefore = listItems(files);
    const std::string pathBefore = text(path);
    int at = -1;
    for (size_t k = 0; k < before.size(); ++k)
        if (before[k] == deep.levels[i] && (SendMessageW(dirs, LB_GETITEMDATA, k, 0) & 0x10000) == 0)
            at = static_cast<int>(k);
    check(at >= 0, "level " + std::to_string(i) + " is listed below " + folder, __LINE__);
    if (at < 0)
        return false;
    SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    if (!app.fe.messages.empty()) {
        // The program's own report, and the lists where they were.
        const std::string& m = app.fe.messages.back();
        std::printf("  level %d (%d characters): %s\n", static_cast<int>(i),
                    static_cast<int>(folder.size() + deep.levels[i].size() + 1), m.c_str());
        CHECK(m == "Run-time error '76':\n\nPath not found" || m == "Run-time error '75':\n\nPath/File access error");
        CHECK(listItems(dirs) == before);
        CHECK_EQ(text(path), pathBefore);
        CHECK(listItems(files) == filesBefore);
        return false;
    }
    folder += "\\" + deep.levels[i];
    return true;
}

// What the lists show once level i is open.
void levelShown(App& app, const DeepFolders& deep, size_t i, const std::string& folder)
{
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND files = app.control("frmMAIN", "File1");
    CHECK_EQ(text(app.control("frmMAIN", "Label1")), "Path: " + folder);
    CHECK_EQ(app.form("frmMAIN").get<FolderList>("Dir1").path(), folder);
    const std::vector<std::string> now = listItems(dirs);
    const int open = static_cast<int>(SendMessageW(dirs, LB_GETCURSEL, 0, 0));
    CHECK(open >= 0 && open < static_cast<int>(now.size()) && now[static_cast<size_t>(open)] == deep.levels[i]);
    if (i + 1 < deep.levels.size()) {
        CHECK(!now.empty() && now.back() == deep.levels[i + 1]);
        CHECK(listItems(files).empty());
    } else {
        CHECK(!now.empty() && now.back() == deep.levels[i]);
        CHECK(listItems(files) == std::vector<std::string>{"DEEP.EXE"});
    }
}

void pathsLongerThan260()
{
    TreeAsCurrentFolder tree;
    const DeepFolders deep(tree.root);
    CHECK(deep.made);
    std::printf("  deepest folder: %d characters, %d levels\n", static_cast<int>(deep.deepest.size()),
                static_cast<int>(deep.levels.size()));
    App app;
    std::string folder = tree.root;
    size_t reached = 0;
    while (deep.made && reached < deep.levels.size() && openLevel(app, deep, reached, folder))
        levelShown(app, deep, reached++, folder);
    std::printf("  opened %d of %d levels, down to %d characters\n", static_cast<int>(reached),
                static_cast<int>(deep.levels.size()), static_cast<int>(folder.size()));
    // The program lists every level: the deepest folder passes 1000.
    CHECK_EQ(reached, deep.levels.size());
    CHECK(app.fe.messages.empty());
    // And goes on: back to the tree's root through the ancestry.
    HWND dirs = app.control("frmMAIN", "Dir1");
    const std::vector<std::string> list = listItems(dirs);
    for (size_t k = 0; k < list.size(); ++k)
        if (list[k] == tree.root.substr(tree.root.rfind('\\') + 1)) {
            SendMessageW(dirs, LB_SETCURSEL, k, 0);
            notify(dirs, LBN_DBLCLK);
        }
    app.drain();
    CHECK_EQ(text(app.control("frmMAIN", "Label1")), "Path: " + tree.root);
    CHECK(listItems(app.control("frmMAIN", "File1")) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
    CHECK(app.shell->running());
}

// tools/run-under-wine.sh --spare-drive maps a drive letter of the prefix
// to a folder of its own, and says which in VORNAK_SPARE_DRIVE (the letter
// and a colon) and VORNAK_SPARE_DRIVE_FOLDER (the folder, through Z:).
void pickDrive(App& app, int index)
{
    HWND drives = app.control("frmMAIN", "Drive1");
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    notify(drives, CBN_SELCHANGE);
    app.drain();
}

// Picking a drive that has gone is an error; the drive list shows the drive
// it showed, the lists are untouched, and the program goes on.
void aVanishedDriveIsRefused(App& app, const std::string& root, int spare, int home)
{
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND files = app.control("frmMAIN", "File1");
    HWND path = app.control("frmMAIN", "Label1");
    const std::vector<std::string> dirsBefore = listItems(dirs);
    const std::vector<std::string> filesBefore = listItems(files);
    pickDrive(app, spare);
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
    if (!app.fe.messages.empty()) {
        const std::string& m = app.fe.messages.back();
        std::printf("  picking the vanished drive: %s\n", m.c_str());
        CHECK(m == "Run-time error '68':\n\nDevice unavailable" || m == "Run-time error '71':\n\nDisk not ready"
              || m == "Run-time error '76':\n\nPath not found");
    }
    CHECK_EQ(static_cast<int>(SendMessageW(app.control("frmMAIN", "Drive1"), CB_GETCURSEL, 0, 0)), home);
    CHECK_EQ(app.form("frmMAIN").get<DriveList>("Drive1").listIndex(), home);
    CHECK_EQ(text(path), "Path: " + root);
    CHECK(listItems(dirs) == dirsBefore);
    CHECK(listItems(files) == filesBefore);
    CHECK(app.shell->running());
    SendMessageW(dirs, LB_SETCURSEL, dirsBefore.size() - 2, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(text(path), "Path: " + root + "\\Alpha");
    CHECK(listItems(files) == std::vector<std::string>{"inner.exe"});
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
}

void aDriveThatVanishes()
{
    const std::string letter = environment("VORNAK_SPARE_DRIVE");
    const std::string folder = environment("VORNAK_SPARE_DRIVE_FOLDER");
    if (letter.empty() || folder.empty()) {
        std::printf("  skipped: no spare drive (tools/run-under-wine.sh --spare-drive)\n");
        return;
    }
    TreeAsCurrentFolder tree;
    App app;
    HWND drives = app.control("frmMAIN", "Drive1");
    const int spare = indexOf(listItems(drives, true), letter);
    const int home = static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0));
    check(spare >= 0, letter + " is in the drive list", __LINE__);
    if (spare < 0)
        return;
    std::string upper = letter;
    upper[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[0])));
    // While its folder is there the drive opens at its root.
    pickDrive(app, spare);
    CHECK_EQ(text(app.control("frmMAIN", "Label1")), "Path: " + upper + "\\");
    pickDrive(app, home);
    CHECK_EQ(text(app.control("frmMAIN", "Label1")), "Path: " + tree.root);
    CHECK(app.fe.messages.empty());
    // The folder goes: the drive is still listed, and picking it is an error.
    CHECK(RemoveDirectoryW(win32::widen(folder).c_str()));
    aVanishedDriveIsRefused(app, tree.root, spare, home);
    CreateDirectoryW(win32::widen(folder).c_str(), nullptr);  // for the script to remove
}

void aFolderDeletedWhileListed()
{
    TreeAsCurrentFolder tree;
    App app;
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND files = app.control("frmMAIN", "File1");
    HWND path = app.control("frmMAIN", "Label1");
    const std::vector<std::string> before = listItems(dirs);
    CHECK(!before.empty() && before.back() == "beta");
    CHECK(RemoveDirectoryW(win32::widen(tree.root + "\\beta").c_str()));
    SendMessageW(dirs, LB_SETCURSEL, before.size() - 1, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
    if (!app.fe.messages.empty())
        CHECK_EQ(app.fe.messages.back(), std::string("Run-time error '76':\n\nPath not found"));
    CHECK(listItems(dirs) == before);
    CHECK_EQ(text(path), "Path: " + tree.root);
    CHECK(listItems(files) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
    CHECK_EQ(app.form("frmMAIN").get<FolderList>("Dir1").path(), tree.root);
    // The program goes on: a folder that is there opens.
    SendMessageW(dirs, LB_SETCURSEL, before.size() - 2, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(text(path), "Path: " + tree.root + "\\Alpha");
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
}


// The rows of the folder list that are empty, which open nothing.
int emptyRows(const std::vector<std::string>& rows)
{
    return static_cast<int>(std::count(rows.begin(), rows.end(), std::string()));
}

// Started outside every drive, where Wine gives the current folder as
// "unix\tmp\...": the program says the path is not found and opens its lists
// at the first drive, shown as chosen; every row opens.
void outsideEveryDrive(App& app)
{
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND drives = app.control("frmMAIN", "Drive1");
    HWND path = app.control("frmMAIN", "Label1");
    CHECK(app.fe.messages == std::vector<std::string>{"Run-time error '76':\n\nPath not found"});
    const std::vector<std::string> rows = listItems(dirs);
    CHECK(!rows.empty() && rows.front() == "C:\\");
    CHECK_EQ(emptyRows(rows), 0);
    CHECK_EQ(text(path), std::string("Path: C:\\"));
    const std::vector<std::string> driveTexts = listItems(drives, true);
    const int chosen = static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0));
    CHECK(chosen >= 0 && chosen < static_cast<int>(driveTexts.size())
          && driveTexts[static_cast<size_t>(chosen)].rfind("c:", 0) == 0);
    const int users = indexOf(rows, "users");
    CHECK(users > 0);
    SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(users), 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(text(path), std::string("Path: C:\\users"));
    SendMessageW(dirs, LB_SETCURSEL, 0, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK_EQ(text(path), std::string("Path: C:\\"));
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
}

// Started in a folder of a network share, which no drive holds: the lists
// show it from the share's root, no drive is shown as chosen, and picking
// one opens it.
void onANetworkShare(App& app, const std::string& share)
{
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND drives = app.control("frmMAIN", "Drive1");
    HWND path = app.control("frmMAIN", "Label1");
    CHECK(app.fe.messages.empty());
    CHECK(listItems(dirs) == (std::vector<std::string>{share + "\\", "games", "sub"}));
    CHECK((SendMessageW(dirs, LB_GETITEMDATA, 1, 0) & 0x10000) != 0);
    CHECK_EQ(static_cast<int>(SendMessageW(dirs, LB_GETCURSEL, 0, 0)), 1);
    CHECK_EQ(text(path), "Path: " + share + "\\games");
    CHECK(listItems(app.control("frmMAIN", "File1")) == std::vector<std::string>{"NET.EXE"});
    CHECK_EQ(static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0)), -1);
    SendMessageW(dirs, LB_SETCURSEL, 0, 0);
    notify(dirs, LBN_DBLCLK);
    app.drain();
    CHECK(listItems(dirs) == (std::vector<std::string>{share + "\\", "games"}));
    CHECK_EQ(text(path), "Path: " + share + "\\");
    const int c = indexOf(listItems(drives, true), "c:");
    CHECK(c >= 0);
    pickDrive(app, c);
    CHECK_EQ(text(path), std::string("Path: C:\\"));
    CHECK_EQ(static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0)), c);
    CHECK(app.fe.messages.empty());
}

// tools/run-under-wine.sh --fenced: a prefix without drive Z:, the tests
// started in a folder outside every drive, and a network share whose name
// VORNAK_SHARE gives (\\vornak\share).
void startedOnNoDrive()
{
    const std::string share = environment("VORNAK_SHARE");
    if (share.empty()) {
        std::printf("  skipped: not fenced in (tools/run-under-wine.sh --fenced)\n");
        return;
    }
    std::printf("  started in \"%s\"\n", startedIn.c_str());
    check(pathRoot(startedIn, PathStyle::Dos).empty(), "Wine gives \"" + startedIn + "\", a folder on no drive",
          __LINE__);
    SetCurrentDirectoryW(win32::widen(startedIn).c_str());
    {
        App app;
        outsideEveryDrive(app);
    }
    const std::wstring games = win32::widen(share) + L"\\games";
    CHECK(CreateDirectoryW(games.c_str(), nullptr));
    CHECK(CreateDirectoryW((games + L"\\sub").c_str(), nullptr));
    HANDLE exe = CreateFileW((games + L"\\NET.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CHECK(exe != INVALID_HANDLE_VALUE);
    if (exe != INVALID_HANDLE_VALUE)
        CloseHandle(exe);
    CHECK(SetCurrentDirectoryW(games.c_str()));
    {
        App app;
        onANetworkShare(app, share);
    }
    SetCurrentDirectoryW(std::filesystem::temp_directory_path().c_str());
}

}  // namespace

std::vector<TestCase> chooserTests()
{
    return {
        {"the chooser follows the folders", theChooserFollowsTheFolders},
        {"paths longer than 260 characters", pathsLongerThan260},
        {"a drive that vanishes", aDriveThatVanishes},
        {"a folder deleted while listed", aFolderDeletedWhileListed},
        {"started on no drive", startedOnNoDrive},
    };
}

}  // namespace vornak::test
