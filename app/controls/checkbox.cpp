#include "checkbox.h"

namespace vornak {

void CheckBox::setValue(int value)
{
    if (value_ == value)
        return;
    put(value);
    raise(Event::Click);
}

void CheckBox::userClick()
{
    act([this] { setValue(value_ == 1 ? 0 : 1); });
}

VORNAK_MAKES(CheckBox)

}  // namespace vornak
