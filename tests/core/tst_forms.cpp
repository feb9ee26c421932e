// The eight window designs as tables: consistent, and as the windows need
// them.
#include "app/controlkind.h"
#include "app/layout.h"
#include "app/pictures.h"
#include "app/placement.h"
#include "app/screen.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <stdexcept>
#include <tuple>

using namespace vornak;

namespace {

const ControlLayout& at(const FormDesign& d, const WindowLayout& w, std::string_view name)
{
    for (size_t i = 0; i < d.controls.size(); ++i)
        if (d.controls[i].name == name)
            return w.controls[i];
    throw std::logic_error(std::string(name) + " is not in " + std::string(d.name));
}

// Each container a frame, made before what it holds.
void checkContainer(const FormDesign& d, const ControlDesign& c)
{
    const auto it = std::find_if(d.controls.begin(), d.controls.end(),
                                 [&](const ControlDesign& o) { return o.name == c.container; });
    ASSERT_NE(it, d.controls.end()) << c.name << " in a missing container";
    EXPECT_EQ(it->type, ControlType::Frame);
    EXPECT_LT(it - d.controls.begin(), &c - d.controls.data());
}

}  // namespace

TEST(Designs, EveryTableIsConsistent)
{
    std::set<std::string_view> windows;
    for (const FormClass* cls : forms::catalogue()) {
        const FormDesign& d = cls->design;
        SCOPED_TRACE(std::string(d.name));
        EXPECT_TRUE(windows.insert(d.name).second) << "window name twice";
        EXPECT_EQ(d.name.substr(0, 3), "frm");

        std::set<std::string_view> names;
        std::vector<int> tabs;
        for (const ControlDesign& c : d.controls) {
            EXPECT_TRUE(names.insert(c.name).second) << c.name << " twice";
            if (!c.container.empty())
                checkContainer(d, c);
            EXPECT_EQ(c.tabIndex >= 0, kindOf(c.type).hasTabIndex) << c.name;
            if (c.tabIndex >= 0)
                tabs.push_back(c.tabIndex);
            if (c.type == ControlType::Image) {
                const PictureInfo* p = findPicture(c.picture);
                ASSERT_NE(p, nullptr) << c.name << " shows an unknown picture";
            }
        }
        std::sort(tabs.begin(), tabs.end());
        for (size_t i = 0; i < tabs.size(); ++i)
            EXPECT_EQ(tabs[i], static_cast<int>(i)) << "tab order has a gap or a repeat";

        EXPECT_EQ(bindingError(*cls), "");
        for (const Binding& b : cls->bindings)
            if (b.control.empty() && b.event == Event::KeyPress) {
                EXPECT_TRUE(d.keyPreview);
            }
    }
    EXPECT_EQ(windows.size(), 8u);
}

// A table with a procedure for a control it does not have, or for an event
// its control never raises, is refused when the program starts, saying
// which.
TEST(Designs, EventTablesAreCheckedAtStart)
{
    static const ControlDesign controls[] = {
        {.type = ControlType::CommandButton, .name = "Command1", .caption = "OK", .tabIndex = 0},
        {.type = ControlType::Label, .name = "Label1", .caption = "text", .tabIndex = 1},
    };
    const Procedure nothing = [](Form&) {};
    auto table = [&](std::vector<Binding> bindings) {
        return FormClass{{.name = "frmTEST", .caption = "Test", .width = 1500, .height = 1500, .controls = controls},
                         std::move(bindings)};
    };
    EXPECT_EQ(bindingError(table({{"Command1", Event::Click, nothing}, {{}, Event::Load, nothing}})), "");
    EXPECT_EQ(bindingError(table({{"Command9", Event::Click, nothing}})),
              "frmTEST: Command9_Click is bound to Command9, a control the window does not have");
    EXPECT_EQ(bindingError(table({{"Label1", Event::Click, nothing}})),
              "frmTEST: Label1_Click is bound to an event its control never raises");
    EXPECT_EQ(bindingError(table({{"Command1", Event::PathChange, nothing}})),
              "frmTEST: Command1_PathChange is bound to an event its control never raises");
    EXPECT_EQ(bindingError(table({{{}, Event::Click, nothing}})),
              "frmTEST: Form_Click is bound to an event its form never raises");
    EXPECT_EQ(bindingError(table({{"Command1", Event::Click, nothing}, {"Command1", Event::Click, nothing}})),
              "frmTEST: Command1_Click is bound twice");

    const FormClass bad = table({{"Command9", Event::Click, nothing}});
    const std::vector<const FormClass*> catalogue{&bad};
    test::RecordingFrontEnd ui;
    posix::FileSystem fs(std::make_unique<test::FakeDrives>());
    EXPECT_DEATH(Shell(catalogue, ui, fs), "Command9_Click is bound to Command9, a control the window does not have");
}

// Every picture is exactly as large as its image control, or the control
// adds a two-pixel border all round; every control lies inside its window
// or frame.
TEST(Designs, PicturesFitTheirImagesAndControlsTheirWindows)
{
    for (const FormClass* cls : forms::catalogue()) {
        const FormDesign& d = cls->design;
        for (const ControlDesign& c : d.controls) {
            SCOPED_TRACE(std::string(d.name) + "." + std::string(c.name));
            if (c.type == ControlType::Image) {
                const PictureInfo* p = findPicture(c.picture);
                ASSERT_NE(p, nullptr);
                const int border = c.border ? 4 : 0;
                EXPECT_EQ(twipsToPixels(c.width, 96), p->width + border);
                EXPECT_EQ(twipsToPixels(c.height, 96), p->height + border);
            }
            if (kindOf(c.type).twoPoints || c.type == ControlType::Image)
                continue;  // a line's numbers are two points; the last picture overhangs by design
            int width = d.width, height = d.height;
            if (!c.container.empty()) {
                const auto frame = std::find_if(d.controls.begin(), d.controls.end(),
                                                [&](const ControlDesign& o) { return o.name == c.container; });
                width = frame->width;
                height = frame->height;
            }
            EXPECT_LE(c.left + c.width, width);
            EXPECT_LE(c.top + c.height, height);
        }
    }
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(5070, 120), 423);  // 422.5 rounds up
    EXPECT_EQ(twipsToPixels(1440, 144), 144);
}

// The layout every front end uses: client areas exact at any resolution,
// what a frame holds placed in the frame, a line's box spanning its end
// points, the stacking, the arrow keys' groups and the labels that name the
// fields.
TEST(Designs, LayoutOfTheWindows)
{
    auto size = [](const FormClass& cls, int dpi) {
        const WindowLayout w = layOut(cls.design, dpi);
        return std::pair{w.width, w.height};
    };
    EXPECT_EQ(size(forms::frmABOUT(), 144), std::pair(404, 291));
    EXPECT_EQ(size(forms::frmSETUP(), 144), std::pair(539, 393));
    EXPECT_EQ(size(forms::frmMAIN(), 120), std::pair(423, 451));
    const FormDesign& setup = forms::frmSETUP().design;
    const WindowLayout s = layOut(setup, 96);
    const ControlLayout& frame = at(setup, s, "Frame1");
    const ControlLayout& option = at(setup, s, "Option1");
    EXPECT_EQ(std::pair(option.box.left, option.box.top), std::pair(16, 24));  // in the frame
    EXPECT_EQ(std::pair(option.inWindow.left, option.inWindow.top), std::pair(frame.box.left + 16, frame.box.top + 24));
    EXPECT_EQ(frame.stack + 1, at(setup, s, "Option3").stack);  // right below the last option it holds
    std::string starts;
    for (std::string_view name : {"Option1", "Option2", "Option3", "Option4", "Option5", "Check1", "Label1"})
        starts += at(setup, s, name).groupStart ? '1' : '0';
    EXPECT_EQ(starts, "1001010");
    std::set<int> stacked(s.stacking.begin(), s.stacking.end());  // each control once
    EXPECT_EQ(stacked.size(), s.stacking.size());
    EXPECT_EQ(stacked.size(), setup.controls.size());
    EXPECT_LT(at(setup, s, "Label1").stack, at(setup, s, "OK_SETUP").stack);

    const FormDesign& main = forms::frmMAIN().design;
    const WindowLayout m = layOut(main, 96);
    const ControlLayout& line = at(main, m, "Line1");
    EXPECT_EQ(std::tuple(line.box.left, line.box.top, line.box.width, line.box.height), std::tuple(16, 96, 305, 1));
    EXPECT_EQ(std::tuple(line.from.x, line.from.y, line.to.x, line.to.y), std::tuple(0, 0, 304, 0));

    const FormDesign& hard = forms::frmHARD().design;
    const WindowLayout h = layOut(hard, 96);
    for (int i = 1; i <= 6; ++i) {
        const int label = at(hard, h, "Text" + std::to_string(i)).label;
        ASSERT_GE(label, 0);
        EXPECT_EQ(hard.controls[static_cast<size_t>(label)].name, "Label" + std::to_string(i));
    }
    EXPECT_EQ(at(hard, h, "TEST").label, -1);
}

// Every screen gets the era's nearest resolution enlarged by a whole
// number: the usual settings and ratios, and each side of the boundaries.
TEST(Designs, EveryScreenIsDrawnAtAnEraResolutionTimesAWholeNumber)
{
    // clang-format off
    const std::tuple<double, int, int> screens[] = {
        {0, 96, 1}, {-1, 96, 1}, {NAN, 96, 1}, {72, 96, 1}, {96, 96, 1}, {107, 96, 1}, {108, 120, 1},
        {120, 120, 1}, {131, 120, 1}, {132, 144, 1}, {144, 144, 1}, {166, 144, 1}, {168, 96, 2}, {192, 96, 2},
        {214, 96, 2}, {216, 120, 2}, {240, 120, 2}, {252, 120, 2}, {262, 120, 2}, {263, 96, 3}, {288, 96, 3},
        {336, 120, 3}, {384, 96, 4}, {432, 144, 3}, {480, 96, 5}, {96 * 1.25, 120, 1}, {96 * 1.5, 144, 1},
        {96 * 1.75, 96, 2}, {96 * 2.625, 120, 2}, {96 * 3.5, 120, 3},
    };
    // clang-format on
    for (const auto& [dpi, design, factor] : screens)
        EXPECT_EQ(drawingFor(dpi), (Drawing{design, factor})) << dpi << " dpi";
}

TEST(Designs, FocusStartsWhereEachWindowWantsIt)
{
    test::TempTree tree;
    test::Program p(tree.root());
    const std::pair<std::string_view, std::string_view> first[] = {
        {"frmMAIN", "Command1"}, {"frmSETUP", "OK_SETUP"}, {"frmNO", "Command1"}, {"frmNO1", "Command1"},
        {"frmRUN", "Command1"},  {"frmHARD", "Text1"},     {"frmABOUT", ""},      {"frmFINAL", ""},
    };
    for (const auto& [window, control] : first) {
        Form& f = p.shell().show(window);
        Control* c = f.firstFocus();
        EXPECT_EQ(c ? c->name() : std::string_view(), control) << window;
    }
    std::vector<std::string> order;
    for (Control* c : p.form("frmMAIN").tabOrder())
        order.emplace_back(c->name());
    std::vector<std::string> walk = test::tabWalk(p.form("frmMAIN").design());
    walk.pop_back();  // round to the first again
    EXPECT_EQ(order, walk);
}

// The arrow keys go round each option group in tab order, wrapping at the
// ends, and leave the other group alone; an arrow key puts the focus on the
// option it reaches before it chooses it, and does nothing elsewhere.
TEST(Designs, ArrowKeysGoRoundEachOptionGroup)
{
    test::TempTree tree;
    test::Program p(tree.root());
    Form& setup = p.shell().show("frmSETUP");
    auto walk = [&](std::string_view from, bool forward) {
        std::vector<std::string_view> seen{from};
        OptionButton* at = &setup.get<OptionButton>(from);
        for (int i = 0; i < 3; ++i) {
            at = &at->neighbour(forward);
            seen.push_back(at->name());
        }
        return seen;
    };
    using V = std::vector<std::string_view>;
    EXPECT_EQ(walk("Option1", true), (V{"Option1", "Option2", "Option3", "Option1"}));
    EXPECT_EQ(walk("Option1", false), (V{"Option1", "Option3", "Option2", "Option1"}));
    EXPECT_EQ(walk("Option5", true), (V{"Option5", "Option4", "Option5", "Option4"}));
    EXPECT_EQ(walk("Option4", false), (V{"Option4", "Option5", "Option4", "Option5"}));
    setup["Check1"].userArrow(true);
    EXPECT_EQ(p.ui.entries("focus"), std::vector<std::string>{});
    EXPECT_EQ(setup.get<CheckBox>("Check1").value(), 1);
    setup["Option5"].userArrow(false);
    EXPECT_EQ(p.ui.entries("focus"), std::vector<std::string>{"focus frmSETUP.Option4"});
    const auto& log = p.ui.log;
    const auto focus = std::find(log.begin(), log.end(), "focus frmSETUP.Option4");
    EXPECT_LT(focus, std::find(log.begin(), log.end(), "value frmSETUP.Option4 -1"));
}

// A window's frame is centred on its owner or on the work area, then kept
// inside the work area with its title bar reachable, whatever the sizes.
TEST(Designs, FramesAreCentredAndKeptOnTheWorkArea)
{
    FormDesign dialog{.position = StartPosition::CentreOwner};
    FormDesign main{.position = StartPosition::CentreScreen};
    const Rect screen{0, 0, 1024, 768};
    const Rect panelAbove{0, 30, 1024, 738};
    const Rect owner{100, 80, 346, 390};
    const Rect ownerUpLeft{-300, -200, 346, 390};
    const Rect ownerDownRight{900, 700, 346, 390};
    struct Case {
        const char* what;
        const FormDesign& design;
        int width, height;
        const Rect* owner;
        Rect work;
        int x, y;
    } cases[] = {
        {"on the screen", main, 346, 390, nullptr, screen, 339, 189},
        {"below a panel", main, 346, 390, nullptr, panelAbove, 339, 204},
        {"on its owner", dialog, 200, 100, &owner, screen, 173, 225},
        {"no owner: on the screen", dialog, 200, 100, nullptr, screen, 412, 334},
        {"an owner it does not follow", main, 200, 100, &owner, screen, 412, 334},
        {"an owner off the left and top edges", dialog, 200, 100, &ownerUpLeft, screen, 0, 0},
        {"an owner off the right and bottom edges", dialog, 200, 100, &ownerDownRight, screen, 824, 668},
        {"taller than the screen: title bar at the top", main, 509, 569, nullptr, Rect{0, 0, 640, 480}, 65, 0},
        {"larger than the work area both ways", main, 1100, 800, nullptr, panelAbove, 0, 30},
        {"a second screen to the left", main, 346, 390, nullptr, Rect{-1280, 0, 1280, 1024}, -813, 317},
    };
    for (const Case& c : cases) {
        const Point p = placeFrame(c.design, c.width, c.height, c.owner, c.work);
        EXPECT_EQ(p.x, c.x) << c.what;
        EXPECT_EQ(p.y, c.y) << c.what;
    }
}
