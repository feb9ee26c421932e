// Windows closed with their close boxes, the program ending with its main
// window, and rounds of every path through the program leaving what the
// process holds where it was.
#include "support.h"

#include "app/controlkind.h"
#include "common/random_walk.h"

#include <winternl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace vornak::test {

namespace {

void closingWindows()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    HWND setup = app.window("frmSETUP");
    // The close box unloads the dialog; its window goes once the message is over.
    SendMessageW(setup, WM_CLOSE, 0, 0);
    CHECK(app.shell->state("frmSETUP") == WindowState::Absent);
    app.drain();
    CHECK(!IsWindow(setup));
    // Loaded again, it starts afresh.
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    CHECK(app.visible("frmSETUP") && IsWindow(app.window("frmSETUP")));
    // Closing the main window ends the program and every window goes.
    HWND main = app.window("frmMAIN");
    HWND again = app.window("frmSETUP");
    PostMessageW(main, WM_CLOSE, 0, 0);
    app.drain();
    CHECK(!app.shell->running());
    CHECK(app.fe.quitting());
    CHECK(!IsWindow(main) && !IsWindow(again));
    CHECK(app.fe.messages.empty());
}

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
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr) != 0
        || !info.PebBaseAddress)
        return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(info.PebBaseAddress);
    // GdiSharedHandleTable, at its offset in the 32-bit and the 64-bit layout.
    const auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + (sizeof(void*) == 8 ? 0xF8 : 0x94));
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
        return kind == System    ? static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))
             : kind == WineTable ? wineGdiTableCount()
                                 : -1;
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
    for (const char* p = nullptr; VirtualQuery(p, &m, sizeof m) == sizeof m;
         p = static_cast<const char*>(m.BaseAddress) + m.RegionSize) {
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
    return {gdi.count(), static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)), threadWindows(),
            heapBytesInUse(), committedPrivateBytes()};
}

char where[256];

void step(int round, const char* what)
{
    std::snprintf(where, sizeof where, "round %d: %s", round, what);
    at(where);
}

// Every window opened and every path walked by real messages; true when the
// final picture came.
bool openEverything(App& app, int round)
{
    step(round, "Setup");
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);  // Setup
    SendMessageW(app.control("frmSETUP", "Option2"), BM_CLICK, 0, 0);  // 4096 k: put back
    SendMessageW(app.control("frmSETUP", "Option4"), BM_CLICK, 0, 0);  // 220 Mhz: put back
    step(round, "hardware");
    SendMessageW(app.control("frmSETUP", "HARD_SETUP"), BM_CLICK, 0, 0);
    step(round, "Test System");
    SendMessageW(app.control("frmHARD", "TEST"), BM_CLICK, 0, 0);  // a pause
    step(round, "Run EXE");
    SendMessageW(app.control("frmMAIN", "Command3"), BM_CLICK, 0, 0);  // Run EXE: a pause as it loads
    step(round, "About");
    SendMessageW(app.control("frmMAIN", "Command2"), BM_CLICK, 0, 0);  // About
    PostMessageW(app.window("frmABOUT"), WM_CHAR, 'a', 1);             // a pause, then the final picture
    step(round, "waiting for the final picture");
    return app.waitFor([&] { return app.visible("frmFINAL"); });
}

// A subfolder and back; true when the path line followed.
bool subfolderAndBack(App& app, const std::string& root, int round)
{
    step(round, "a subfolder and back");
    HWND dirs = app.control("frmMAIN", "Dir1");
    SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(SendMessageW(dirs, LB_GETCOUNT, 0, 0) - 2), 0);
    notify(dirs, LBN_DBLCLK);
    const bool inAlpha = text(app.control("frmMAIN", "Label1")) == "Path: " + root + "\\Alpha";
    SendMessageW(dirs, LB_SETCURSEL, static_cast<WPARAM>(SendMessageW(dirs, LB_GETCOUNT, 0, 0) - 2), 0);
    notify(dirs, LBN_DBLCLK);
    return inAlpha && text(app.control("frmMAIN", "Label1")) == "Path: " + root;
}

// Every window but the main one closed with its close box; true when all
// seven went, in the core and on the screen.
bool closeAllButMain(App& app, int round)
{
    step(round, "closing");
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
    return closed.size() == 7 && gone && absent;
}

void report(const GdiCounter& gdi, const Usage& before, const Usage& after, double took)
{
    std::printf("  %d rounds after 10 of warm-up, in %.1f s\n", rounds, took);
    std::printf("  GDI objects (%s): %d before, %d after\n", gdi.how(), before.gdi, after.gdi);
    if (before.user == 0 && after.user == 0)
        std::printf(
            "  USER objects: GetGuiResources answers 0 here (Wine's stub), not counted; windows of the thread instead\n");
    else
        std::printf("  USER objects (GetGuiResources): %d before, %d after\n", before.user, after.user);
    std::printf("  windows of the thread: %d before, %d after\n", before.windows, after.windows);
    std::printf("  heap bytes in use (HeapWalk): %lld before, %lld after\n", before.heap, after.heap);
    std::printf("  committed private memory (VirtualQuery): %lld KiB before, %lld KiB after\n", before.committed / 1024,
                after.committed / 1024);
    if (gdi.kind == GdiCounter::None)
        std::printf("  GDI objects: no way to count them here\n");
}

// Every window opened and every path walked by real messages, then every
// window but the main one closed with its close box, round after round.
void roundsOfEveryPathLeakNothing()
{
    TreeAsCurrentFolder tree;
    FakeClock clock;
    App app(&clock);
    bool allWell = true;
    int pausesWanted = 0;
    int roundsDone = 0;
    auto round = [&] {
        const int n = ++roundsDone;
        const bool opened = openEverything(app, n);
        const bool walked = subfolderAndBack(app, tree.root, n);
        pausesWanted += 3;
        const bool closed = closeAllButMain(app, n);
        const bool ok = opened && walked && closed && app.fe.messages.empty() && IsWindowVisible(app.window("frmMAIN"))
                     && clock.sleeps == pausesWanted;
        if (!ok && allWell)
            std::printf(
                "  a round went wrong: open %d, subfolder and back %d, closed %d, messages %d, pauses %d of %d\n",
                opened, walked, closed, static_cast<int>(app.fe.messages.size()), clock.sleeps, pausesWanted);
        allWell = allWell && ok;
    };
    const GdiCounter gdi;
    for (int i = 0; i < 10 && allWell; ++i)
        round();
    const Usage before = usage(gdi);
    const auto start = win32::Clock().now();
    for (int i = 0; i < rounds && allWell; ++i)
        round();
    const double took = std::chrono::duration<double>(win32::Clock().now() - start).count();
    const Usage after = usage(gdi);
    CHECK(allWell);
    report(gdi, before, after, took);
    if (gdi.kind != GdiCounter::None)
        CHECK(after.gdi - before.gdi <= 8);
    if (before.user != 0 || after.user != 0)
        CHECK(after.user - before.user <= 8);
    CHECK_EQ(after.windows, before.windows);
    CHECK(after.heap - before.heap < 16 * 1024);
    CHECK(after.committed - before.committed < 2 * 1024 * 1024);
}


// --- Random input ---------------------------------------------------------

// The windows the program shows, as the core has them.
std::vector<HWND> shownWindows(App& app)
{
    std::vector<HWND> out;
    for (std::string_view n : app.shell->names())
        if (app.shell->state(n) == WindowState::Visible)
            out.push_back(app.window(std::string(n).c_str()));
    return out;
}

// The messages a user's input makes, posted as the system posts them: a
// press goes to whichever window is at its point then, its title bar or
// close box included.
struct RandomUser {
    Generator& random;
    std::string& doing;
    HWND dragged = nullptr;  // the last window whose title bar was dragged, and where it was
    RECT draggedFrom{};
    int moved = 0;  // drags that moved their window

    void countMove()
    {
        RECT r{};
        if (dragged && GetWindowRect(dragged, &r) && (r.left != draggedFrom.left || r.top != draggedFrom.top))
            ++moved;
        dragged = nullptr;
    }

    POINT somewhere(App& app, HWND w)
    {
        RECT r{};
        GetWindowRect(w, &r);
        // Mostly in one of the window's controls that take input.
        if (random.chance(0.7))
            for (std::string_view n : app.shell->names())
                if (app.window(std::string(n).c_str()) == w) {
                    std::vector<HWND> controls;
                    for (const auto& c : app.shell->form(n)->controls())
                        if (HWND h = app.fe.controlOf(*c);
                            h && kindOf(c->design().type).takesFocus && IsWindowVisible(h))
                            controls.push_back(h);
                    if (!controls.empty())
                        GetWindowRect(controls[random.below(static_cast<int>(controls.size()))], &r);
                }
        return {r.left + random.below(std::max(1L, r.right - r.left)),
                r.top + random.below(std::max(1L, r.bottom - r.top))};
    }
    static LPARAM clientAt(HWND h, POINT p)
    {
        ScreenToClient(h, &p);
        return MAKELPARAM(p.x, p.y);
    }
    void press(App& app, HWND w, bool twice)
    {
        const POINT p = somewhere(app, w);
        HWND target = WindowFromPoint(p);
        const std::vector<HWND> ours = shownWindows(app);
        if (!target || std::find(ours.begin(), ours.end(), GetAncestor(target, GA_ROOT)) == ours.end())
            return;
        SetCursorPos(p.x, p.y);
        const LRESULT hit = SendMessageW(target, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
        doing += " at " + std::to_string(p.x) + "," + std::to_string(p.y) + " hit " + std::to_string(hit);
        if (hit == HTCAPTION) {
            drag(target, p);
        } else if (hit == HTCLIENT) {
            PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, clientAt(target, p));
            PostMessageW(target, WM_LBUTTONUP, 0, clientAt(target, p));
            if (twice) {
                PostMessageW(target, WM_LBUTTONDBLCLK, MK_LBUTTON, clientAt(target, p));
                PostMessageW(target, WM_LBUTTONUP, 0, clientAt(target, p));
            }
        } else if (hit == HTCLOSE) {
            PostMessageW(GetAncestor(target, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(p.x, p.y));
        }
    }
    // A title bar pressed, moved over and let go.
    void drag(HWND w, POINT from)
    {
        doing += " title bar dragged";
        dragged = w;
        GetWindowRect(w, &draggedFrom);
        PostMessageW(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(from.x, from.y));
        POINT p = from;
        for (int n = 1 + random.below(4); n > 0; --n) {
            // Where the mouse can go: on the screen.
            p.x = std::clamp<LONG>(p.x + random.below(200) - 100, 0, GetSystemMetrics(SM_CXSCREEN) - 1);
            p.y = std::clamp<LONG>(p.y + random.below(200) - 100, 0, GetSystemMetrics(SM_CYSCREEN) - 1);
            PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, clientAt(w, p));
        }
        PostMessageW(w, WM_LBUTTONUP, 0, clientAt(w, p));
    }
    void keyTo(HWND h, WPARAM vk, bool alt)
    {
        const LPARAM context = alt ? 0x20000001 : 1;
        PostMessageW(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, context);
        PostMessageW(h, alt ? WM_SYSKEYUP : WM_KEYUP, vk, context | static_cast<LPARAM>(0xC0000000u));
    }
    void text(HWND h, const std::wstring& chars)
    {
        for (wchar_t c : chars)
            PostMessageW(h, WM_CHAR, c, 1);
    }
    void paste(HWND h, int length)
    {
        std::wstring clip(static_cast<size_t>(length), L'x');
        for (size_t i = 0; i < clip.size(); i += 1 + random.below(50))
            clip[i] = random.chance(0.1) ? L'\n' : static_cast<wchar_t>(L' ' + random.below(95));
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            if (HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t))) {
                std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, static_cast<wchar_t*>(GlobalLock(g)));
                GlobalUnlock(g);
                if (!SetClipboardData(CF_UNICODETEXT, g))
                    GlobalFree(g);
            }
            CloseClipboard();
        }
        PostMessageW(h, WM_CHAR, 0x16, 1);  // Ctrl+V
    }

    // One input of a user's, to one of the windows shown.
    void input(App& app, bool paused)
    {
        const std::vector<HWND> windows = shownWindows(app);
        if (windows.empty())
            return;
        HWND w = windows[random.below(static_cast<int>(windows.size()))];
        HWND focus = GetFocus() ? GetFocus() : GetActiveWindow() ? GetActiveWindow() : w;
        static const WPARAM keys[] = {VK_TAB,  VK_SPACE, VK_RETURN, VK_ESCAPE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT,
                                      VK_HOME, VK_END,   VK_NEXT,   VK_F1,     VK_F4, VK_BACK, 'A',     '7'};
        switch (random.below(paused ? 4 : 7)) {
        case 0:
            doing += " click";
            press(app, w, false);
            break;
        case 1:
            doing += " double click";
            press(app, w, true);
            break;
        case 2: {
            const WPARAM vk = keys[random.below(static_cast<int>(std::size(keys)))];
            // Not Alt+Space: the system menu's loop waits for the next key,
            // which this thread, inside it, cannot make.
            const bool alt = random.chance(0.1) && vk != VK_SPACE;
            doing += std::string(" key ") + (alt ? "Alt+" : "") + std::to_string(vk);
            keyTo(focus, vk, alt);
            break;
        }
        case 3: {
            RECT r{};
            GetWindowRect(w, &r);
            // Wine's move loop follows the mouse's real state, which posted
            // messages do not change, so a drag moves nothing there; half
            // the time the window is put where a drag would leave it.
            if (paused || random.chance(0.5)) {
                drag(w, {r.left + random.below(std::max(1L, r.right - r.left - 40)), r.top + 10});
            } else {
                doing += " moved";
                SetWindowPos(
                    w, nullptr,
                    random.below(std::max(1, GetSystemMetrics(SM_CXSCREEN) - static_cast<int>(r.right - r.left))),
                    random.below(std::max(1, GetSystemMetrics(SM_CYSCREEN) - static_cast<int>(r.bottom - r.top))), 0, 0,
                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        }
        case 4: {
            std::wstring word;
            for (int n = 1 + random.below(12); n > 0; --n)
                word += static_cast<wchar_t>(L'a' + random.below(26));
            doing += " word of " + std::to_string(word.size());
            text(focus, word);
            break;
        }
        case 5: {
            const int length = random.chance(0.2) ? 100000 + random.below(100000) : 1 + random.below(200);
            doing += " paste of " + std::to_string(length);
            paste(focus, length);
            break;
        }
        default:
            if (w != app.window("frmMAIN") || random.chance(0.05)) {
                doing += " close box";
                PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
        }
    }
};

// Random real input from a seed (--seeds, --steps): clicks and double
// clicks wherever a window is, title bars dragged, keys, words, pastes,
// close boxes, and input made while the program pauses, which waits in the
// queue until it is over. After every step the hourglass is down and
// every window the program shows is there and on the screen; when the
// program ends it starts again; at the end no file has changed. A failure
// names the seed and the step; the same seed walks the same steps as long
// as the system answers alike (Wine's move loop, for one, sometimes takes
// a posted drag and sometimes not, and the steps after differ).
void randomInputNeverStopsTheProgram()
{
    TreeAsCurrentFolder tree;
    const std::vector<std::string> before = tree.tree.listing();
    const WalkPlan plan = walkPlan(walkSeeds.empty() ? std::vector<uint32_t>{1, 2} : walkSeeds,
                                   walkSteps ? walkSteps : 300);
    const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                      GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const bool logSteps = !environment("VORNAK_WALK_LOG").empty();
    for (const uint32_t seed : plan.seeds) {
        Generator random(seed);
        std::string doing;
        RandomUser user{random, doing};
        FakeClock clock;
        bool held = false;
        auto app = std::make_unique<App>(&clock);
        clock.whileAsleep = [&] {
            if (std::exchange(held, false))
                for (int n = 1 + random.below(4); n > 0; --n)
                    user.input(*app, true);
        };
        int ends = 0, walked = 0;
        std::map<std::string, int> shown;  // each window's showings, over every start
        const auto start = win32::Clock().now();
        bool allWell = true;
        for (int step = 1; step <= plan.steps && allWell; ++step) {
            doing.clear();
            walked = step;
            std::snprintf(where, sizeof where, "seed %u, step %d", seed, step);
            at(where);
            limitFromNow(30'000);  // a step, the program started again included
            if (random.chance(0.15)) {
                doing += " held for the next pause:";
                held = true;
            }
            user.input(*app, false);
            std::snprintf(where, sizeof where, "seed %u, step %d (%s)", seed, step, doing.c_str());
            app->drain();
            user.countMove();
            if (logSteps)
                std::printf("  %s\n", where);
            const auto fail = [&](const std::string& what) {
                check(false,
                      "seed " + std::to_string(seed) + ", step " + std::to_string(step) + " (" + doing + "): " + what,
                      __LINE__);
                allWell = false;
            };
            if (!app->shell->running()) {
                ++ends;
                for (const auto& [n, times] : app->fe.showings)
                    shown[n] += times;
                held = false;
                app.reset();
                app = std::make_unique<App>(&clock);
                continue;
            }
            if (app->fe.cursor != MousePointer::Default)
                fail("the hourglass stays");
            for (std::string_view n : app->shell->names()) {
                if (app->shell->state(n) != WindowState::Visible)
                    continue;
                HWND h = app->window(std::string(n).c_str());
                RECT r{};
                if (!h || !IsWindowVisible(h))
                    fail(std::string(n) + " is shown but not there");
                // Some of its title bar on the screen, where the mouse can
                // take it: a drag leaves its top above the screen by as
                // much as the bar was taken below it.
                else if (GetWindowRect(h, &r),
                         r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) <= screen.top
                             || r.top >= screen.bottom || r.right <= screen.left || r.left >= screen.right)
                    fail(std::string(n) + " has its title bar off the screen, at " + std::to_string(r.left) + ","
                         + std::to_string(r.top) + " on a screen of " + std::to_string(screen.right - screen.left) + "x"
                         + std::to_string(screen.bottom - screen.top));
            }
        }
        clock.whileAsleep = nullptr;
        for (const auto& [n, times] : app->fe.showings)
            shown[n] += times;
        std::string windows;
        for (const auto& [n, times] : shown)
            windows += (windows.empty() ? "" : ", ") + n + " " + std::to_string(times);
        std::printf(
            "  seed %u: %d steps in %.1f s, %d pauses, the program ended and started again %d times, "
            "%d windows moved by their title bars; shown: %s\n",
            seed, walked, std::chrono::duration<double>(win32::Clock().now() - start).count(), clock.sleeps, ends,
            user.moved, windows.c_str());
        PostMessageW(app->window("frmMAIN"), WM_CLOSE, 0, 0);
        app->drain();
        CHECK(!app->shell->running());
    }
    CHECK(tree.tree.listing() == before);
}

}  // namespace

std::vector<TestCase> lifetimeTests()
{
    return {
        {"closing windows", closingWindows},
        {"rounds of every path leak nothing", roundsOfEveryPathLeakNothing},
        {"random input never stops the program", randomInputNeverStopsTheProgram},
    };
}

}  // namespace vornak::test
