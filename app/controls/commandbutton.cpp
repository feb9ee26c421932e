#include "commandbutton.h"

namespace vornak {

void CommandButton::userClick()
{
    act([this] { raise(Event::Click); });
}

VORNAK_MAKES(CommandButton)

}  // namespace vornak
