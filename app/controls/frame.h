// A frame: a caption round the controls it holds; the option buttons in it
// are one group.
#pragma once

#include "captioned.h"

namespace vornak {

class Frame : public Captioned {
public:
    static constexpr ControlType kType = ControlType::Frame;
    Frame(Form& form, const ControlDesign& design) : Captioned(form, design) {}
};

}  // namespace vornak
