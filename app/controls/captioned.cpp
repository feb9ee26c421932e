#include "captioned.h"

#include <utility>

namespace vornak {

Captioned::Captioned(Form& form, const ControlDesign& design) : Control(form, design), caption_(design.caption) {}

void Captioned::setCaption(std::string caption)
{
    caption_ = std::move(caption);
    changed(Property::Caption);
}

Shown Captioned::shown() const
{
    return {.caption = shownCaption()};
}

void Captioned::restore(const std::any& saved)
{
    caption_ = std::any_cast<const std::string&>(saved);
    changed(Property::Caption);
}

namespace {

struct Saved {
    std::any caption;
    int value;
};

}  // namespace

Shown Choice::shown() const
{
    Shown s = Captioned::shown();
    s.value = value_;
    return s;
}

std::any Choice::saved() const
{
    return Saved{Captioned::saved(), value_};
}

void Choice::restore(const std::any& saved)
{
    const auto& s = std::any_cast<const Saved&>(saved);
    Captioned::restore(s.caption);
    value_ = s.value;
    changed(Property::Value);
}

void Choice::put(int value)
{
    value_ = value;
    changed(Property::Value);
}

}  // namespace vornak
