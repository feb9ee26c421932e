// An image: a picture drawn on its window, from its design
// alone, with nothing the user or an event procedure can change.
#include "app/control.h"

namespace vornak {

namespace {

class Image : public Control {
public:
    Image(Form& form, const ControlDesign& design) : Control(form, design) {}
};

}  // namespace

VORNAK_MAKES(Image)

}  // namespace vornak
