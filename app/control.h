// A control of a loaded window: its design and its current property values,
// with the semantics of the classic intrinsic controls.
#pragma once

#include "controlkind.h"
#include "design.h"
#include "filesystem.h"
#include "frontend.h"

#include <memory>
#include <string>
#include <vector>

namespace vornak {

class Form;

constexpr int kTrue = -1;  // the platform's boolean True
constexpr int kFalse = 0;

class Control {
public:
    // Everything a control holds that the user or an event procedure can
    // change. Lists are shared and never changed in place, so a copy of the
    // state is cheap even for a folder of many thousand files.
    struct State {
        std::string caption;  // caption, or a text box's text
        int value = 0;
        std::string path;     // folder and file lists
        std::string drive;    // drive list
        std::shared_ptr<const std::vector<std::string>> items;     // drive texts, file names
        std::shared_ptr<const std::vector<FolderEntry>> folders;   // folder list
        int listIndex = -1;
    };

    Control(Form& form, const ControlDesign& design);

    const ControlDesign& design() const { return design_; }
    ControlType type() const { return design_.type; }
    const ControlKind& kind() const { return kindOf(design_.type); }
    std::string_view name() const { return design_.name; }
    Form& form() const { return form_; }

    const std::string& caption() const { return state_.caption; }
    void setCaption(std::string caption);
    const std::string& text() const { return state_.caption; }
    void setText(std::string text);

    // Option button: kTrue or kFalse; setting kTrue clears the others of its
    // container and raises Click. Check box: 0 clear, 1 checked.
    int value() const { return state_.value; }
    void setValue(int value);

    // Drive list: the selected drive's text. Writing it selects that drive
    // and raises Change.
    const std::string& drive() const { return state_.drive; }
    void setDrive(const std::string& drive);

    // Folder list: the open folder; writing it opens another and raises
    // Change. File list: the folder listed; writing it raises PathChange.
    // Throws RuntimeError, leaving the list as it was, when the folder
    // cannot be listed.
    const std::string& path() const { return state_.path; }
    void setPath(const std::string& path);
    const std::string& pattern() const { return pattern_; }

    const std::vector<std::string>& items() const;
    const std::vector<FolderEntry>& folders() const;
    int listIndex() const { return state_.listIndex; }
    void setListIndex(int index);

    const State& state() const { return state_; }
    void restore(const State& state);

    // The error number of a list that could not be listed when its window
    // was loaded; 0 when it could.
    int loadError() const { return loadError_; }

    // What the user did, from a front end.
    void userClick();              // button pressed, option chosen, check box toggled
    void userSelect(int index);    // an entry picked in a drive or file list
    void userOpen(int index);      // an entry of the folder list double-clicked
    void userEdit(std::string text);  // a text box edited

private:
    void changed(Property property);
    void raise(Event event);
    void loadList();
    void openFolder(const std::string& folder);

    Form& form_;
    const ControlDesign& design_;
    State state_;
    std::string pattern_;
    int loadError_ = 0;
};

}  // namespace vornak
