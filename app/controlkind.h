// What each of the eleven control types is, once for every front end: its
// name, how it takes part in the keyboard and the window, the events it
// raises, what a click of the user does to it, and its default colours.
#pragma once

#include "design.h"
#include "event.h"

#include <cstdint>
#include <string_view>

namespace vornak {

// What a click of the user does to a control.
enum class ClickAction : uint8_t {
    None,
    Raise,   // raises Click (command button)
    Choose,  // becomes the chosen option of its group, raising Click
    Toggle,  // turns its check on or off, raising Click
};

// What a control lists, read from the file system when its window loads.
enum class ListKind : uint8_t { None, Drives, Folders, Files };

// The property a front end shows again when a control's state is restored.
enum class Shown : uint8_t { Caption, Text, Value, List };

struct ControlKind {
    ControlType type;
    std::string_view name;    // as the era's tools call the type
    bool takesFocus;          // can hold the keyboard focus
    bool drawnOnWindow;       // drawn on its window, under every control that is a window of its own
    Events events;            // the events it raises
    ClickAction click;
    ListKind list;
    Shown shown;
    // Colours where the design gives none: system colours 0x800000nn.
    uint32_t backColour;
    uint32_t foreColour;
};

const ControlKind& kindOf(ControlType type);

// The system colours of the classic scheme that the kinds use.
constexpr uint32_t kButtonFace = 0x8000000Fu;
constexpr uint32_t kButtonText = 0x80000012u;
constexpr uint32_t kWindowBackground = 0x80000005u;
constexpr uint32_t kWindowText = 0x80000008u;

}  // namespace vornak
