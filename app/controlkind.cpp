#include "controlkind.h"

#include <iterator>

namespace vornak {

namespace {

constexpr Events kNone = 0;
constexpr Events kClick = eventBit(Event::Click);
constexpr Events kChange = eventBit(Event::Change);

using T = ControlType;
using C = ClickAction;
using L = ListKind;
using S = Shown;

// In the order of ControlType.
constexpr ControlKind kKinds[] = {
    {T::Label, "Label", false, true, kNone, C::None, L::None, S::Caption, kButtonFace, kButtonText},
    {T::CommandButton, "CommandButton", true, false, kClick, C::Raise, L::None, S::Caption, kButtonFace, kButtonText},
    {T::OptionButton, "OptionButton", true, false, kClick, C::Choose, L::None, S::Value, kButtonFace, kButtonText},
    {T::CheckBox, "CheckBox", true, false, kClick, C::Toggle, L::None, S::Value, kButtonFace, kButtonText},
    {T::Frame, "Frame", false, false, kNone, C::None, L::None, S::Caption, kButtonFace, kButtonText},
    {T::TextBox, "TextBox", true, false, kChange, C::None, L::None, S::Text, kWindowBackground, kWindowText},
    {T::Image, "Image", false, true, kNone, C::None, L::None, S::Caption, kButtonFace, kButtonText},
    {T::Line, "Line", false, true, kNone, C::None, L::None, S::Caption, kButtonFace, kWindowText},
    {T::DriveList, "DriveListBox", true, false, kChange, C::None, L::Drives, S::List, kWindowBackground, kWindowText},
    {T::DirList, "DirListBox", true, false, kChange, C::None, L::Folders, S::List, kWindowBackground, kWindowText},
    {T::FileList, "FileListBox", true, false, eventBit(Event::PathChange) | kClick, C::None, L::Files, S::List,
     kWindowBackground, kWindowText},
};

constexpr bool inOrder()
{
    for (unsigned i = 0; i < std::size(kKinds); ++i)
        if (static_cast<unsigned>(kKinds[i].type) != i)
            return false;
    return true;
}
static_assert(std::size(kKinds) == kControlTypeCount && inOrder(),
              "one kind a control type, in the order of ControlType");

}  // namespace

const ControlKind& kindOf(ControlType type)
{
    return kKinds[static_cast<unsigned>(type)];
}

std::string_view eventName(Event e)
{
    switch (e) {
    case Event::Load: return "Load";
    case Event::KeyPress: return "KeyPress";
    case Event::Click: return "Click";
    case Event::Change: return "Change";
    case Event::PathChange: return "PathChange";
    }
    return "";
}

}  // namespace vornak
