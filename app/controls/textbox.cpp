#include "textbox.h"

#include <utility>

namespace vornak {

void TextBox::setText(std::string text)
{
    text_ = std::move(text);
    changed(Property::Text);
    raise(Event::Change);
}

void TextBox::restore(const std::any& saved)
{
    text_ = std::any_cast<const std::string&>(saved);
    changed(Property::Text);
}

void TextBox::userEdit(std::string text)
{
    act([this, &text] {
        text_ = std::move(text);
        raise(Event::Change);
    });
}

VORNAK_MAKES(TextBox)

}  // namespace vornak
