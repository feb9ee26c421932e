// A drive list: the drives there are, one of them selected.
#pragma once

#include "list.h"

namespace vornak {

struct DriveListState {
    Entries<std::string> items;
    std::string drive;
    int index = -1;
};

class DriveList : public ListControl<DriveListState> {
public:
    static constexpr ControlType kType = ControlType::DriveList;
    // Lists the drives, the one that holds the start folder selected.
    DriveList(Form& form, const ControlDesign& design);

    // The selected drive's text. Writing it selects that drive and raises
    // Change.
    const std::string& drive() const { return state_.drive; }
    void setDrive(const std::string& drive);
    const std::vector<std::string>& items() const { return entries(state_.items); }

    Shown shown() const override { return {.items = &items(), .index = state_.index}; }
    // Another drive picked: it becomes the drive.
    void userSelect(int index) override;
};

}  // namespace vornak
