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
    for (const ControlDesign* c : stops)
        walk.emplace_back(c->name);
    if (!walk.empty())
        walk.push_back(walk.front());
    return walk;
}

// How many lines a label's design text takes in the dialog face, at every
// resolution: wrapped within its box as the era's systems wrap it. A label
// not named here takes one.
inline int designedLines(std::string_view form, std::string_view label)
{
    struct Wrapped {
        std::string_view form, label;
        int lines;
    };
    static constexpr Wrapped wrapped[] = {
        {"frmMAIN", "Label2", 5}, {"frmMAIN", "Label5", 2}, {"frmSETUP", "Label8", 2}, {"frmRUN", "Label1", 3},
        {"frmHARD", "Label7", 2}, {"frmABOUT", "Label1", 3}, {"frmABOUT", "Label3", 3},
    };
    for (const Wrapped& w : wrapped)
        if (w.form == form && w.label == label)
            return w.lines;
    return 1;
}

}  // namespace vornak::test
