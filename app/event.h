// The events a window and its controls raise, which event procedures are
// bound to.
#pragma once

#include <cstdint>
#include <string_view>

namespace vornak {

// Each event once: its name is how an event procedure's name ends
// ("Command1_Click").
//   Load        the form, once its controls are built
//   KeyPress    the form, for a key that produces a character
//   Click       a button pressed, an option chosen, a check box toggled, a file picked
//   Change      a text edited, a drive picked, a folder opened
//   PathChange  a file list given another folder
#define VORNAK_EVENTS(X) X(Load) X(KeyPress) X(Click) X(Change) X(PathChange)

enum class Event : uint8_t {
#define VORNAK_EVENT(name) name,
    VORNAK_EVENTS(VORNAK_EVENT)
#undef VORNAK_EVENT
};

// A set of events, one bit an event.
using Events = uint8_t;
constexpr Events eventBit(Event e)
{
    return static_cast<Events>(1u << static_cast<unsigned>(e));
}
constexpr bool has(Events set, Event e)
{
    return (set & eventBit(e)) != 0;
}

constexpr Events kNoEvents = 0;
#define VORNAK_EVENT(name) constexpr Events k##name##Event = eventBit(Event::name);
VORNAK_EVENTS(VORNAK_EVENT)
#undef VORNAK_EVENT

// "Click", as an event procedure's name ends.
constexpr std::string_view eventName(Event e)
{
    switch (e) {
#define VORNAK_EVENT(name) \
    case Event::name: return #name;
        VORNAK_EVENTS(VORNAK_EVENT)
#undef VORNAK_EVENT
    }
    return "";
}

}  // namespace vornak
