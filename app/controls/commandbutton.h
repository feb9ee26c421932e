// A command button: a click of the user raises Click.
#pragma once

#include "captioned.h"

namespace vornak {

class CommandButton : public Captioned {
public:
    static constexpr ControlType kType = ControlType::CommandButton;
    CommandButton(Form& form, const ControlDesign& design) : Captioned(form, design) {}
    void userClick() override;
};

}  // namespace vornak
