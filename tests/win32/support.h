// What the Win32 window tests share: checks that count and report, the
// program under test with its windows and input loop, real input, and
// folder trees. The tests drive real windows with real messages and read
// back from the windows themselves; they run under Wine on a virtual
// display (tools/run-under-wine.sh --headless).
#pragma once

#include "app/controls/checkbox.h"
#include "app/controls/drivelist.h"
#include "app/controls/filelist.h"
#include "app/controls/folderlist.h"
#include "app/controls/optionbutton.h"
#include "app/controls/textbox.h"
#include "app/design.h"
#include "app/shell.h"
#include "common/designs.h"
#include "common/fake_clock.h"
#include "common/recording.h"
#include "common/temp_tree.h"
#include "forms/catalogue.h"
#include "win32drives.h"
#include "win32filesystem.h"
#include "win32frontend.h"
#include "win32text.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace vornak::test {

// --- Checks -----------------------------------------------------------------

void check(bool ok, const std::string& what, int line);
#define CHECK(cond) ::vornak::test::check((cond), #cond, __LINE__)
#define CHECK_EQ(a, b)     \
    ::vornak::test::check( \
        (a) == (b),        \
        std::string(#a " == " #b "  [") + ::vornak::test::show(a) + " vs " + ::vornak::test::show(b) + "]", __LINE__)

// A value as a failed check shows it.
template <class T>
std::string show(const T& v)
{
    std::ostringstream out;
    if constexpr (std::is_same_v<T, std::string>)
        out << '"' << v << '"';
    else if constexpr (std::is_same_v<T, bool>)
        out << (v ? "true" : "false");
    else if constexpr (std::is_enum_v<T>)
        out << static_cast<int>(v);
    else
        out << v;
    return out.str();
}

struct TestCase {
    const char* name;
    void (*run)();
};

// The tests of each file, in the order they run.
std::vector<TestCase> designTests();
std::vector<TestCase> keyboardTests();
std::vector<TestCase> chooserTests();
std::vector<TestCase> pauseTests();
std::vector<TestCase> lifetimeTests();

// From the command line: the Windows version and the resolution
// tools/run-under-wine.sh was given (--windows-version winxp, win7 or win10;
// --dpi 120, 144, 192, 96 when not given), and how many rounds the leak test
// walks (--rounds).
extern std::string askedVersion;
extern int askedDpi;
extern int rounds;
// The random walk's seeds and steps (--seeds 1,2 --steps N); its own when
// not given.
extern std::vector<uint32_t> walkSeeds;
extern int walkSteps;
// The current folder the tests were started in, as the system gave it.
extern std::string startedIn;

// Where a test is, for the watchdog's report when a test hangs: a short
// static text ("round 12: About"), kept until the next.
void at(const char* where);
// For a test of many steps: the watchdog's time limit, from now on.
void limitFromNow(int ms);

// --- The program under test -------------------------------------------------

// The front end with what the core asks of it recorded (tests/common): its
// message boxes are never shown, so that a test never waits for a click on
// OK, and its pause is on the test's clock when it is given one.
struct TestFrontEnd : test::Recording<win32::FrontEnd> {
    explicit TestFrontEnd(HINSTANCE instance) : Recording(instance) { keepLog = false; }
    // The memory and RAMDAC errors shown or brought to the front.
    int errorDialogs() const { return shown("frmNO") + shown("frmNO1"); }
};

struct App {
    TestFrontEnd fe{GetModuleHandleW(nullptr)};
    win32::FileSystem fs{std::make_unique<win32::DriveSource>()};
    std::unique_ptr<Shell> shell;

    // On the real clock unless given the test's.
    explicit App(FakeClock* clock = nullptr);
    ~App() { shell.reset(); }

    // Handles every message queued now, and those that handling them
    // queues, until the queue is empty.
    void drain();
    // Waits until the main window is active and the window manager has
    // answered its showing: no window activated for 300 ms.
    void settle();
    // Handles messages until the condition holds; false when it does not
    // within the time given.
    bool waitFor(const std::function<bool()>& condition, int ms = 5000);

    Form& form(const char* name) { return *shell->form(name); }
    HWND window(const char* name) { return shell->form(name) ? fe.windowOf(*shell->form(name)) : nullptr; }
    HWND control(const char* formName, const char* name) { return fe.controlOf(form(formName)[name]); }
    bool visible(const char* name) { return shell->state(name) == WindowState::Visible; }
};

// --- Reading windows ----------------------------------------------------------

std::string text(HWND h);
std::vector<std::string> listItems(HWND list, bool combo = false);
SIZE clientSize(HWND h);
// A child's rectangle in its window's client coordinates.
RECT childRect(HWND child);
bool checked(HWND button);

// --- Input ----------------------------------------------------------------------

// A left click of the mouse in the middle of a window: the messages the
// mouse makes, handled.
void click(App& app, HWND target);
// A key pressed and released on a window (posted, as the keyboard does),
// handled.
void key(App& app, HWND target, WPARAM vk);
// What the dialog manager sends for a control's notification, as a click
// or a double click on a list would.
void notify(HWND control, int code);
// Puts the mouse pointer in the middle of a window.
void pointAt(HWND h);

double secondsOf(const std::function<void()>& f);

// What a second thread sees of the program while its window thread is
// stalled in a busy pause.
struct PauseWatch {
    HANDLE thread = nullptr;
    int afterMs = 0;
    std::atomic<bool> sawHourglass{false};
    std::atomic<bool> looked{false};
    std::function<void()> duringPause;

    void start(int ms);
    void join();
};

// --- Folders --------------------------------------------------------------------

// A small tree (tests/common) as the current folder for as long as it
// lives: one.exe, TWO.EXE, notes.txt, Alpha\inner.exe and an empty beta.
struct TreeAsCurrentFolder {
    TempTree tree;
    std::string root;  // as the program shows it
    TreeAsCurrentFolder();
    ~TreeAsCurrentFolder();
};

std::string environment(const char* name);
// The index of the first entry that starts with a prefix, -1 for none.
int indexOf(const std::vector<std::string>& list, const std::string& prefix);

}  // namespace vornak::test
