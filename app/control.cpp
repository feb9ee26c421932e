#include "control.h"

#include "form.h"
#include "shell.h"

#include <cstdio>
#include <cstdlib>

namespace vornak {

// Each type's class makes its controls (controls/).
#define VORNAK_CONTROL_TYPE(type, ...) std::unique_ptr<Control> make##type(Form& form, const ControlDesign& design);
VORNAK_CONTROL_TYPES(VORNAK_CONTROL_TYPE)
#undef VORNAK_CONTROL_TYPE

std::unique_ptr<Control> makeControl(Form& form, const ControlDesign& design)
{
    switch (design.type) {
#define VORNAK_CONTROL_TYPE(type, ...) \
    case ControlType::type: return make##type(form, design);
        VORNAK_CONTROL_TYPES(VORNAK_CONTROL_TYPE)
#undef VORNAK_CONTROL_TYPE
    }
    std::abort();
}

void Control::changed(Property property)
{
    frontEnd().propertyChanged(*this, property);
}

void Control::raise(Event event)
{
    form_.raise(name(), event);
}

void Control::act(const std::function<void()>& action)
{
    form_.shell().userAction(form_, action);
}

FileSystem& Control::fileSystem() const
{
    return form_.shell().fileSystem();
}

FrontEnd& Control::frontEnd() const
{
    return form_.shell().frontEnd();
}

void Control::wrongType(ControlType wanted) const
{
    const std::string_view window = form_.name(), is = kind().name, not_ = kindOf(wanted).name;
    std::fprintf(stderr, "%.*s.%.*s is a %.*s, not a %.*s\n", static_cast<int>(window.size()), window.data(),
                 static_cast<int>(name().size()), name().data(), static_cast<int>(is.size()), is.data(),
                 static_cast<int>(not_.size()), not_.data());
    std::abort();
}

}  // namespace vornak
