// Prints each window's client area and where each of its controls lies, at
// a resolution (96 dots per inch unless given), one line each:
//   WINDOW - 0 0 WIDTH HEIGHT
//   WINDOW CONTROL LEFT TOP WIDTH HEIGHT   (pixels of the client area)
// read from the designs through the one twips-to-pixels function, for the
// scripts and tests that look at the program from outside (the tour, the
// web tests). A line's four numbers are its two end points.
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
        std::printf("%.*s - 0 0 %d %d\n", static_cast<int>(d.name.size()), d.name.data(), twipsToPixels(d.width, dpi),
                    twipsToPixels(d.height, dpi));
        for (const vornak::ControlDesign& c : d.controls) {
            int left = c.left, top = c.top;
            for (const vornak::ControlDesign& frame : d.controls)
                if (!c.container.empty() && frame.name == c.container) {
                    left += frame.left;
                    top += frame.top;
                }
            std::printf("%.*s %.*s %d %d %d %d\n", static_cast<int>(d.name.size()), d.name.data(),
                        static_cast<int>(c.name.size()), c.name.data(), twipsToPixels(left, dpi), twipsToPixels(top, dpi),
                        twipsToPixels(c.width, dpi), twipsToPixels(c.height, dpi));
        }
    }
}
