// The Win32 front end driven through real windows with real messages: what
// a user's clicks and keys send, read back from the windows themselves.
// Runs under Wine on a virtual display (run-under-wine.sh --headless).
#include "app/design.h"
#include "app/filesystem.h"
#include "app/pause.h"
#include "app/shell.h"
#include "forms/catalogue.h"
#include "win32drives.h"
#include "win32frontend.h"
#include "win32text.h"

#include <windows.h>

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

struct App {
    TestFrontEnd fe{GetModuleHandleW(nullptr)};
    FileSystem fs{std::make_unique<win32::DriveSource>()};
    SteadyClock clock;
    std::unique_ptr<Shell> shell;

    App()
    {
        fe.initialise();
        shell = std::make_unique<Shell>(forms::catalogue(), fe, fs, clock);
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

// The Windows version the program was started under: --windows-version
// winxp, win7 or win10 on the command line, as run-under-wine.sh was given.
std::string askedVersion;

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
        } else {
            std::printf("usage: %s [--windows-version winxp|win7|win10]\n", argv[0]);
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
    };
    for (const auto& t : tests) {
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
