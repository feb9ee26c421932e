#include "optionbutton.h"

#include "app/form.h"

#include <algorithm>

namespace vornak {

OptionButton::OptionButton(Form& form, const ControlDesign& design)
    : Choice(form, design, design.value ? kTrue : kFalse)
{
}

// The options of its container, in tab order.
std::vector<OptionButton*> OptionButton::group() const
{
    std::vector<OptionButton*> options;
    for (Control* c : form().contained(design().container))
        if (c->type() == kType)
            options.push_back(&c->as<OptionButton>());
    std::stable_sort(options.begin(), options.end(),
                     [](const Control* a, const Control* b) { return a->design().tabIndex < b->design().tabIndex; });
    return options;
}

void OptionButton::setValue(int value)
{
    if (value == kFalse) {
        if (value_ != kFalse)
            put(kFalse);
        return;
    }
    if (value_ == kTrue)
        return;
    for (OptionButton* other : group())
        if (other != this && other->value_ != kFalse)
            other->put(kFalse);
    put(kTrue);
    raise(Event::Click);
}

OptionButton& OptionButton::neighbour(bool forward)
{
    const std::vector<OptionButton*> options = group();
    const size_t n = options.size();
    const size_t i = static_cast<size_t>(std::find(options.begin(), options.end(), this) - options.begin());
    return *options[forward ? (i + 1) % n : (i + n - 1) % n];
}

void OptionButton::userClick()
{
    act([this] { setValue(kTrue); });
}

void OptionButton::userArrow(bool forward)
{
    OptionButton& to = neighbour(forward);
    frontEnd().focus(to);
    to.userClick();
}

VORNAK_MAKES(OptionButton)

}  // namespace vornak
