// A label: text the user cannot change, shown with its bidirectional
// formatting characters written out (app/text.h).
#pragma once

#include "captioned.h"

namespace vornak {

class Label : public Captioned {
public:
    static constexpr ControlType kType = ControlType::Label;
    Label(Form& form, const ControlDesign& design) : Captioned(form, design) {}
    std::string shownCaption() const override;
};

}  // namespace vornak
