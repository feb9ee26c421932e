// Window lifetime, the program-wide cursor and the busy pause.
#include "app/steadyclock.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace vornak;
using test::Program;
using test::TempTree;

TEST(Lifetime, OnlyTheMainWindowExistsAfterStart)
{
    TempTree tree;
    Program p(tree.root());
    for (std::string_view name : p.shell().names())
        EXPECT_EQ(p.shell().state(name), name == "frmMAIN" ? WindowState::Visible : WindowState::Absent) << name;
    // Form_Load ran before the window was shown.
    EXPECT_EQ(p.ui.log, (std::vector<std::string>{"create frmMAIN", "show frmMAIN first"}));
    EXPECT_EQ(p.control<Label>("frmMAIN", "Label1").caption(), "Path: " + tree.root().string());
}

TEST(Lifetime, ShowTwiceRaisesAndHideKeepsValues)
{
    TempTree tree;
    Program p(tree.root());
    p.click("frmMAIN", "Command1");
    p.click("frmMAIN", "Command1");
    EXPECT_EQ(p.ui.entries("create frmSETUP").size(), 1u);
    EXPECT_EQ(p.ui.entries("show frmSETUP"), (std::vector<std::string>{"show frmSETUP owner=frmMAIN first"}));
    EXPECT_EQ(p.ui.entries("raise frmSETUP").size(), 1u);

    p.click("frmSETUP", "Check1");  // clear "Texture Mapping"
    p.click("frmSETUP", "Check6");  // set "Texture Filtering"
    p.click("frmSETUP", "OK_SETUP");
    EXPECT_EQ(p.shell().state("frmSETUP"), WindowState::Hidden);
    p.click("frmMAIN", "Command1");
    EXPECT_EQ(p.ui.entries("show frmSETUP").back(), "show frmSETUP owner=frmMAIN");
    EXPECT_EQ(p.control<CheckBox>("frmSETUP", "Check1").value(), 0);
    EXPECT_EQ(p.control<CheckBox>("frmSETUP", "Check6").value(), 1);

    // The close box unloads; the next Show starts from the design.
    p.form("frmSETUP").userClose();
    EXPECT_EQ(p.shell().state("frmSETUP"), WindowState::Absent);
    EXPECT_TRUE(p.shell().running());
    p.click("frmMAIN", "Command1");
    EXPECT_EQ(p.control<CheckBox>("frmSETUP", "Check1").value(), 1);
    EXPECT_EQ(p.control<CheckBox>("frmSETUP", "Check6").value(), 0);
    EXPECT_EQ(p.ui.entries("create frmSETUP").size(), 2u);
}

TEST(Lifetime, ClosingTheMainWindowEndsTheProgram)
{
    TempTree tree;
    {
        Program p(tree.root());
        p.form("frmMAIN").userClose();
        EXPECT_FALSE(p.shell().running());
        EXPECT_EQ(p.ui.log.back(), "quit");
    }
    {
        // Hidden dialogs do not keep it running.
        Program p(tree.root());
        p.click("frmMAIN", "Command1");
        p.click("frmSETUP", "OK_SETUP");
        p.form("frmMAIN").userClose();
        EXPECT_FALSE(p.shell().running());
        EXPECT_EQ(p.shell().state("frmSETUP"), WindowState::Absent);
        EXPECT_EQ(p.ui.entries("destroy").size(), 2u);
        EXPECT_EQ(p.ui.entries("quit").size(), 1u);
    }
}

TEST(Pause, StallsThreeSecondsUnderTheHourglass)
{
    TempTree tree;
    Program p(tree.root());
    p.shell().setHourglass();
    const auto before = p.clock.t;
    p.shell().busyPause();
    EXPECT_EQ(p.clock.t - before, std::chrono::seconds(3));
    EXPECT_EQ(p.ui.cursorAtFlush, MousePointer::Hourglass);        // drawn before the stall
    EXPECT_EQ(p.shell().mousePointer(), MousePointer::Hourglass);  // nothing resets it by itself
}

// A clock whose sleeps end early, as a signal or a coarse timer may make
// them: the pause sleeps again until the deadline.
class EarlyWakingClock : public Clock {
public:
    time_point t{};
    int sleeps = 0;
    time_point now() override { return t; }
    void sleepUntil(time_point deadline) override
    {
        ++sleeps;
        t += (deadline - t) / 2 + std::chrono::microseconds(1);
    }
};

TEST(Pause, SleepsAgainAfterAnEarlyWakeUp)
{
    EarlyWakingClock clock;
    stall(clock);
    EXPECT_GE(clock.t - Clock::time_point{}, kPauseLength);
    EXPECT_LT(clock.t - Clock::time_point{}, kPauseLength + std::chrono::milliseconds(1));
    EXPECT_GT(clock.sleeps, 1);
}

TEST(Pause, RealPauseOnTheSteadyClock)
{
    SteadyClock clock;
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    stall(clock);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::seconds(3));
    EXPECT_LT(took, std::chrono::milliseconds(3500));
    // It sleeps: a spinning pause would use three seconds of processor time.
    EXPECT_LT(static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC, 0.3);
}
