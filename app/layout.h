// Where a window's controls lie in pixels at a resolution, in which order
// they stack, where the Tab and arrow keys take the focus, and which label
// names a field: worked out once, from the design, for every front end, the
// tools and the tests, so that none of them converts twips or asks a
// control's type.
#pragma once

#include "design.h"
#include "geometry.h"
#include "screen.h"

#include <vector>

namespace vornak {

struct ControlLayout {
    int container = -1;  // the frame that holds it (its index), -1 for the client area
    Rect box;            // in its container
    Rect inWindow;       // the same, in the client area
    // A line's end points, in its box; the box is the rectangle they span.
    // The end point itself is not drawn, as the platform draws lines.
    Point from, to;
    int stack = 0;  // its place from the bottom: each lies over those with a lower one
    int tab = -1;   // its place in the tab order; -1 when the focus never goes there
    // Tab stops there only while it is chosen: one of an option group.
    bool tabStopWhenChosen = false;
    // It starts a group of the arrow keys: a control that is a window of its
    // own does, unless it follows one of its own option group in the
    // stacking, top first.
    bool groupStart = false;
    int label = -1;  // the label that names it (a field: the label in front of it on its row), -1 for none
};

struct WindowLayout {
    int width = 0, height = 0;            // the client area
    std::vector<ControlLayout> controls;  // in creation order
    std::vector<int> stacking;            // the controls, top first
    std::vector<int> tabOrder;            // the controls the focus goes to, in tab order
};

WindowLayout layOut(const FormDesign& design, int dpi);

// The layout on a screen that shows the design at a drawing's resolution
// enlarged by its factor (screen.h): the layout at that resolution, every
// position and length times the factor, so that each pixel of the design
// is a block of pixels.
WindowLayout layOut(const FormDesign& design, const Drawing& drawing);

// The controls that can take the focus, in the order of their TabIndex.
std::vector<int> tabOrder(const FormDesign& design);

}  // namespace vornak
