// The Win32 front end driven through real windows with real messages: what
// a user's clicks and keys send, read back from the windows themselves.
// Runs under Wine on a virtual display (run-under-wine.sh --headless).
#include "app/design.h"
#include "app/filesystem.h"
#include "app/pause.h"
#include "app/shell.h"
#include "common/fast_clock.h"
#include "forms/catalogue.h"
#include "win32drives.h"
#include "win32filesystem.h"
#include "win32frontend.h"
#include "win32text.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace vornak;
using Time = std::chrono::steady_clock;

namespace {

int passed = 0, failed = 0;
const char* currentTest = "";

void check(bool ok, const std::string& what, int line)
{
    if (ok) {
        ++passed;
        return;
    }
    ++failed;
    std::printf("FAIL %s (line %d): %s\n", currentTest, line, what.c_str());
    std::fflush(stdout);
}
#define CHECK(cond) check((cond), #cond, __LINE__)
#define CHECK_EQ(a, b) check((a) == (b), std::string(#a " == " #b "  [") + show(a) + " vs " + show(b) + "]", __LINE__)

std::string show(const std::string& s) { return "\"" + s + "\""; }
std::string show(int v) { return std::to_string(v); }
std::string show(long v) { return std::to_string(v); }
std::string show(bool v) { return v ? "true" : "false"; }
std::string show(const void* p)
{
    char b[32];
    std::snprintf(b, sizeof b, "%p", p);
    return b;
}

// The front end with its message box recorded instead of shown, so a test
// never waits for a click on OK.
class TestFrontEnd : public win32::FrontEnd {
public:
    using win32::FrontEnd::FrontEnd;
    std::vector<std::string> messages;
    void messageBox(std::string_view, std::string_view text) override { messages.emplace_back(text); }
};

using test::FastClock;

struct App {
    TestFrontEnd fe{GetModuleHandleW(nullptr)};
    win32::FileSystem fs{std::make_unique<win32::DriveSource>()};
    SteadyClock steady;
    std::unique_ptr<Shell> shell;

    // On the real clock unless given another.
    explicit App(Clock* clock = nullptr)
    {
        fe.initialise();
        shell = std::make_unique<Shell>(forms::catalogue(), fe, fs, clock ? *clock : steady);
        shell->start();
        settle();
    }
    ~App() { shell.reset(); }

    // Handles what is queued, for a moment, so windows paint and settle.
    void settle(int ms = 150)
    {
        const auto end = Time::now() + std::chrono::milliseconds(ms);
        while (Time::now() < end) {
            fe.pump();
            Sleep(10);
        }
    }
    // Handles what is queued until the condition holds; false when it does
    // not within the time given.
    bool waitFor(const std::function<bool()>& condition, int ms = 5000)
    {
        const auto end = Time::now() + std::chrono::milliseconds(ms);
        for (;;) {
            fe.pump();
            if (condition())
                return true;
            if (Time::now() > end)
                return false;
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    Form& form(const char* name) { return *shell->form(name); }
    HWND window(const char* name) { return shell->form(name) ? fe.windowOf(*shell->form(name)) : nullptr; }
    HWND control(const char* formName, const char* name) { return fe.controlOf(form(formName)[name]); }
    bool visible(const char* name) { return shell->state(name) == WindowState::Visible; }
};

std::string text(HWND h)
{
    const int n = GetWindowTextLengthW(h);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    w.resize(static_cast<size_t>(GetWindowTextW(h, w.data(), n + 1)));
    return win32::narrow(w);
}

std::vector<std::string> listItems(HWND list, bool combo = false)
{
    std::vector<std::string> out;
    const int n = static_cast<int>(SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        const int len = static_cast<int>(SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
        std::wstring w(static_cast<size_t>(len) + 1, L'\0');
        SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(w.data()));
        w.resize(static_cast<size_t>(len));
        out.push_back(win32::narrow(w));
    }
    return out;
}

SIZE clientSize(HWND h)
{
    RECT r{};
    GetClientRect(h, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// A child's rectangle in its window's client coordinates.
RECT childRect(HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// What the dialog manager sends for a list's notification, as a click or a
// double click on it would.
void notify(HWND control, int code)
{
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control));
}

void key(App& app, HWND target, WPARAM vk)
{
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    app.settle(80);
}

double secondsOf(const std::function<void()>& f)
{
    const auto start = Time::now();
    f();
    return std::chrono::duration<double>(Time::now() - start).count();
}

// What a second thread sees of the program while its window thread is
// stalled in a busy pause.
struct PauseWatch {
    std::thread thread;
    std::atomic<bool> sawHourglass{false};
    std::atomic<bool> looked{false};
    std::function<void()> duringPause;

    void start(int afterMs)
    {
        thread = std::thread([this, afterMs] {
            Sleep(static_cast<DWORD>(afterMs));
            CURSORINFO ci{};
            ci.cbSize = sizeof ci;
            if (GetCursorInfo(&ci))
                sawHourglass = ci.hCursor == LoadCursorW(nullptr, IDC_WAIT);
            looked = true;
            if (duringPause)
                duringPause();
        });
    }
    void join()
    {
        if (thread.joinable())
            thread.join();
    }
};

void pointAt(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::string tempTree()
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    wchar_t name[64];
    std::swprintf(name, 64, L"vornak-%lu", static_cast<unsigned long>(GetCurrentProcessId()));
    const std::wstring root = std::wstring(base) + name;
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW((root + L"\\Alpha").c_str(), nullptr);
    CreateDirectoryW((root + L"\\beta").c_str(), nullptr);
    for (const wchar_t* f : {L"\\one.exe", L"\\TWO.EXE", L"\\notes.txt", L"\\Alpha\\inner.exe"}) {
        HANDLE h = CreateFileW((root + f).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    wchar_t full[MAX_PATH];
    GetFullPathNameW(root.c_str(), MAX_PATH, full, nullptr);
    return win32::narrow(full);
}

void removeTree(const std::string& root)
{
    const std::wstring r = win32::widen(root);
    for (const wchar_t* f : {L"\\one.exe", L"\\TWO.EXE", L"\\notes.txt", L"\\Alpha\\inner.exe"})
        DeleteFileW((r + f).c_str());
    RemoveDirectoryW((r + L"\\Alpha").c_str());
    RemoveDirectoryW((r + L"\\beta").c_str());
    RemoveDirectoryW(r.c_str());
}

const struct {
    const char* name;
    int width, height;
} kClientSizes[] = {
    {"frmMAIN", 338, 361}, {"frmSETUP", 359, 262}, {"frmNO", 313, 65}, {"frmNO1", 313, 65},
    {"frmRUN", 313, 97},   {"frmHARD", 333, 240},  {"frmABOUT", 269, 194}, {"frmFINAL", 620, 306},
};

// ---------------------------------------------------------------------------

void windowsMatchTheirDesigns()
{
    App app;
    for (const auto& s : kClientSizes)
        app.shell->show(s.name);  // the driver error pauses as it loads
    app.settle();
    HWND main = app.window("frmMAIN");
    for (const auto& s : kClientSizes) {
        HWND h = app.window(s.name);
        CHECK(h && IsWindowVisible(h));
        const SIZE size = clientSize(h);
        CHECK_EQ(std::string(s.name) + " " + std::to_string(size.cx) + "x" + std::to_string(size.cy),
                 std::string(s.name) + " " + std::to_string(s.width) + "x" + std::to_string(s.height));
        const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        CHECK((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
        CHECK(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)));
        HWND owner = GetWindow(h, GW_OWNER);
        if (h == main)
            CHECK(owner == nullptr);
        else
            CHECK_EQ(static_cast<const void*>(owner), static_cast<const void*>(main));
        CHECK_EQ(static_cast<bool>(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW), h == main);
        CHECK(SendMessageW(h, WM_GETICON, ICON_BIG, 0) != 0 && SendMessageW(h, WM_GETICON, ICON_SMALL, 0) != 0);
        CHECK_EQ(text(h), std::string(app.form(s.name).design().caption));

        // Every control where its design puts it, within a pixel.
        Form& f = app.form(s.name);
        for (const auto& c : f.controls()) {
            const ControlDesign& d = c->design();
            HWND ch = app.fe.controlOf(*c);
            CHECK(ch != nullptr);
            if (!ch)
                continue;
            int ox = 0, oy = 0;
            if (!d.container.empty()) {
                ox = twipsToPixels(f[d.container].design().left, 96);
                oy = twipsToPixels(f[d.container].design().top, 96);
            }
            RECT want{ox + twipsToPixels(d.left, 96), oy + twipsToPixels(d.top, 96), 0, 0};
            want.right = want.left + twipsToPixels(d.width, 96);
            want.bottom = want.top + twipsToPixels(d.height, 96);
            if (d.type == ControlType::Line)
                want = {twipsToPixels(d.left, 96), twipsToPixels(d.top, 96), twipsToPixels(d.width, 96) + 1,
                        twipsToPixels(d.height, 96) + 1};
            const RECT got = childRect(ch);
            const bool closeEnough = std::abs(got.left - want.left) <= 1 && std::abs(got.top - want.top) <= 1
                              && std::abs(got.right - want.right) <= 1 && std::abs(got.bottom - want.bottom) <= 1;
            check(closeEnough,
                  std::string(s.name) + "." + std::string(d.name) + " at " + std::to_string(got.left) + "," + std::to_string(got.top)
                      + "-" + std::to_string(got.right) + "," + std::to_string(got.bottom) + " wants " + std::to_string(want.left)
                      + "," + std::to_string(want.top) + "-" + std::to_string(want.right) + "," + std::to_string(want.bottom),
                  __LINE__);
        }
    }
    // The final picture is a pixel taller than its window: the last row is cut.
    RECT picture = childRect(app.control("frmFINAL", "Image1"));
    CHECK_EQ(picture.bottom - picture.top, 307L);
    CHECK(app.fe.messages.empty());
}

void keyboardFollowsTheTabOrder()
{
    App app;
    HWND main = app.window("frmMAIN");
    CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmMAIN", "Command1")));
    const char* mainOrder[] = {"Command2", "Command3", "Dir1", "Drive1", "File1", "Command1"};
    for (const char* name : mainOrder) {
        key(app, GetFocus(), VK_TAB);
        CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmMAIN", name)));
    }
    // Escape does nothing; Enter on a list opens nothing.
    key(app, GetFocus(), VK_ESCAPE);
    CHECK(app.visible("frmMAIN"));
    SetFocus(app.control("frmMAIN", "File1"));
    key(app, GetFocus(), VK_RETURN);
    CHECK(app.shell->state("frmSETUP") == WindowState::Absent && app.shell->state("frmABOUT") == WindowState::Absent);
    // Enter presses the focused button.
    SetFocus(app.control("frmMAIN", "Command2"));
    key(app, GetFocus(), VK_RETURN);
    CHECK(app.visible("frmABOUT"));
    app.shell->hide("frmABOUT");
    SetForegroundWindow(main);
    // Space presses the focused button.
    SetFocus(app.control("frmMAIN", "Command1"));
    key(app, GetFocus(), VK_SPACE);
    CHECK(app.visible("frmSETUP"));
    app.settle();

    // Setup: an option group is entered at its chosen option.
    CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmSETUP", "OK_SETUP")));
    const char* setupOrder[] = {"HARD_SETUP", "Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Option1", "Option5", "OK_SETUP"};
    for (const char* name : setupOrder) {
        key(app, GetFocus(), VK_TAB);
        check(GetFocus() == app.control("frmSETUP", name), std::string("Tab reaches ") + name, __LINE__);
    }
    // Shift+Tab goes back.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    key(app, GetFocus(), VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmSETUP", "Option5")));
    // The arrows stay inside a frame, wrapping round.
    HWND setup = app.window("frmSETUP");
    auto next = [&](const char* from, bool back) { return GetNextDlgGroupItem(setup, app.control("frmSETUP", from), back); };
    CHECK(next("Option1", FALSE) == app.control("frmSETUP", "Option2"));
    CHECK(next("Option3", FALSE) == app.control("frmSETUP", "Option1"));
    CHECK(next("Option1", TRUE) == app.control("frmSETUP", "Option3"));
    CHECK(next("Option5", FALSE) == app.control("frmSETUP", "Option4"));
    CHECK(next("Option4", TRUE) == app.control("frmSETUP", "Option5"));
    // An arrow chooses the option it moves to: 220 Mhz, its error, and
    // 170 Mhz is chosen again.
    key(app, GetFocus(), VK_DOWN);
    CHECK(app.visible("frmNO1"));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option5"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK(app.fe.messages.empty());
}

void theChooserFollowsTheFolders()
{
    const std::string root = tempTree();
    SetCurrentDirectoryW(win32::widen(root).c_str());
    {
        App app;
        HWND files = app.control("frmMAIN", "File1");
        HWND dirs = app.control("frmMAIN", "Dir1");
        HWND drives = app.control("frmMAIN", "Drive1");
        HWND path = app.control("frmMAIN", "Label1");
        CHECK_EQ(text(path), "Path: " + root);
        CHECK(listItems(files) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
        std::vector<std::string> folders = listItems(dirs);
        CHECK(folders.size() >= 3);
        CHECK_EQ(folders.front(), root.substr(0, 3));
        if (folders.size() >= 2) {
            CHECK_EQ(folders[folders.size() - 2], std::string("Alpha"));
            CHECK_EQ(folders.back(), std::string("beta"));
        }
        // The open folder is the selected entry, with the mark of an open folder.
        const int open = static_cast<int>(SendMessageW(dirs, LB_GETCURSEL, 0, 0));
        CHECK(open >= 0 && open < static_cast<int>(folders.size()));
        if (open >= 0 && open < static_cast<int>(folders.size()))
            CHECK_EQ(folders[static_cast<size_t>(open)], root.substr(root.rfind('\\') + 1));
        CHECK((SendMessageW(dirs, LB_GETITEMDATA, static_cast<WPARAM>(open), 0) & 0x10000) != 0);
        CHECK((SendMessageW(dirs, LB_GETITEMDATA, folders.size() - 1, 0) & 0x10000) == 0);
        // The drive list shows the folder's drive the classic way.
        const std::vector<std::string> driveTexts = listItems(drives, true);
        const int drive = static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0));
        CHECK(drive >= 0 && drive < static_cast<int>(driveTexts.size()));
        if (drive >= 0 && drive < static_cast<int>(driveTexts.size()))
            CHECK_EQ(driveTexts[static_cast<size_t>(drive)].substr(0, 2), std::string(1, static_cast<char>(std::tolower(root[0]))) + ":");

        // Double-clicking a subfolder opens it.
        SendMessageW(dirs, LB_SETCURSEL, folders.size() - 2, 0);
        notify(dirs, LBN_DBLCLK);
        app.settle();
        CHECK_EQ(text(path), "Path: " + root + "\\Alpha");
        CHECK(listItems(files) == std::vector<std::string>{"inner.exe"});
        CHECK_EQ(listItems(dirs).back(), std::string("Alpha"));
        // Picking a file selects it in the core.
        SendMessageW(files, LB_SETCURSEL, 0, 0);
        notify(files, LBN_SELCHANGE);
        CHECK_EQ(app.form("frmMAIN")["File1"].listIndex(), 0);
        // And the parent opens again.
        folders = listItems(dirs);
        SendMessageW(dirs, LB_SETCURSEL, folders.size() - 2, 0);
        notify(dirs, LBN_DBLCLK);
        app.settle();
        CHECK_EQ(text(path), "Path: " + root);
        CHECK(listItems(files) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));

        // Names holding bidirectional formatting characters show them
        // written out, in the lists and the path line.
        const std::wstring odd = win32::widen(root) + L"\\odd\x2067";
        CreateDirectoryW(odd.c_str(), nullptr);
        HANDLE made = CreateFileW((odd + L"\\holiday\x202Egnp.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (made != INVALID_HANDLE_VALUE)
            CloseHandle(made);
        app.form("frmMAIN")["Dir1"].setPath(win32::narrow(odd));
        app.settle();
        CHECK(listItems(files) == std::vector<std::string>{"holiday<U+202E>gnp.EXE"});
        CHECK_EQ(listItems(dirs).back(), std::string("odd<U+2067>"));
        CHECK_EQ(text(path), "Path: " + root + "\\odd<U+2067>");
        DeleteFileW((odd + L"\\holiday\x202Egnp.EXE").c_str());
        RemoveDirectoryW(odd.c_str());

        // Another drive opens at its current folder.
        int other = -1;
        for (size_t i = 0; i < driveTexts.size(); ++i)
            if (static_cast<int>(i) != drive && driveTexts[i].rfind("z:", 0) == 0)
                other = static_cast<int>(i);
        CHECK(other >= 0);
        if (other >= 0) {
            SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(other), 0);
            notify(drives, CBN_SELCHANGE);
            app.settle();
            CHECK_EQ(listItems(dirs).front(), std::string("Z:\\"));
            CHECK_EQ(text(path).substr(0, 9), std::string("Path: Z:\\"));
        }
        CHECK(app.fe.messages.empty());
        for (const std::string& m : app.fe.messages)
            std::printf("  message: %s\n", m.c_str());
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SetCurrentDirectoryW(temp);
    removeTree(root);
}

void setupPutsTheOptionBack()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmSETUP"));
    HWND setup = app.window("frmSETUP");
    // 4096 k: an error, and 2048 k is chosen again.
    SendMessageW(app.control("frmSETUP", "Option2"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmNO"));
    CHECK_EQ(text(app.control("frmNO", "Label1")), std::string("Error: Only 2048 kb of main video memory were found."));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option1"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option2"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    CHECK_EQ(app.form("frmSETUP")["Option1"].value(), kTrue);
    // Centred on the window it came from.
    RECT a{}, b{};
    GetWindowRect(setup, &a);
    GetWindowRect(app.window("frmNO"), &b);
    CHECK(std::abs((a.left + a.right) - (b.left + b.right)) <= 2 && std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2);
    SendMessageW(app.control("frmNO", "Command1"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.shell->state("frmNO") == WindowState::Hidden && !IsWindowVisible(app.window("frmNO")));
    // 220 Mhz: the RAMDAC error, and 170 Mhz is chosen again.
    SendMessageW(app.control("frmSETUP", "Option4"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmNO1"));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option5"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option4"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    // A check box keeps what it is given.
    HWND check3 = app.control("frmSETUP", "Check3");
    SendMessageW(check3, BM_CLICK, 0, 0);
    CHECK_EQ(SendMessageW(check3, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(app.form("frmSETUP")["Check3"].value(), 1);
    CHECK(app.fe.messages.empty());
}

void runExePausesThenShowsTheDriverError()
{
    App app;
    HWND run = app.control("frmMAIN", "Command3");
    const double first = secondsOf([&] { SendMessageW(run, BM_CLICK, 0, 0); });
    app.settle();
    std::printf("  Run EXE pause (first): %.3f s\n", first);
    CHECK(first >= 2.95 && first < 3.5);
    CHECK(app.visible("frmRUN"));
    CHECK(text(app.control("frmRUN", "Label1")).rfind("Fatal Error: code 003F.", 0) == 0);
    CHECK_EQ(app.shell->mousePointer(), 0);
    SendMessageW(app.control("frmRUN", "Command1"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(!IsWindowVisible(app.window("frmRUN")));
    // Once loaded, it pauses before it is shown again.
    const double second = secondsOf([&] { SendMessageW(run, BM_CLICK, 0, 0); });
    std::printf("  Run EXE pause (again): %.3f s\n", second);
    CHECK(second >= 2.95 && second < 3.5);
    app.settle();
    CHECK(app.visible("frmRUN"));
    CHECK(app.fe.messages.empty());
}

void testSystemShowsTheHourglassAndQueuesInput()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.settle();
    SendMessageW(app.control("frmSETUP", "HARD_SETUP"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmHARD"));
    HWND hard = app.window("frmHARD");
    HWND text1 = app.control("frmHARD", "Text1");
    HWND cancel = app.control("frmHARD", "Command2");
    pointAt(app.control("frmHARD", "Label7"));
    app.settle();

    // While the window thread sleeps: read the cursor, then type two
    // characters and press Cancel. All three must wait for the pause.
    PauseWatch watch;
    std::atomic<int> hourglassDuringPause{-1};
    watch.duringPause = [&] {
        hourglassDuringPause = app.fe.mousePointer();
        PostMessageW(text1, WM_CHAR, 'a', 1);
        PostMessageW(text1, WM_CHAR, 'b', 1);
        PostMessageW(cancel, BM_CLICK, 0, 0);
    };
    watch.start(1000);
    const double pause = secondsOf([&] { SendMessageW(app.control("frmHARD", "TEST"), BM_CLICK, 0, 0); });
    watch.join();
    std::printf("  Test System pause: %.3f s\n", pause);
    CHECK(pause >= 2.95 && pause < 3.5);
    CHECK(watch.looked);
    CHECK_EQ(hourglassDuringPause.load(), kHourglass);
    CHECK(watch.sawHourglass);
    // Nothing was handled during the pause: the texts are fresh and the
    // window is still there.
    const char* want[] = {"INTEL P55 MMX 200 Mhz, Stepping 3", "64 mb SDRAM, 10 ns", "Quantum Pioneer 2.1 Gb",
                          "BCD BTC 8x", "SB16, SB32 or AWE32 Compatible", "VX Chipset Compatible"};
    for (int i = 0; i < 6; ++i) {
        const std::string name = "Text" + std::to_string(i + 1);
        CHECK_EQ(text(app.control("frmHARD", name.c_str())), std::string(want[i]));
    }
    CHECK(IsWindowVisible(hard));
    CHECK_EQ(app.shell->mousePointer(), 0);
    // Now the queued input arrives, in the order it was sent.
    app.settle(300);
    CHECK_EQ(text(text1), std::string("ab") + want[0]);
    CHECK_EQ(app.form("frmHARD")["Text1"].text(), std::string("ab") + want[0]);
    CHECK(app.shell->state("frmHARD") == WindowState::Hidden && !IsWindowVisible(hard));
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    CHECK(ci.hCursor != LoadCursorW(nullptr, IDC_WAIT));
    CHECK(app.fe.messages.empty());
}

void aboutKeyLeadsToTheFinalPicture()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command2"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmABOUT"));
    HWND about = app.window("frmABOUT");
    // A key that produces no character does nothing.
    key(app, about, VK_F5);
    key(app, about, VK_SHIFT);
    CHECK(app.shell->state("frmFINAL") == WindowState::Absent);
    // Escape produces one: the pause, then the final picture.
    const double pause = secondsOf([&] { key(app, about, VK_ESCAPE); });
    std::printf("  About key pause: %.3f s\n", pause);
    CHECK(pause >= 2.95);
    app.settle();
    CHECK(app.visible("frmFINAL"));
    CHECK_EQ(app.shell->mousePointer(), 0);
    CHECK(app.fe.messages.empty());
}

void closingWindows()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.settle();
    HWND setup = app.window("frmSETUP");
    // The close box unloads the dialog; its window goes once the message is over.
    SendMessageW(setup, WM_CLOSE, 0, 0);
    CHECK(app.shell->state("frmSETUP") == WindowState::Absent);
    app.settle();
    CHECK(!IsWindow(setup));
    // Loaded again, it starts afresh.
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmSETUP") && IsWindow(app.window("frmSETUP")));
    // Closing the main window ends the program and every window goes.
    HWND main = app.window("frmMAIN");
    HWND again = app.window("frmSETUP");
    PostMessageW(main, WM_CLOSE, 0, 0);
    app.settle();
    CHECK(!app.shell->running());
    CHECK(app.fe.quitting());
    CHECK(!IsWindow(main) && !IsWindow(again));
    CHECK(app.fe.messages.empty());
}

// --- What the process holds, for the thousand rounds ------------------------

// Wine's GetGuiResources is a stub that answers 0 for everything; a real
// system never does, since a process with a window holds GDI and USER
// objects. Under Wine the GDI objects are counted in the process's own GDI
// handle table instead (the PEB's GdiSharedHandleTable, Wine's layout), and
// only when a check shows the count follows objects made and deleted.
struct WineGdiEntry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long user;
};
static_assert(sizeof(WineGdiEntry) == 24);
constexpr int kWineGdiHandles = 0x10000;

int wineGdiTableCount()
{
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0 || !info.PebBaseAddress)
        return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + 0x94);  // GdiSharedHandleTable, 32-bit
    if (!table)
        return -1;
    int n = 0;
    for (int i = 0; i < kWineGdiHandles; ++i)
        if (table[i].type)
            ++n;
    return n;
}

struct GdiCounter {
    enum Kind { System, WineTable, None } kind = None;
    GdiCounter()
    {
        if (GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0) {
            kind = System;
            return;
        }
        if (wineGdiTableCount() < 0)
            return;
        const int before = wineGdiTableCount();
        HBRUSH brushes[25];
        for (HBRUSH& b : brushes)
            b = CreateSolidBrush(RGB(1, 2, 3));
        const int during = wineGdiTableCount();
        for (HBRUSH b : brushes)
            DeleteObject(b);
        if (during - before == 25 && wineGdiTableCount() == before)
            kind = WineTable;
    }
    int count() const
    {
        return kind == System ? static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
             : kind == WineTable ? wineGdiTableCount() : -1;
    }
    const char* how() const
    {
        return kind == System ? "GetGuiResources" : kind == WineTable ? "Wine's GDI handle table" : "not counted";
    }
};

BOOL CALLBACK countChild(HWND, LPARAM n)
{
    ++*reinterpret_cast<int*>(n);
    return TRUE;
}

BOOL CALLBACK countTopLevel(HWND h, LPARAM n)
{
    ++*reinterpret_cast<int*>(n);
    EnumChildWindows(h, countChild, n);
    return TRUE;
}

// The windows of this thread, top-level and child: the USER objects that
// can be counted under Wine, where GetGuiResources says 0.
int threadWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), countTopLevel, reinterpret_cast<LPARAM>(&n));
    return n;
}

// Bytes in use in every heap of the process, walked block by block: the C
// runtime's malloc and new live in one of them. Exact, where Wine's
// GetProcessMemoryInfo answers 0 for the working set and the private bytes.
long long heapBytesInUse()
{
    std::vector<HANDLE> heaps(64);
    DWORD n = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (n > heaps.size()) {
        heaps.resize(n);
        n = GetProcessHeaps(n, heaps.data());
    }
    long long total = 0;
    for (DWORD i = 0; i < n && i < heaps.size(); ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY e{};
        while (HeapWalk(heaps[i], &e))
            if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += e.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

// Committed private memory of the whole address space: heaps, stacks, and
// whatever the system allocates for the process's windows and bitmaps.
long long committedPrivateBytes()
{
    long long total = 0;
    MEMORY_BASIC_INFORMATION m{};
    for (const char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m; p = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
        if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE)
            total += static_cast<long long>(m.RegionSize);
        if (static_cast<const char*>(m.BaseAddress) + m.RegionSize < p)
            break;
    }
    return total;
}

struct Usage {
    int gdi, user, windows;
    long long heap, committed;
};

Usage usage(const GdiCounter& gdi)
{
    return {gdi.count(), static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), threadWindows(), heapBytesInUse(),
            committedPrivateBytes()};
}

// The temporary tree of the chooser test, as the current folder, for as long
// as it lives.
struct TreeAsCurrentFolder {
    std::string root = tempTree();
    TreeAsCurrentFolder() { SetCurrentDirectoryW(win32::widen(root).c_str()); }
    ~TreeAsCurrentFolder()
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        SetCurrentDirectoryW(temp);
        removeTree(root);
    }
};

// How many rounds the leak test walks (--rounds). A round costs about a
// quarter of a second under Wine, where every window is made and painted
// anew, so the runs for each Windows version walk thirty and a run of its
// own walks the thousand.
int rounds = 30;

// Every window opened and every road walked by real messages, then every
// window but the main one closed with its close box, round after round.
void roundsOfEveryRoadLeakNothing()
{
    TreeAsCurrentFolder tree;
    FastClock clock;
    App app(&clock);
    HWND main = app.window("frmMAIN");
    HWND dirs = app.control("frmMAIN", "Dir1");
    bool allWell = true;
    int pausesWanted = 0;
    auto round = [&] {
        SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);  // Setup
        SendMessageW(app.control("frmSETUP", "Option2"), BM_CLICK, 0, 0);  // 4096 k: put back
        SendMessageW(app.control("frmSETUP", "Option4"), BM_CLICK, 0, 0);  // 220 Mhz: put back
        SendMessageW(app.control("frmSETUP", "HARD_SETUP"), BM_CLICK, 0, 0);
        SendMessageW(app.control("frmHARD", "TEST"), BM_CLICK, 0, 0);      // a pause
        SendMessageW(app.control("frmMAIN", "Command3"), BM_CLICK, 0, 0);  // Run EXE: a pause as it loads
        SendMessageW(app.control("frmMAIN", "Command2"), BM_CLICK, 0, 0);  // About
        PostMessageW(app.window("frmABOUT"), WM_CHAR, 'a', 1);            // a pause, then the final picture
        const bool allOpen = app.waitFor([&] { return app.visible("frmFINAL"); });
        // A subfolder and back.
        const LRESULT n = SendMessageW(dirs, LB_GETCOUNT, 0, 0);
        SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(n - 2), 0);
        notify(dirs, LBN_DBLCLK);
        const bool inAlpha = text(app.control("frmMAIN", "Label1")) == "Path: " + tree.root + "\\Alpha";
        SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(SendMessageW(dirs, LB_GETCOUNT, 0, 0) - 2), 0);
        notify(dirs, LBN_DBLCLK);
        const bool back = text(app.control("frmMAIN", "Label1")) == "Path: " + tree.root;
        pausesWanted += 3;

        std::vector<HWND> closed;
        for (std::string_view name : app.shell->names())
            if (name != "frmMAIN" && app.shell->form(name)) {
                HWND h = app.window(std::string(name).c_str());
                closed.push_back(h);
                SendMessageW(h, WM_CLOSE, 0, 0);
            }
        const bool gone = app.waitFor([&] {
            for (HWND h : closed)
                if (IsWindow(h))
                    return false;
            return true;
        });
        bool absent = true;
        for (std::string_view name : app.shell->names())
            if (name != "frmMAIN")
                absent = absent && app.shell->state(name) == WindowState::Absent;
        const bool ok = allOpen && inAlpha && back && closed.size() == 7 && gone && absent && app.fe.messages.empty()
                     && IsWindowVisible(main) && clock.pauses == pausesWanted;
        if (!ok && allWell)
            std::printf("  a round went wrong: open %d, Alpha %d, back %d, closed %d, gone %d, absent %d, messages %d, pauses %d of %d\n",
                        allOpen, inAlpha, back, static_cast<int>(closed.size()), gone, absent, static_cast<int>(app.fe.messages.size()),
                        clock.pauses, pausesWanted);
        allWell = allWell && ok;
    };

    const GdiCounter gdi;
    for (int i = 0; i < 10 && allWell; ++i)
        round();
    const Usage before = usage(gdi);
    const auto start = Time::now();
    for (int i = 0; i < rounds && allWell; ++i)
        round();
    const double took = std::chrono::duration<double>(Time::now() - start).count();
    const Usage after = usage(gdi);
    CHECK(allWell);
    std::printf("  %d rounds after 10 of warm-up, in %.1f s\n", rounds, took);
    std::printf("  GDI objects (%s): %d before, %d after\n", gdi.how(), before.gdi, after.gdi);
    if (before.user == 0 && after.user == 0)
        std::printf("  USER objects: GetGuiResources answers 0 here (Wine's stub), not counted; windows of the thread instead\n");
    else
        std::printf("  USER objects (GetGuiResources): %d before, %d after\n", before.user, after.user);
    std::printf("  windows of the thread: %d before, %d after\n", before.windows, after.windows);
    std::printf("  heap bytes in use (HeapWalk): %lld before, %lld after\n", before.heap, after.heap);
    std::printf("  committed private memory (VirtualQuery): %lld KiB before, %lld KiB after\n", before.committed / 1024,
                after.committed / 1024);
    if (gdi.kind != GdiCounter::None)
        CHECK(after.gdi - before.gdi <= 8);
    else
        std::printf("  GDI objects: no way to count them here\n");
    if (before.user != 0 || after.user != 0)
        CHECK(after.user - before.user <= 8);
    CHECK_EQ(after.windows, before.windows);
    CHECK(after.heap - before.heap < 16 * 1024);
    CHECK(after.committed - before.committed < 2 * 1024 * 1024);
}

// A thousand clicks and a thousand characters posted while the window
// thread is stalled in one pause arrive after it, in the order posted.
void aThousandInputsDuringOnePause()
{
    FastClock clock;
    App app(&clock);
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    SendMessageW(app.control("frmSETUP", "HARD_SETUP"), BM_CLICK, 0, 0);
    app.settle();
    CHECK(app.visible("frmSETUP") && app.visible("frmHARD"));
    HWND check6 = app.control("frmSETUP", "Check6");
    HWND text2 = app.control("frmHARD", "Text2");
    std::string digits;
    for (int i = 0; i < 1000; ++i)
        digits += static_cast<char>('0' + i % 10);
    bool postedAll = true;
    clock.duringPause = [&] {
        for (int i = 0; i < 1000; ++i) {
            if (i < 999)
                postedAll = PostMessageW(check6, BM_CLICK, 0, 0) && postedAll;
            postedAll = PostMessageW(text2, WM_CHAR, static_cast<WPARAM>(digits[static_cast<size_t>(i)]), 1) && postedAll;
        }
    };
    SendMessageW(app.control("frmMAIN", "Command3"), BM_CLICK, 0, 0);  // the driver error pauses as it loads
    clock.duringPause = nullptr;
    CHECK(postedAll);
    CHECK_EQ(clock.pauses, 1);
    // Nothing of it was handled during the pause.
    CHECK_EQ(text(text2), std::string());
    CHECK_EQ(SendMessageW(check6, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    CHECK(app.visible("frmRUN"));
    CHECK(app.waitFor([&] { return text(text2).size() >= 1000; }));
    app.settle(100);
    CHECK_EQ(text(text2), digits);
    CHECK_EQ(app.form("frmHARD")["Text2"].text(), digits);
    CHECK_EQ(SendMessageW(check6, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));  // 999 toggles
    CHECK_EQ(app.form("frmSETUP")["Check6"].value(), 1);
    CHECK_EQ(clock.pauses, 1);
    CHECK(app.fe.messages.empty());
}

// --- Paths past the system's old limit of 260 characters --------------------

std::wstring extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void pathsLongerThan260()
{
    TreeAsCurrentFolder tree;
    // Levels of 40 characters below the tree, until the path passes 1000.
    std::vector<std::string> levels;
    std::wstring deepest = win32::widen(tree.root);
    bool made = true;
    while (deepest.size() <= 1000 && made) {
        char name[64];
        std::snprintf(name, sizeof name, "level-%02d-long-folder-name-for-the-list", static_cast<int>(levels.size()));
        levels.emplace_back(name);
        deepest += L"\\" + win32::widen(name);
        made = CreateDirectoryW(extended(deepest).c_str(), nullptr) != 0;
    }
    CHECK(made);
    HANDLE exe = CreateFileW(extended(deepest + L"\\DEEP.EXE").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CHECK(exe != INVALID_HANDLE_VALUE);
    if (exe != INVALID_HANDLE_VALUE)
        CloseHandle(exe);
    std::printf("  deepest folder: %d characters, %d levels\n", static_cast<int>(deepest.size()), static_cast<int>(levels.size()));
    {
        App app;
        HWND dirs = app.control("frmMAIN", "Dir1");
        HWND files = app.control("frmMAIN", "File1");
        HWND path = app.control("frmMAIN", "Label1");
        std::string folder = tree.root;
        int reached = 0;
        for (size_t i = 0; i < levels.size() && made; ++i) {
            const std::vector<std::string> before = listItems(dirs);
            const std::string pathBefore = text(path);
            const std::vector<std::string> filesBefore = listItems(files);
            int at = -1;
            for (size_t k = 0; k < before.size(); ++k)
                if (before[k] == levels[i] && (SendMessageW(dirs, LB_GETITEMDATA, k, 0) & 0x10000) == 0)
                    at = static_cast<int>(k);
            check(at >= 0, "level " + std::to_string(i) + " is listed below " + folder, __LINE__);
            if (at < 0)
                break;
            SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
            notify(dirs, LBN_DBLCLK);
            app.settle(30);
            if (!app.fe.messages.empty()) {
                // The program's own report, and the lists where they were.
                const std::string& m = app.fe.messages.back();
                std::printf("  level %d (%d characters): %s\n", static_cast<int>(i), static_cast<int>(folder.size() + levels[i].size() + 1),
                            m.c_str());
                CHECK(m == "Run-time error '76':\n\nPath not found" || m == "Run-time error '75':\n\nPath/File access error");
                CHECK(listItems(dirs) == before);
                CHECK_EQ(text(path), pathBefore);
                CHECK(listItems(files) == filesBefore);
                break;
            }
            folder += "\\" + levels[i];
            reached = static_cast<int>(i) + 1;
            CHECK_EQ(text(path), "Path: " + folder);
            CHECK_EQ(app.form("frmMAIN")["Dir1"].path(), folder);
            const std::vector<std::string> now = listItems(dirs);
            const int open = static_cast<int>(SendMessageW(dirs, LB_GETCURSEL, 0, 0));
            CHECK(open >= 0 && open < static_cast<int>(now.size()) && now[static_cast<size_t>(open)] == levels[i]);
            if (i + 1 < levels.size()) {
                CHECK(!now.empty() && now.back() == levels[i + 1]);
                CHECK(listItems(files).empty());
            } else {
                CHECK(!now.empty() && now.back() == levels[i]);
                CHECK(listItems(files) == std::vector<std::string>{"DEEP.EXE"});
            }
        }
        std::printf("  opened %d of %d levels, down to %d characters\n", reached, static_cast<int>(levels.size()),
                    static_cast<int>(folder.size()));
        // The program lists every level: the deepest folder passes 1000.
        CHECK_EQ(reached, static_cast<int>(levels.size()));
        CHECK(app.fe.messages.empty());
        // And goes on: back to the tree's root through the ancestry.
        std::vector<std::string> list = listItems(dirs);
        for (size_t k = 0; k < list.size(); ++k)
            if (list[k] == tree.root.substr(tree.root.rfind('\\') + 1)) {
                SendMessageW(dirs, LB_SETCURSEL, k, 0);
                notify(dirs, LBN_DBLCLK);
            }
        app.settle(30);
        CHECK_EQ(text(path), "Path: " + tree.root);
        CHECK(listItems(files) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
        CHECK(app.shell->running());
    }
    DeleteFileW(extended(deepest + L"\\DEEP.EXE").c_str());
    std::wstring p = deepest;
    for (size_t i = 0; i < levels.size(); ++i) {
        RemoveDirectoryW(extended(p).c_str());
        p.resize(p.rfind(L'\\'));
    }
}

// --- Drives and folders that go away ----------------------------------------

std::string environment(const char* name)
{
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::string(value, n) : std::string();
}

int indexOf(const std::vector<std::string>& list, const std::string& prefix)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].rfind(prefix, 0) == 0)
            return static_cast<int>(i);
    return -1;
}

// run-under-wine.sh --spare-drive maps a drive letter of the prefix to a
// folder of its own, and says which in VORNAK_SPARE_DRIVE (the letter and a
// colon) and VORNAK_SPARE_DRIVE_FOLDER (the folder, through Z:).
void aDriveThatVanishes()
{
    const std::string letter = environment("VORNAK_SPARE_DRIVE");
    const std::string folder = environment("VORNAK_SPARE_DRIVE_FOLDER");
    if (letter.empty() || folder.empty()) {
        std::printf("  skipped: no spare drive (run-under-wine.sh --spare-drive)\n");
        return;
    }
    TreeAsCurrentFolder tree;
    App app;
    HWND drives = app.control("frmMAIN", "Drive1");
    HWND dirs = app.control("frmMAIN", "Dir1");
    HWND files = app.control("frmMAIN", "File1");
    HWND path = app.control("frmMAIN", "Label1");
    const std::vector<std::string> driveTexts = listItems(drives, true);
    const int spare = indexOf(driveTexts, letter);
    const int home = static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0));
    check(spare >= 0, letter + " is in the drive list", __LINE__);
    if (spare < 0)
        return;
    std::string upper = letter;
    upper[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[0])));
    // While its folder is there the drive opens at its root.
    auto pick = [&](int index) {
        SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        notify(drives, CBN_SELCHANGE);
        app.settle(30);
    };
    pick(spare);
    CHECK_EQ(text(path), "Path: " + upper + "\\");
    pick(home);
    CHECK_EQ(text(path), "Path: " + tree.root);
    CHECK(app.fe.messages.empty());

    // The folder goes: the drive is still listed, and picking it is an error.
    CHECK(RemoveDirectoryW(win32::widen(folder).c_str()));
    const std::vector<std::string> dirsBefore = listItems(dirs);
    const std::vector<std::string> filesBefore = listItems(files);
    pick(spare);
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
    if (!app.fe.messages.empty()) {
        const std::string& m = app.fe.messages.back();
        std::printf("  picking the vanished drive: %s\n", m.c_str());
        CHECK(m == "Run-time error '68':\n\nDevice unavailable" || m == "Run-time error '71':\n\nDisk not ready"
              || m == "Run-time error '76':\n\nPath not found");
    }
    // The drive list shows the drive it showed, and the lists are untouched.
    CHECK_EQ(static_cast<int>(SendMessageW(drives, CB_GETCURSEL, 0, 0)), home);
    CHECK_EQ(app.form("frmMAIN")["Drive1"].listIndex(), home);
    CHECK_EQ(text(path), "Path: " + tree.root);
    CHECK(listItems(dirs) == dirsBefore);
    CHECK(listItems(files) == filesBefore);
    // The program goes on.
    CHECK(app.shell->running());
    SendMessageW(dirs, LB_SETCURSEL, dirsBefore.size() - 2, 0);
    notify(dirs, LBN_DBLCLK);
    app.settle(30);
    CHECK_EQ(text(path), "Path: " + tree.root + "\\Alpha");
    CHECK(listItems(files) == std::vector<std::string>{"inner.exe"});
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
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
    app.settle(30);
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
    if (!app.fe.messages.empty())
        CHECK_EQ(app.fe.messages.back(), std::string("Run-time error '76':\n\nPath not found"));
    CHECK(listItems(dirs) == before);
    CHECK_EQ(text(path), "Path: " + tree.root);
    CHECK(listItems(files) == (std::vector<std::string>{"one.exe", "TWO.EXE"}));
    CHECK_EQ(app.form("frmMAIN")["Dir1"].path(), tree.root);
    // The program goes on: a folder that is there opens.
    SendMessageW(dirs, LB_SETCURSEL, before.size() - 2, 0);
    notify(dirs, LBN_DBLCLK);
    app.settle(30);
    CHECK_EQ(text(path), "Path: " + tree.root + "\\Alpha");
    CHECK_EQ(static_cast<int>(app.fe.messages.size()), 1);
}

// The Windows version the program was started under: --windows-version
// winxp, win7 or win10 on the command line, as run-under-wine.sh was given.
std::string askedVersion;
// Runs only the tests whose name holds this (--only), to try one quickly.
std::string only;

// What the system says it is. RtlGetVersion, because GetVersionEx reports
// at most 6.2 to a program whose manifest does not name a later version.
OSVERSIONINFOEXW systemVersion()
{
    OSVERSIONINFOEXW v{};
    v.dwOSVersionInfoSize = sizeof v;
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto get = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    CHECK(get != nullptr);
    if (get)
        CHECK_EQ(static_cast<long>(get(&v)), 0L);
    return v;
}

void runsUnderTheVersionAskedFor()
{
    const OSVERSIONINFOEXW v = systemVersion();
    const std::string got = std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion);
    OSVERSIONINFOW legacy{};
    legacy.dwOSVersionInfoSize = sizeof legacy;
    const bool haveLegacy = GetVersionExW(&legacy) != 0;
    std::printf("  Windows %s build %lu (GetVersionEx: %lu.%lu)\n", got.c_str(), static_cast<unsigned long>(v.dwBuildNumber),
                static_cast<unsigned long>(legacy.dwMajorVersion), static_cast<unsigned long>(legacy.dwMinorVersion));
    CHECK(haveLegacy);
    CHECK_EQ(static_cast<long>(v.dwPlatformId), static_cast<long>(VER_PLATFORM_WIN32_NT));
    if (askedVersion.empty()) {
        // Nothing asked: at least the oldest version the program runs on.
        CHECK(v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion >= 1));
        return;
    }
    const std::string want = askedVersion == "winxp" ? "5.1" : askedVersion == "win7" ? "6.1" : askedVersion == "win10" ? "10.0" : "?";
    CHECK_EQ(askedVersion + " " + got, askedVersion + " " + want);
    // Below 6.2 the two calls agree.
    if (want != "10.0")
        CHECK_EQ(std::to_string(legacy.dwMajorVersion) + "." + std::to_string(legacy.dwMinorVersion), want);
}

void fontAndDpi()
{
    App app;
    CHECK_EQ(app.fe.dpi(), 96);
    CHECK(app.fe.fontFace() == L"MS Sans Serif");
    HWND label = app.control("frmMAIN", "Label3");
    CHECK(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)) == app.fe.font());
    LOGFONTW lf{};
    GetObjectW(app.fe.font(), sizeof lf, &lf);
    CHECK_EQ(lf.lfHeight, -11L);
}

}  // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--windows-version" && i + 1 < argc) {
            askedVersion = argv[++i];
        } else if (arg == "--only" && i + 1 < argc) {
            only = argv[++i];
        } else if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else {
            std::printf("usage: %s [--windows-version winxp|win7|win10] [--only PART-OF-A-TEST-NAME] [--rounds N]\n", argv[0]);
            return 2;
        }
    }
    win32::prepareProcess();
    const struct {
        const char* name;
        void (*run)();
    } tests[] = {
        {"runs under the Windows version asked for", runsUnderTheVersionAskedFor},
        {"windows match their designs", windowsMatchTheirDesigns},
        {"keyboard follows the tab order", keyboardFollowsTheTabOrder},
        {"the chooser follows the folders", theChooserFollowsTheFolders},
        {"Setup puts the option back", setupPutsTheOptionBack},
        {"Run EXE pauses, then shows the driver error", runExePausesThenShowsTheDriverError},
        {"Test System shows the hourglass and queues input", testSystemShowsTheHourglassAndQueuesInput},
        {"the About key leads to the final picture", aboutKeyLeadsToTheFinalPicture},
        {"closing windows", closingWindows},
        {"font and resolution", fontAndDpi},
        {"a thousand inputs during one pause arrive after it, in order", aThousandInputsDuringOnePause},
        {"paths longer than 260 characters", pathsLongerThan260},
        {"a drive that vanishes", aDriveThatVanishes},
        {"a folder deleted while listed", aFolderDeletedWhileListed},
        {"rounds of every road leak nothing", roundsOfEveryRoadLeakNothing},
    };
    for (const auto& t : tests) {
        if (!only.empty() && std::string(t.name).find(only) == std::string::npos)
            continue;
        currentTest = t.name;
        const int before = failed;
        try {
            t.run();
        } catch (const std::exception& e) {
            check(false, std::string("exception: ") + e.what(), 0);
        }
        std::printf("%s %s\n", failed == before ? "ok  " : "FAIL", t.name);
        std::fflush(stdout);
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
