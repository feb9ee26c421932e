#include "design.h"

namespace vornak {

std::string_view controlTypeName(ControlType type)
{
    switch (type) {
    case ControlType::Label: return "Label";
    case ControlType::CommandButton: return "CommandButton";
    case ControlType::OptionButton: return "OptionButton";
    case ControlType::CheckBox: return "CheckBox";
    case ControlType::Frame: return "Frame";
    case ControlType::TextBox: return "TextBox";
    case ControlType::Image: return "Image";
    case ControlType::Line: return "Line";
    case ControlType::DriveList: return "DriveListBox";
    case ControlType::DirList: return "DirListBox";
    case ControlType::FileList: return "FileListBox";
    }
    return "";
}

bool canTakeFocus(ControlType type)
{
    switch (type) {
    case ControlType::Label:
    case ControlType::Frame:
    case ControlType::Image:
    case ControlType::Line: return false;
    default: return true;
    }
}

}  // namespace vornak
