// The busy pause: three seconds under the hourglass, nothing handled
// meanwhile, and everything the user did during it delivered afterwards, in
// order.
#include "support.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace vornak::test {

namespace {

void runExePausesThenShowsTheDriverError()
{
    App app;
    HWND run = app.control("frmMAIN", "Command3");
    const double first = secondsOf([&] { SendMessageW(run, BM_CLICK, 0, 0); });
    app.drain();
    std::printf("  Run EXE pause (first): %.3f s\n", first);
    CHECK(first >= 2.95 && first < 3.5);
    CHECK(app.visible("frmRUN"));
    CHECK(text(app.control("frmRUN", "Label1")).rfind("Fatal Error: code 003F.", 0) == 0);
    CHECK(app.shell->mousePointer() == MousePointer::Default);
    SendMessageW(app.control("frmRUN", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    CHECK(!IsWindowVisible(app.window("frmRUN")));
    // Once loaded, it pauses before it is shown again.
    const double second = secondsOf([&] { SendMessageW(run, BM_CLICK, 0, 0); });
    std::printf("  Run EXE pause (again): %.3f s\n", second);
    CHECK(second >= 2.95 && second < 3.5);
    app.drain();
    CHECK(app.visible("frmRUN"));
    CHECK(app.fe.messages.empty());
}

const char* const kCannedResults[] = {
    "INTEL P55 MMX 200 Mhz, Stepping 3", "64 mb SDRAM, 10 ns",   "Quantum Pioneer 2.1 Gb", "BCD BTC 8x",
    "SB16, SB32 or AWE32 Compatible",    "VX Chipset Compatible"};

// "Test System" pressed with the pointer resting on the dialog; while the
// window thread sleeps, a second thread reads the cursor, then types two
// characters and presses Cancel. All three must wait for the pause.
void testSystemWithInputDuringThePause(App& app)
{
    HWND text1 = app.control("frmHARD", "Text1");
    HWND cancel = app.control("frmHARD", "Command2");
    pointAt(app.control("frmHARD", "Label7"));
    app.drain();
    PauseWatch watch;
    std::atomic<int> hourglassDuringPause{-1};
    watch.duringPause = [&] {
        hourglassDuringPause = static_cast<int>(app.fe.pointer());
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
    CHECK_EQ(hourglassDuringPause.load(), static_cast<int>(MousePointer::Hourglass));
    CHECK(watch.sawHourglass);
}

void testSystemShowsTheHourglassAndQueuesInput()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    SendMessageW(app.control("frmSETUP", "HARD_SETUP"), BM_CLICK, 0, 0);
    app.drain();
    CHECK(app.visible("frmHARD"));
    HWND hard = app.window("frmHARD");
    testSystemWithInputDuringThePause(app);
    // Nothing was handled during the pause: the texts are fresh and the
    // window is still there.
    for (int i = 0; i < 6; ++i) {
        const std::string name = "Text" + std::to_string(i + 1);
        CHECK_EQ(text(app.control("frmHARD", name.c_str())), std::string(kCannedResults[i]));
    }
    CHECK(IsWindowVisible(hard));
    CHECK(app.shell->mousePointer() == MousePointer::Default);
    // Now the queued input arrives, in the order it was sent.
    app.drain();
    CHECK_EQ(text(app.control("frmHARD", "Text1")), std::string("ab") + kCannedResults[0]);
    CHECK_EQ(app.form("frmHARD").get<TextBox>("Text1").text(), std::string("ab") + kCannedResults[0]);
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
    app.drain();
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
    app.drain();
    CHECK(app.visible("frmFINAL"));
    CHECK(app.shell->mousePointer() == MousePointer::Default);
    CHECK(app.fe.messages.empty());
}

// A thousand clicks and a thousand characters posted while the window
// thread is stalled in one pause arrive after it, in the order posted.
void aThousandInputsDuringOnePause()
{
    FakeClock clock;
    App app(&clock);
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    SendMessageW(app.control("frmSETUP", "HARD_SETUP"), BM_CLICK, 0, 0);
    app.drain();
    CHECK(app.visible("frmSETUP") && app.visible("frmHARD"));
    HWND check6 = app.control("frmSETUP", "Check6");
    HWND text2 = app.control("frmHARD", "Text2");
    std::string digits;
    for (int i = 0; i < 1000; ++i)
        digits += static_cast<char>('0' + i % 10);
    bool postedAll = true;
    clock.whileAsleep = [&] {
        for (int i = 0; i < 1000; ++i) {
            if (i < 999)
                postedAll = PostMessageW(check6, BM_CLICK, 0, 0) && postedAll;
            postedAll = PostMessageW(text2, WM_CHAR, static_cast<WPARAM>(digits[static_cast<size_t>(i)]), 1)
                     && postedAll;
        }
    };
    SendMessageW(app.control("frmMAIN", "Command3"), BM_CLICK, 0, 0);  // the driver error pauses as it loads
    clock.whileAsleep = nullptr;
    CHECK(postedAll);
    CHECK_EQ(clock.sleeps, 1);
    // Nothing of it was handled during the pause.
    CHECK_EQ(text(text2), std::string());
    CHECK_EQ(SendMessageW(check6, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    CHECK(app.visible("frmRUN"));
    CHECK(app.waitFor([&] { return text(text2).size() >= 1000; }));
    app.drain();
    CHECK_EQ(text(text2), digits);
    CHECK_EQ(app.form("frmHARD").get<TextBox>("Text2").text(), digits);
    CHECK_EQ(SendMessageW(check6, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));  // 999 toggles
    CHECK_EQ(app.form("frmSETUP").get<CheckBox>("Check6").value(), 1);
    CHECK_EQ(clock.sleeps, 1);
    CHECK(app.fe.messages.empty());
}


}  // namespace

std::vector<TestCase> pauseTests()
{
    return {
        {"Run EXE pauses, then shows the driver error", runExePausesThenShowsTheDriverError},
        {"Test System shows the hourglass and queues input", testSystemShowsTheHourglassAndQueuesInput},
        {"the About key leads to the final picture", aboutKeyLeadsToTheFinalPicture},
        {"a thousand inputs during one pause arrive after it, in order", aThousandInputsDuringOnePause},
    };
}

}  // namespace vornak::test
