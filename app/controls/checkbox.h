// A check box: checked (1) or clear (0); a click of the user toggles it.
#pragma once

#include "captioned.h"

namespace vornak {

class CheckBox : public Choice {
public:
    static constexpr ControlType kType = ControlType::CheckBox;
    CheckBox(Form& form, const ControlDesign& design) : Choice(form, design, design.value) {}

    // A new value raises Click.
    void setValue(int value);
    void userClick() override;
};

}  // namespace vornak
