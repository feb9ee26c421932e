// What the tests expect of every window, read from the designs rather than
// written out again.
#pragma once

#include "app/controlkind.h"
#include "app/design.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace vornak::test {

// The controls the Tab key walks through from a window's first control
// round to it again: those that can take the focus in TabIndex order, an
// option group only at its chosen option.
inline std::vector<std::string> tabWalk(const FormDesign& design)
{
    std::vector<const ControlDesign*> stops;
    for (const ControlDesign& c : design.controls) {
        const ControlKind& kind = kindOf(c.type);
        if (c.tabIndex >= 0 && kind.takesFocus && (!kind.groupedInContainer || c.value))
            stops.push_back(&c);
    }
    std::stable_sort(stops.begin(), stops.end(), [](auto* a, auto* b) { return a->tabIndex < b->tabIndex; });
    std::vector<std::string> walk;
    walk.reserve(stops.size() + 1);
    for (const ControlDesign* c : stops)
        walk.emplace_back(c->name);
    if (!walk.empty())
        walk.push_back(walk.front());
    return walk;
}

// The labels whose design caption wraps, and into how many lines, in the
// era's 8-point dialog face at any resolution; every other label's caption
// takes one line.
struct WrappedLabel {
    std::string_view window, label;
    int lines;
};
inline constexpr WrappedLabel kWrappedLabels[] = {
    {"frmMAIN", "Label2", 5},   // the disclaimer
    {"frmMAIN", "Label5", 2},   // "Choose the application for Emulation:"
    {"frmSETUP", "Label8", 2},  // the warning
    {"frmRUN", "Label1", 3},    // the driver error
    {"frmHARD", "Label7", 2},   // the disclaimer
    {"frmABOUT", "Label1", 3},  // "This Program is FREEWARE. ..."
    {"frmABOUT", "Label3", 3},  // the request for reports
};

inline int designedLines(std::string_view window, std::string_view label)
{
    for (const WrappedLabel& w : kWrappedLabels)
        if (w.window == window && w.label == label)
            return w.lines;
    return 1;
}

}  // namespace vornak::test
