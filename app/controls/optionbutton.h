// An option button: one of the group its container makes (a frame, or the
// window itself), of which one is chosen. It raises Click whenever it
// becomes chosen, by mouse, keyboard or code.
#pragma once

#include "captioned.h"

#include <vector>

namespace vornak {

class OptionButton : public Choice {
public:
    static constexpr ControlType kType = ControlType::OptionButton;
    OptionButton(Form& form, const ControlDesign& design);

    // kTrue chooses it: the others of its group are cleared, and it raises
    // Click. kFalse clears it.
    void setValue(int value);
    // The option an arrow key moves to from this one: the next one of its
    // group in tab order (forward) or the previous one, wrapping round at
    // the ends.
    OptionButton& neighbour(bool forward);

    // A click chooses it. An arrow key puts the focus on its neighbour and
    // chooses that one (the core may then put the choice back).
    void userClick() override;
    void userArrow(bool forward) override;

private:
    std::vector<OptionButton*> group() const;
};

}  // namespace vornak
