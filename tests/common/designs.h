// What the tests expect of every window, read from the designs rather than
// written out again.
#pragma once

#include "app/controlkind.h"
#include "app/design.h"

#include <algorithm>
#include <string>
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

}  // namespace vornak::test
