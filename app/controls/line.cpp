// A line: drawn on its window between its two end points, from its design
// alone, with nothing the user or an event procedure can change.
#include "app/control.h"

namespace vornak {

namespace {

class Line : public Control {
public:
    Line(Form& form, const ControlDesign& design) : Control(form, design) {}
};

}  // namespace

VORNAK_MAKES(Line)

}  // namespace vornak
