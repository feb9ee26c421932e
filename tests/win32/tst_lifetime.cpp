// Windows closed with their close boxes, the program ending with its main
// window, and rounds of every path through the program leaving what the
// process holds where it was.
#include "support.h"

#include <winternl.h>

#include <chrono>
#include <cstdio>
#include <string>

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

char where[96];

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


}  // namespace

std::vector<TestCase> lifetimeTests()
{
    return {
        {"closing windows", closingWindows},
        {"rounds of every path leak nothing", roundsOfEveryPathLeakNothing},
    };
}

}  // namespace vornak::test
