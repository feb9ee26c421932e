#include "layout.h"

#include "controlkind.h"

#include <algorithm>
#include <cstdlib>

namespace vornak {

namespace {

using Controls = std::span<const ControlDesign>;

int indexOf(Controls controls, std::string_view name)
{
    for (size_t i = 0; i < controls.size(); ++i)
        if (!name.empty() && controls[i].name == name)
            return static_cast<int>(i);
    return -1;
}

// A control's place in its container: a box, or for a line the rectangle
// its two end points span.
void place(ControlLayout& c, const ControlDesign& d, int dpi)
{
    auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    if (!kindOf(d.type).twoPoints) {
        c.box = {px(d.left), px(d.top), px(d.width), px(d.height)};
        return;
    }
    const Point a{px(d.left), px(d.top)}, b{px(d.width), px(d.height)};
    c.box = {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x) + 1, std::abs(b.y - a.y) + 1};
    c.from = {a.x - c.box.left, a.y - c.box.top};
    c.to = {b.x - c.box.left, b.y - c.box.top};
}

// The controls top first: those that are windows of their own in tab
// order, each frame right after the last of what it holds, then any other
// window of its own, then those drawn on the window, the last created on
// top.
std::vector<int> stacking(Controls controls, const std::vector<int>& tabs)
{
    std::vector<int> order = tabs;
    for (size_t f = 0; f < controls.size(); ++f) {
        if (std::find(order.begin(), order.end(), static_cast<int>(f)) != order.end())
            continue;
        auto after = order.end();
        for (auto it = order.begin(); it != order.end(); ++it)
            if (controls[static_cast<size_t>(*it)].container == controls[f].name)
                after = it + 1;
        if (after != order.end() || !kindOf(controls[f].type).drawnOnWindow)
            order.insert(after, static_cast<int>(f));
    }
    for (size_t i = controls.size(); i-- > 0;)
        if (kindOf(controls[i].type).drawnOnWindow)
            order.push_back(static_cast<int>(i));
    return order;
}

void startGroups(Controls controls, WindowLayout& w)
{
    const ControlDesign* previous = nullptr;
    for (int i : w.stacking) {
        const ControlDesign& d = controls[static_cast<size_t>(i)];
        const ControlKind& kind = kindOf(d.type);
        const bool continues = kind.groupedInContainer && previous && previous->type == d.type
                            && previous->container == d.container;
        w.controls[static_cast<size_t>(i)].groupStart = !kind.drawnOnWindow && !continues;
        previous = &d;
    }
}

// A field is named by the first label in front of it on its row, measured
// in the window's twips.
void nameFields(Controls controls, WindowLayout& w)
{
    std::vector<Point> at;  // each control's top left corner in the window
    for (const ControlDesign& d : controls) {
        const int c = indexOf(controls, d.container);
        at.push_back(c < 0 ? Point{d.left, d.top}
                           : Point{at[static_cast<size_t>(c)].x + d.left, at[static_cast<size_t>(c)].y + d.top});
    }
    for (size_t f = 0; f < controls.size(); ++f) {
        if (!kindOf(controls[f].type).namedByLabel)
            continue;
        for (size_t l = 0; l < controls.size() && w.controls[f].label < 0; ++l)
            if (kindOf(controls[l].type).namesTheFieldAfterIt && at[l].x < at[f].x
                && std::abs(at[l].y - at[f].y) < controls[f].height)
                w.controls[f].label = static_cast<int>(l);
    }
}

}  // namespace

std::vector<int> tabOrder(const FormDesign& design)
{
    std::vector<int> order;
    for (size_t i = 0; i < design.controls.size(); ++i)
        if (design.controls[i].tabIndex >= 0 && kindOf(design.controls[i].type).takesFocus)
            order.push_back(static_cast<int>(i));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return design.controls[static_cast<size_t>(a)].tabIndex < design.controls[static_cast<size_t>(b)].tabIndex;
    });
    return order;
}

WindowLayout layOut(const FormDesign& design, int dpi)
{
    const Controls controls = design.controls;
    WindowLayout w;
    w.width = twipsToPixels(design.width, dpi);
    w.height = twipsToPixels(design.height, dpi);
    w.controls.resize(controls.size());
    for (size_t i = 0; i < controls.size(); ++i) {
        ControlLayout& c = w.controls[i];
        place(c, controls[i], dpi);
        c.container = indexOf(controls, controls[i].container);
        c.inWindow = c.box;
        if (c.container >= 0) {
            const Rect& frame = w.controls[static_cast<size_t>(c.container)].inWindow;
            c.inWindow.left += frame.left;
            c.inWindow.top += frame.top;
        }
        c.tabStopWhenChosen = kindOf(controls[i].type).groupedInContainer;
    }
    w.tabOrder = tabOrder(design);
    for (size_t t = 0; t < w.tabOrder.size(); ++t)
        w.controls[static_cast<size_t>(w.tabOrder[t])].tab = static_cast<int>(t);
    w.stacking = stacking(controls, w.tabOrder);
    for (size_t s = 0; s < w.stacking.size(); ++s)
        w.controls[static_cast<size_t>(w.stacking[s])].stack = static_cast<int>(w.stacking.size() - 1 - s);
    startGroups(controls, w);
    nameFields(controls, w);
    return w;
}

WindowLayout layOut(const FormDesign& design, const Drawing& drawing)
{
    WindowLayout w = layOut(design, drawing.designDpi);
    const int k = drawing.factor;
    auto enlarge = [k](Rect& r) { r = {r.left * k, r.top * k, r.width * k, r.height * k}; };
    w.width *= k;
    w.height *= k;
    for (ControlLayout& c : w.controls) {
        enlarge(c.box);
        enlarge(c.inWindow);
        c.from = {c.from.x * k, c.from.y * k};
        c.to = {c.to.x * k, c.to.y * k};
    }
    return w;
}

}  // namespace vornak
