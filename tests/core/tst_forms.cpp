// The eight window designs as tables: consistent, and as the windows need
// them.
#include "app/pictures.h"
#include "app/placement.h"
#include "testing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace vornak;

namespace {

bool eventFits(ControlType type, std::string_view event)
{
    switch (type) {
    case ControlType::CommandButton:
    case ControlType::OptionButton:
    case ControlType::CheckBox: return event == "Click";
    case ControlType::DriveList:
    case ControlType::DirList:
    case ControlType::TextBox: return event == "Change";
    case ControlType::FileList: return event == "PathChange" || event == "Click";
    default: return false;
    }
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
            if (!c.container.empty()) {
                // A container is a frame created before what it holds.
                const auto it = std::find_if(d.controls.begin(), d.controls.end(),
                                             [&](const ControlDesign& o) { return o.name == c.container; });
                ASSERT_NE(it, d.controls.end()) << c.name << " in a missing container";
                EXPECT_EQ(it->type, ControlType::Frame);
                EXPECT_LT(it - d.controls.begin(), &c - d.controls.data());
            }
            const bool inTabOrder = c.type != ControlType::Image && c.type != ControlType::Line;
            EXPECT_EQ(c.tabIndex >= 0, inTabOrder) << c.name;
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

        for (const Binding& b : cls->bindings) {
            if (b.control.empty()) {
                EXPECT_TRUE(b.event == "Load" || b.event == "KeyPress") << b.event;
                if (b.event == "KeyPress") {
                    EXPECT_TRUE(d.keyPreview);
                }
                continue;
            }
            const auto it = std::find_if(d.controls.begin(), d.controls.end(),
                                         [&](const ControlDesign& o) { return o.name == b.control; });
            ASSERT_NE(it, d.controls.end()) << "procedure for a missing control " << b.control;
            EXPECT_TRUE(eventFits(it->type, b.event)) << b.control << "_" << b.event;
        }
    }
    EXPECT_EQ(windows.size(), 8u);
}

TEST(Designs, ClientAreasAndPicturesAtNinetySixDpi)
{
    struct Row { std::string_view name; int w, h; Icon icon; };
    const Row rows[] = {
        {"frmMAIN", 338, 361, Icon::Bolt}, {"frmSETUP", 359, 262, Icon::Bolt}, {"frmNO", 313, 65, Icon::Match},
        {"frmNO1", 313, 65, Icon::Match},  {"frmRUN", 313, 97, Icon::Match},   {"frmHARD", 333, 240, Icon::Bolt},
        {"frmABOUT", 269, 194, Icon::Bolt}, {"frmFINAL", 620, 306, Icon::Bolt},
    };
    for (const Row& r : rows) {
        const auto& all = forms::catalogue();
        const auto it = std::find_if(all.begin(), all.end(), [&](const FormClass* c) { return c->design.name == r.name; });
        ASSERT_NE(it, all.end());
        const FormDesign& d = (*it)->design;
        EXPECT_EQ(twipsToPixels(d.width, 96), r.w) << r.name;
        EXPECT_EQ(twipsToPixels(d.height, 96), r.h) << r.name;
        EXPECT_EQ(d.icon, r.icon) << r.name;
        EXPECT_EQ(d.showInTaskbar, r.name == "frmMAIN");
        // Every picture is exactly as large as its image control, or the
        // control adds a two-pixel border all round.
        for (const ControlDesign& c : d.controls) {
            if (c.type != ControlType::Image)
                continue;
            const PictureInfo* p = findPicture(c.picture);
            const int border = c.border ? 4 : 0;
            EXPECT_EQ(twipsToPixels(c.width, 96), p->width + border) << r.name << "." << c.name;
            EXPECT_EQ(twipsToPixels(c.height, 96), p->height + border) << r.name << "." << c.name;
        }
    }
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(5070, 120), 423);  // 422.5 rounds up
    EXPECT_EQ(twipsToPixels(1440, 144), 144);
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
    std::vector<std::string_view> order;
    for (Control* c : p.form("frmMAIN").tabOrder())
        order.push_back(c->name());
    EXPECT_EQ(order, (std::vector<std::string_view>{"Command1", "Command2", "Command3", "Dir1", "Drive1", "File1"}));
}

// The arrow keys go round each option group in tab order, wrapping at the
// ends, and leave the other group alone.
TEST(Designs, ArrowKeysGoRoundEachOptionGroup)
{
    test::TempTree tree;
    test::Program p(tree.root());
    Form& setup = p.shell().show("frmSETUP");
    auto walk = [&](std::string_view from, bool forward) {
        std::vector<std::string_view> seen{from};
        const Control* at = &setup[from];
        for (int i = 0; i < 3; ++i) {
            at = setup.nextInGroup(*at, forward);
            seen.push_back(at->name());
        }
        return seen;
    };
    using V = std::vector<std::string_view>;
    EXPECT_EQ(walk("Option1", true), (V{"Option1", "Option2", "Option3", "Option1"}));
    EXPECT_EQ(walk("Option1", false), (V{"Option1", "Option3", "Option2", "Option1"}));
    EXPECT_EQ(walk("Option5", true), (V{"Option5", "Option4", "Option5", "Option4"}));
    EXPECT_EQ(walk("Option4", false), (V{"Option4", "Option5", "Option4", "Option5"}));
    EXPECT_EQ(setup.nextInGroup(setup["Check1"], true), nullptr);
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
