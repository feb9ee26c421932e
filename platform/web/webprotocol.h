// What the page is told of a window and its controls, as JSON: made here,
// from the core alone, for the program in the browser (webfrontend.cpp) and
// for the page's build, which draws the first window from it before the
// program has started (first_window.cpp).
#pragma once

#include <string>
#include <vector>

namespace vornak {
class Control;
class Form;
}  // namespace vornak

namespace vornak::web {

// A window's design laid out at a resolution of the era (96, 120 or 144
// dpi), with what each of its controls shows now.
std::string designJson(const Form& form, int dpi);

// What a control shows now: the members its type has.
std::string shownJson(const Control& control);

// A folder mark (app/foldermarks.h) as RGBA pixels, row after row.
std::vector<unsigned char> markPixels(bool open);

// The window's client area at each resolution of the era, as
// [width96, height96, width120, height120, width144, height144].
std::vector<int> clientSizes(const Form& form);

}  // namespace vornak::web
