#include "label.h"

#include "app/text.h"

namespace vornak {

std::string Label::shownCaption() const
{
    return shownText(caption());
}

VORNAK_MAKES(Label)

}  // namespace vornak
