// Every path through the program, headless, with the order of what happens.
#include "testing.h"

#include <gtest/gtest.h>

using namespace vornak;
using test::Program;
using test::TempTree;

namespace {

// The log from the first entry that starts with a prefix.
std::vector<std::string> from(const std::vector<std::string>& log, const std::string& prefix)
{
    for (size_t i = 0; i < log.size(); ++i)
        if (log[i].rfind(prefix, 0) == 0)
            return {log.begin() + static_cast<long>(i), log.end()};
    return {};
}

}  // namespace

TEST(Walks, DisallowedMemoryShowsTheErrorThenIsPutBack)
{
    TempTree tree;
    Program p(tree.root());
    p.click("frmMAIN", "Command1");
    for (const char* option : {"Option3", "Option2"}) {
        SCOPED_TRACE(option);
        p.ui.log.clear();
        p.click("frmSETUP", option);
        // Chosen, then the error shown, then "2048 k" put back.
        const std::vector<std::string> walk = from(p.ui.log, std::string("value frmSETUP.") + option + " -1");
        const std::vector<std::string> shown = from(walk,
                                                    std::string(option) == "Option3" ? "show frmNO" : "raise frmNO");
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(from(shown, "value frmSETUP.Option1"), (std::vector<std::string>{"value frmSETUP.Option1 -1"}));
        EXPECT_EQ(p.control<OptionButton>("frmSETUP", "Option1").value(), kTrue);
        EXPECT_EQ(p.control<OptionButton>("frmSETUP", option).value(), kFalse);
        EXPECT_EQ(p.shell().state("frmNO"), WindowState::Visible);
    }
    // The second choice brought the same error dialog to the front.
    EXPECT_EQ(p.ui.entries("create frmNO").size(), 0u);
    EXPECT_EQ(p.ui.entries("raise frmNO").size(), 1u);
    EXPECT_EQ(p.control<OptionButton>("frmSETUP", "Option5").value(), kTrue);  // the other group untouched
}

TEST(Walks, FastRamdacIsPutBackBeforeTheErrorShows)
{
    TempTree tree;
    Program p(tree.root());
    p.click("frmMAIN", "Command1");
    p.ui.log.clear();
    p.click("frmSETUP", "Option4");
    EXPECT_EQ(p.ui.log, (std::vector<std::string>{
                            "value frmSETUP.Option5 0",
                            "value frmSETUP.Option4 -1",
                            "value frmSETUP.Option4 0",
                            "value frmSETUP.Option5 -1",
                            "create frmNO1",
                            "show frmNO1 owner=frmSETUP first",
                        }));
    EXPECT_EQ(p.control<OptionButton>("frmSETUP", "Option1").value(), kTrue);

    // The allowed values show nothing; "OK" on the error leaves the dialog be.
    p.ui.log.clear();
    p.click("frmSETUP", "Option5");
    p.click("frmSETUP", "Option1");
    EXPECT_TRUE(p.ui.log.empty());
    p.click("frmNO1", "Command1");
    EXPECT_EQ(p.shell().state("frmNO1"), WindowState::Hidden);
    EXPECT_EQ(p.shell().state("frmSETUP"), WindowState::Visible);
}

TEST(Walks, EveryRunEndsInTheDriverErrorAfterThePause)
{
    TempTree tree;
    Program p(tree.root());
    for (int run = 0; run < 3; ++run) {
        SCOPED_TRACE(run);
        p.ui.log.clear();
        const auto before = p.clock.t;
        p.click("frmMAIN", "Command3");
        EXPECT_EQ(p.clock.t - before, std::chrono::seconds(3));
        // The hourglass is on screen for the pause; the default cursor is
        // back before the dialog shows.
        std::vector<std::string> expected{"cursor 11", "flush", "cursor 0", "show frmRUN owner=frmMAIN"};
        if (run != 1) {
            expected.insert(expected.begin() + 1, "create frmRUN");
            expected.back() += " first";
        }
        EXPECT_EQ(p.ui.log, expected);
        EXPECT_EQ(p.shell().mousePointer(), MousePointer::Default);
        p.click("frmRUN", "Command1");
        EXPECT_EQ(p.shell().state("frmRUN"), WindowState::Hidden);
        if (run == 1)
            p.form("frmRUN").userClose();  // the next run loads it afresh
    }
}

TEST(Walks, TestSystemWritesTheCannedResultsAfterThePause)
{
    TempTree tree;
    Program p(tree.root());
    p.click("frmMAIN", "Command1");
    p.click("frmSETUP", "HARD_SETUP");
    EXPECT_EQ(p.ui.entries("show frmHARD").front(), "show frmHARD owner=frmSETUP first");
    p.control<TextBox>("frmHARD", "Text3").userEdit("typed by the user");

    std::string duringPause = "unset";
    p.clock.whileAsleep = [&] { duringPause = p.control<TextBox>("frmHARD", "Text1").text(); };
    p.click("frmHARD", "TEST");
    EXPECT_EQ(duringPause, "");
    EXPECT_EQ(p.ui.cursorAtFlush, MousePointer::Hourglass);
    EXPECT_EQ(p.shell().mousePointer(), MousePointer::Default);
    const std::pair<const char*, const char*> expected[] = {
        {"Text1", "INTEL P55 MMX 200 Mhz, Stepping 3"},
        {"Text2", "64 mb SDRAM, 10 ns"},
        {"Text3", "Quantum Pioneer 2.1 Gb"},
        {"Text4", "BCD BTC 8x"},
        {"Text5", "SB16, SB32 or AWE32 Compatible"},
        {"Text6", "VX Chipset Compatible"},
    };
    for (const auto& [field, text] : expected)
        EXPECT_EQ(p.control<TextBox>("frmHARD", field).text(), text) << field;

    // Cancel and back: the fields are still filled, with no new test.
    const int sleeps = p.clock.sleeps;
    p.click("frmHARD", "Command2");
    p.click("frmSETUP", "HARD_SETUP");
    EXPECT_EQ(p.clock.sleeps, sleeps);
    EXPECT_EQ(p.control<TextBox>("frmHARD", "Text6").text(), "VX Chipset Compatible");
    // Two presses: two pauses.
    p.click("frmHARD", "TEST");
    p.click("frmHARD", "TEST");
    EXPECT_EQ(p.clock.sleeps, sleeps + 2);
}

TEST(Walks, AKeyInTheAboutDialogOpensTheFinalPicture)
{
    TempTree tree;
    Program p(tree.root());
    p.click("frmMAIN", "Command2");
    Form& about = p.form("frmABOUT");
    EXPECT_EQ(about.firstFocus(), nullptr);
    p.form("frmMAIN").userKeyPress('x');  // the main window does not preview keys
    EXPECT_EQ(p.shell().state("frmFINAL"), WindowState::Absent);

    for (int key : {int('a'), int('7'), int(' '), int('\r'), 0x1B, int('\b')}) {
        SCOPED_TRACE(key);
        const auto before = p.clock.t;
        about.userKeyPress(key);
        EXPECT_EQ(p.clock.t - before, std::chrono::seconds(3));
        EXPECT_EQ(p.shell().state("frmFINAL"), WindowState::Visible);
        EXPECT_EQ(p.shell().mousePointer(), MousePointer::Default);
        EXPECT_EQ(p.shell().state("frmABOUT"), WindowState::Visible);
    }
    EXPECT_EQ(p.ui.entries("create frmFINAL").size(), 1u);
    EXPECT_EQ(p.ui.entries("raise frmFINAL").size(), 5u);

    p.form("frmFINAL").userClose();
    about.userKeyPress('q');
    EXPECT_EQ(p.ui.entries("create frmFINAL").size(), 2u);
}

TEST(Walks, ACloseDuringAProcedureWaitsUntilItReturns)
{
    TempTree tree;
    Program p(tree.root());
    p.click("frmMAIN", "Command1");
    p.click("frmSETUP", "HARD_SETUP");
    // A front end that handles a close box while the pause runs (it should
    // not, but a nested message loop could): the window outlives the call.
    p.clock.whileAsleep = [&] { p.form("frmHARD").userClose(); };
    p.click("frmHARD", "TEST");
    EXPECT_EQ(p.shell().state("frmHARD"), WindowState::Absent);
    EXPECT_EQ(p.shell().mousePointer(), MousePointer::Default);
}

// A front end that reports the core's own changes back as the user's (a
// toolkit whose controls signal every change) changes nothing: the core
// takes what arrives while it is at work as its own.
TEST(Walks, TheCoresOwnChangesReportedBackChangeNothing)
{
    for (bool echoes : {false, true}) {
        SCOPED_TRACE(echoes ? "echoed" : "not echoed");
        TempTree tree;
        Program p(tree.root());
        p.ui.echoes = echoes;
        p.click("frmMAIN", "Command1");
        p.click("frmSETUP", "Option3");
        p.click("frmSETUP", "Option4");
        p.click("frmSETUP", "Check6");
        EXPECT_EQ(p.control<OptionButton>("frmSETUP", "Option1").value(), kTrue);
        EXPECT_EQ(p.control<OptionButton>("frmSETUP", "Option5").value(), kTrue);
        EXPECT_EQ(p.control<CheckBox>("frmSETUP", "Check6").value(), 1);
        EXPECT_EQ(p.ui.shown("frmNO"), 1);
        EXPECT_EQ(p.ui.shown("frmNO1"), 1);
    }
}
