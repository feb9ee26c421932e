// Prints where each control of each window lies on the screen at a
// resolution (96 dots per inch unless given), one line a control:
//   WINDOW CONTROL X Y   (the middle of the control, in pixels of its
//                         window's client area)
// for scripts that click the program's controls from outside (the tour).
#include "app/design.h"
#include "forms/catalogue.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv)
{
    const int dpi = argc > 1 ? std::atoi(argv[1]) : 96;
    using vornak::twipsToPixels;
    for (const vornak::FormClass* cls : vornak::forms::catalogue()) {
        const vornak::FormDesign& d = cls->design;
        for (const vornak::ControlDesign& c : d.controls) {
            int left = c.left, top = c.top;
            for (const vornak::ControlDesign& frame : d.controls)
                if (!c.container.empty() && frame.name == c.container) {
                    left += frame.left;
                    top += frame.top;
                }
            std::printf("%.*s %.*s %d %d\n", static_cast<int>(d.name.size()), d.name.data(), static_cast<int>(c.name.size()),
                        c.name.data(), twipsToPixels(left, dpi) + twipsToPixels(c.width, dpi) / 2,
                        twipsToPixels(top, dpi) + twipsToPixels(c.height, dpi) / 2);
        }
    }
}
