// A text box: one line of text the user edits.
#pragma once

#include "app/control.h"

#include <string>

namespace vornak {

class TextBox : public Control {
public:
    static constexpr ControlType kType = ControlType::TextBox;
    TextBox(Form& form, const ControlDesign& design) : Control(form, design), text_(design.caption) {}

    const std::string& text() const { return text_; }
    // Shows the text and raises Change.
    void setText(std::string text);

    Shown shown() const override { return {.caption = text_}; }
    std::any saved() const override { return text_; }
    void restore(const std::any& saved) override;
    // The front end shows the edited text already: it is only kept, and
    // raises Change.
    void userEdit(std::string text) override;

private:
    std::string text_;
};

}  // namespace vornak
