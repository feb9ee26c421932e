#include "support.h"

#include "common/random_walk.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace vornak::test {

namespace {

int passed = 0, failed = 0;
const char* currentTest = "";

// The performance counter: this runtime's steady clock follows the wall
// clock.
win32::Clock counter;

Clock::time_point now()
{
    return counter.now();
}

// --- The watchdog ---------------------------------------------------------
// A test that hangs (a call that never returns, a queue that never empties)
// would only be stopped by the runner's time limit, with nothing said. A
// thread of its own reports where the test was, whether its thread spins or
// waits, and the thread's windows, then ends the process.

std::atomic<const char*> whereNow{""};
std::atomic<long long> lastActivation{0};  // milliseconds of the counter, while App::settle watches
std::atomic<long long> testStarted{0};     // milliseconds of the counter
std::atomic<long long> testLimit{0};
DWORD testThreadId = 0;
HANDLE testThread = nullptr;

long long milliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(now().time_since_epoch()).count();
}

// Messages sent to the test's thread, while App::settle waits for the
// window manager. Only then: a hook makes every message cost more.
LRESULT CALLBACK sentMessage(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION)
        if (const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lParam))
            if (m->message == WM_ACTIVATE || m->message == WM_SETFOCUS)
                lastActivation.store(milliseconds());
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Processor time the test's thread has used, in milliseconds: rising while
// it spins, still while it waits.
long long threadMilliseconds()
{
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(testThread, &created, &exited, &kernel, &user))
        return -1;
    auto ms = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime)
                                      / 10000);
    };
    return ms(kernel) + ms(user);
}

std::string describe(HWND h)
{
    if (!h)
        return "none";
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    char b[64];
    std::snprintf(b, sizeof b, "%p ", static_cast<void*>(h));
    // Asked without a message: the window's thread may be the one hanging.
    wchar_t title[128] = {};
    InternalGetWindowText(h, title, 128);
    return b + win32::narrow(cls) + " \"" + win32::narrow(title) + "\"" + (IsWindowVisible(h) ? " visible" : "")
         + (IsWindowEnabled(h) ? "" : " disabled");
}

BOOL CALLBACK listWindow(HWND h, LPARAM)
{
    std::printf("    %s\n", describe(h).c_str());
    return TRUE;
}

DWORD WINAPI watchTests(void*)
{
    for (;;) {
        Sleep(500);
        const long long limit = testLimit.load();
        if (limit == 0 || milliseconds() - testStarted.load() < limit)
            continue;
        const long long before = threadMilliseconds();
        Sleep(1000);
        const long long during = threadMilliseconds() - before;
        std::printf("HUNG %s: over %lld s, at \"%s\"\n", currentTest, limit / 1000, whereNow.load());
        std::printf("  processor time of the test's thread in the last second: %lld ms\n", during);
        std::printf("  foreground: %s\n  focus: ", describe(GetForegroundWindow()).c_str());
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        std::printf("%s\n  windows of the test's thread:\n",
                    GetGUIThreadInfo(testThreadId, &gui) ? describe(gui.hwndFocus).c_str() : "unknown");
        EnumThreadWindows(testThreadId, listWindow, 0);
        std::fflush(stdout);
        TerminateProcess(GetCurrentProcess(), 3);
    }
}

void startWatchdog()
{
    testThreadId = GetCurrentThreadId();
    testThread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, testThreadId);
    if (HANDLE t = CreateThread(nullptr, 0, watchTests, nullptr, 0, nullptr))
        CloseHandle(t);
}

}  // namespace

std::string askedVersion;
int askedDpi = 96;
int rounds = 30;
std::vector<uint32_t> walkSeeds;
int walkSteps = 0;
std::string startedIn;

void at(const char* where)
{
    whereNow.store(where);
}

void limitFromNow(int ms)
{
    testStarted = milliseconds();
    testLimit = ms;
}

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

App::App(FakeClock* clock)
{
    fe.testClock = clock;
    fe.initialise();
    shell = std::make_unique<Shell>(forms::catalogue(), fe, fs);
    shell->start();
    drain();
    settle();
}

void App::settle()
{
    // The window manager answers a window mapped with the focus, in its own
    // time; the activation it makes arrives after the program activated the
    // window itself. Arriving after a test has opened a dialog, it would
    // activate the main window over that dialog.
    HWND main = window(std::string(shell->names().front()).c_str());
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, sentMessage, nullptr, GetCurrentThreadId());
    lastActivation = milliseconds();
    waitFor([&] { return GetForegroundWindow() == main; }, 3000);
    const long long end = milliseconds() + 3000;
    while (milliseconds() - lastActivation.load() < 300 && milliseconds() < end)
        waitFor([] { return false; }, 50);
    if (hook)
        UnhookWindowsHookEx(hook);
}

void App::drain()
{
    // Painting is queued too (WM_PAINT comes when nothing else is), so an
    // empty queue means the windows are drawn.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE))
        if (!fe.pump())
            return;
}

bool App::waitFor(const std::function<bool()>& condition, int ms)
{
    const auto end = now() + std::chrono::milliseconds(ms);
    for (;;) {
        fe.pump();
        if (condition())
            return true;
        if (now() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string text(HWND h)
{
    return win32::narrow(win32::windowText(h));
}

std::vector<std::string> listItems(HWND list, bool combo)
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

RECT childRect(HWND child)
{
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool checked(HWND button)
{
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void pointAt(HWND h)
{
    RECT r{};
    GetWindowRect(h, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void click(App& app, HWND target)
{
    // The messages the mouse makes, posted as the system posts them. Not
    // SendInput: under Wine on a virtual display every event it injects
    // arrives twice (a press and a double click at the same instant), so a
    // click would be a double click.
    pointAt(target);
    RECT r{};
    GetClientRect(target, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, 0, at);
    app.drain();
}

void key(App& app, HWND target, WPARAM vk)
{
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001u));
    app.drain();
}

void notify(HWND control, int code)
{
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

double secondsOf(const std::function<void()>& f)
{
    const auto start = now();
    f();
    return std::chrono::duration<double>(now() - start).count();
}

namespace {

DWORD WINAPI watch(void* self)
{
    auto* w = static_cast<PauseWatch*>(self);
    Sleep(static_cast<DWORD>(w->afterMs));
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    if (GetCursorInfo(&ci))
        w->sawHourglass = ci.hCursor == LoadCursorW(nullptr, IDC_WAIT);
    w->looked = true;
    if (w->duringPause)
        w->duringPause();
    return 0;
}

}  // namespace

void PauseWatch::start(int ms)
{
    afterMs = ms;
    thread = CreateThread(nullptr, 0, watch, this, 0, nullptr);
}

void PauseWatch::join()
{
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        thread = nullptr;
    }
}

TreeAsCurrentFolder::TreeAsCurrentFolder()
{
    for (const char* f : {"one.exe", "TWO.EXE", "notes.txt", "Alpha/inner.exe"})
        tree.file(f);
    tree.dir("beta");
    root = win32::narrow(tree.root().wstring());
    SetCurrentDirectoryW(tree.root().c_str());
}

TreeAsCurrentFolder::~TreeAsCurrentFolder()
{
    SetCurrentDirectoryW(std::filesystem::temp_directory_path().c_str());
}

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

}  // namespace vornak::test

using namespace vornak::test;

namespace {

// Runs one test under the watchdog and says how it went.
void runTest(const TestCase& t)
{
    currentTest = t.name;
    at("");
    // A minute and a half is far more than any test takes on a slow
    // machine; the rounds take up to a second each there, and are given
    // two.
    testLimit = 0;
    testStarted = milliseconds();
    testLimit = 90'000 + (std::string(t.name).find("rounds") != std::string::npos ? 2'000LL * rounds : 0);
    const int before = failed;
    try {
        t.run();
    } catch (const std::exception& e) {
        check(false, std::string("exception: ") + e.what(), 0);
    }
    testLimit = 0;
    std::printf("%s %s\n", failed == before ? "ok  " : "FAIL", t.name);
    std::fflush(stdout);
}

// The command line; false after printing the usage when it is not one.
bool readArguments(int argc, char** argv, std::vector<std::string>& only)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--windows-version" && i + 1 < argc) {
            askedVersion = argv[++i];
        } else if (arg == "--dpi" && i + 1 < argc) {
            askedDpi = std::atoi(argv[++i]);
        } else if (arg == "--only" && i + 1 < argc) {
            only.emplace_back(argv[++i]);
        } else if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--seeds" && i + 1 < argc) {
            walkSeeds = parseSeeds(argv[++i]);
        } else if (arg == "--steps" && i + 1 < argc) {
            walkSteps = std::max(1, std::atoi(argv[++i]));
        } else {
            std::printf(
                "usage: %s [--windows-version winxp|win7|win10] [--dpi DPI] [--only PART-OF-A-TEST-NAME]... [--rounds N]"
                " [--seeds N,N... --steps N]\n",
                argv[0]);
            return false;
        }
    }
    return true;
}

// Whether a test runs, and which of the --only it answers (matched).
bool chosen(const std::vector<std::string>& only, std::vector<bool>& matched, const std::string& name)
{
    bool any = only.empty();
    for (size_t i = 0; i < only.size(); ++i)
        if (name.find(only[i]) != std::string::npos)
            any = matched[i] = true;
    return any;
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> only;  // runs only the tests whose name holds one of these
    if (!readArguments(argc, argv, only))
        return 2;
    wchar_t folder[MAX_PATH * 4] = {};
    if (GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder) < std::size(folder))
        startedIn = vornak::win32::narrow(folder);
    vornak::win32::prepareProcess();
    startWatchdog();
    std::vector<bool> matched(only.size(), false);
    int ran = 0;
    for (auto group : {designTests, keyboardTests, chooserTests, pauseTests, lifetimeTests})
        for (const TestCase& t : group())
            if (chosen(only, matched, t.name)) {
                ++ran;
                runTest(t);
            }
    std::printf("%d passed, %d failed\n", passed, failed);
    bool missing = false;
    for (size_t i = 0; i < only.size(); ++i)
        if (!matched[i]) {
            std::printf("no test's name holds \"%s\": it was not tested\n", only[i].c_str());
            missing = true;
        }
    if (ran == 0 || missing)
        return 1;
    return failed == 0 ? 0 : 1;
}
