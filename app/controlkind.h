// What each control type is, for every front end and for the layout: its
// name, how it takes part in the keyboard and the window, the events it
// raises and its default colours. What it does is its class's, under
// controls/. The types and their descriptions are written in
// controltypes.h.
#pragma once

#include "design.h"
#include "event.h"

#include <cstdint>
#include <string_view>

namespace vornak {

// The system colours of the classic scheme that the kinds use.
constexpr uint32_t kButtonFace = 0x8000000Fu;
constexpr uint32_t kButtonText = 0x80000012u;
constexpr uint32_t kWindowBackground = 0x80000005u;
constexpr uint32_t kWindowText = 0x80000008u;

struct ControlKind {
    std::string_view name;       // the type's one name, its pieces' too
    bool takesFocus = false;     // can hold the keyboard focus
    bool drawnOnWindow = false;  // drawn on its window, under every control that is a window of its own
    bool hasTabIndex = true;     // has a place in its window's tab order (TabIndex)
    Events events = kNoEvents;   // the events it raises
    // One of a group with the others of its kind in its container (an
    // option button): Tab stops at the group's chosen one only, and the
    // arrow keys go round the group.
    bool groupedInContainer = false;
    bool twoPoints = false;             // its four numbers are two end points (a line), not a box
    bool namesTheFieldAfterIt = false;  // names the field after it on its row (a label)
    bool namedByLabel = false;          // a field named by the label in front of it (a text box)
    // Colours where the design gives none: system colours 0x800000nn.
    uint32_t backColour = kButtonFace;
    uint32_t foreColour = kButtonText;
};

const ControlKind& kindOf(ControlType type);

}  // namespace vornak
