// The events a window and its controls raise, which event procedures are
// bound to.
#pragma once

#include <cstdint>
#include <string_view>

namespace vornak {

enum class Event : uint8_t {
    Load,        // the form, once its controls are built
    KeyPress,    // the form, for a key that produces a character
    Click,       // a button pressed, an option chosen, a check box toggled, a file picked
    Change,      // a text edited, a drive picked, a folder opened
    PathChange,  // a file list given another folder
};

// A set of events, one bit an event.
using Events = uint8_t;
constexpr Events eventBit(Event e) { return static_cast<Events>(1u << static_cast<unsigned>(e)); }
constexpr bool has(Events set, Event e) { return (set & eventBit(e)) != 0; }

// "Click", as an event procedure's name ends.
std::string_view eventName(Event e);

}  // namespace vornak
