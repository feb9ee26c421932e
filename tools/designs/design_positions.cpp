// Prints where the windows' layouts (app/layout.h) put each window's client
// area and each of its controls on a screen of a resolution (96 dots per
// inch unless given), the design drawn as the rule for screens says
// (app/screen.h: 192 dpi is the 96-dpi design doubled), one line each, for
// the scripts and tests that look at the program from outside (the tour,
// the web tests):
//   WINDOW - 0 0 WIDTH HEIGHT
//   WINDOW CONTROL LEFT TOP WIDTH HEIGHT   (pixels of the client area)
// A line's four numbers are its two end points.
// With --tab-order, where Tab stops in each window instead, one line a
// window, from where the focus starts: an option group only at the option
// its design chooses.
//   WINDOW CONTROL CONTROL ...
// With --lines, the lines each label's caption wraps into in the era's
// face, at any resolution (tests/common/designs.h), one line a label.
//   WINDOW LABEL LINES
//   design_positions [DPI]
//   design_positions --tab-order
//   design_positions --lines
#include "app/layout.h"
#include "common/designs.h"
#include "forms/catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

void print(std::string_view text)
{
    std::printf("%.*s", static_cast<int>(text.size()), text.data());
}

void positions(const vornak::FormDesign& d, int dpi)
{
    const vornak::WindowLayout layout = vornak::layOut(d, vornak::drawingFor(dpi));
    print(d.name);
    std::printf(" - 0 0 %d %d\n", layout.width, layout.height);
    for (size_t i = 0; i < d.controls.size(); ++i) {
        const vornak::ControlLayout& c = layout.controls[i];
        const vornak::Rect& box = c.inWindow;
        print(d.name);
        std::printf(" ");
        print(d.controls[i].name);
        if (vornak::kindOf(d.controls[i].type).twoPoints)
            std::printf(" %d %d %d %d\n", box.left + c.from.x, box.top + c.from.y, box.left + c.to.x, box.top + c.to.y);
        else
            std::printf(" %d %d %d %d\n", box.left, box.top, box.width, box.height);
    }
}

void tabs(const vornak::FormDesign& d)
{
    const vornak::WindowLayout layout = vornak::layOut(d, 96);
    print(d.name);
    for (int i : layout.tabOrder) {
        const vornak::ControlDesign& c = d.controls[static_cast<size_t>(i)];
        if (layout.controls[static_cast<size_t>(i)].tabStopWhenChosen && !c.value)
            continue;
        std::printf(" ");
        print(c.name);
    }
    std::printf("\n");
}

}  // namespace

void lines(const vornak::FormDesign& d)
{
    for (const vornak::ControlDesign& c : d.controls)
        if (c.type == vornak::ControlType::Label) {
            print(d.name);
            std::printf(" ");
            print(c.name);
            std::printf(" %d\n", vornak::test::designedLines(d.name, c.name));
        }
}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--lines") == 0) {
        for (const vornak::FormClass* cls : vornak::forms::catalogue())
            lines(cls->design);
        return 0;
    }
    const bool tabOrder = argc > 1 && std::strcmp(argv[1], "--tab-order") == 0;
    const int dpi = argc > 1 && !tabOrder ? std::atoi(argv[1]) : 96;
    for (const vornak::FormClass* cls : vornak::forms::catalogue()) {
        if (tabOrder)
            tabs(cls->design);
        else
            positions(cls->design, dpi);
    }
}
