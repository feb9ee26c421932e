// What the controls with a caption share (labels, buttons, frames, option
// buttons and check boxes), and what option buttons and check boxes share
// besides: a value.
#pragma once

#include "app/control.h"

#include <string>

namespace vornak {

class Captioned : public Control {
public:
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption);
    // The caption as the control shows it: as stored, unless the type
    // says otherwise.
    virtual std::string shownCaption() const { return caption_; }

    Shown shown() const override;
    std::any saved() const override { return caption_; }
    void restore(const std::any& saved) override;

protected:
    Captioned(Form& form, const ControlDesign& design);

private:
    std::string caption_;
};

class Choice : public Captioned {
public:
    // An option button: kTrue or kFalse. A check box: 0 clear, 1 checked.
    int value() const { return value_; }

    Shown shown() const override;
    std::any saved() const override;
    void restore(const std::any& saved) override;

protected:
    Choice(Form& form, const ControlDesign& design, int value) : Captioned(form, design), value_(value) {}
    // Takes a value and shows it, raising nothing.
    void put(int value);

    int value_;
};

}  // namespace vornak
