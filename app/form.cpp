#include "form.h"

#include "controlkind.h"
#include "layout.h"
#include "shell.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vornak {

std::string bindingError(const FormClass& cls)
{
    const FormDesign& d = cls.design;
    const std::string_view window = d.name;
    for (size_t i = 0; i < cls.bindings.size(); ++i) {
        const Binding& b = cls.bindings[i];
        // Named only when something is wrong: the check runs at every start.
        const auto procedure = [&b] {
            return (b.control.empty() ? std::string("Form") : std::string(b.control)) + "_"
                 + std::string(eventName(b.event));
        };
        Events raised = eventBit(Event::Load) | eventBit(Event::KeyPress);
        if (!b.control.empty()) {
            const auto c = std::find_if(d.controls.begin(), d.controls.end(),
                                        [&](const ControlDesign& cd) { return cd.name == b.control; });
            if (c == d.controls.end())
                return std::string(window) + ": " + procedure() + " is bound to " + std::string(b.control)
                     + ", a control the window does not have";
            raised = kindOf(c->type).events;
        }
        if (!has(raised, b.event))
            return std::string(window) + ": " + procedure() + " is bound to an event its "
                 + (b.control.empty() ? "form" : "control") + " never raises";
        for (size_t j = 0; j < i; ++j)
            if (cls.bindings[j].control == b.control && cls.bindings[j].event == b.event)
                return std::string(window) + ": " + procedure() + " is bound twice";
    }
    return {};
}

Form::Form(Shell& shell, const FormClass& cls) : shell_(shell), class_(cls)
{
    controls_.reserve(cls.design.controls.size());
    for (const ControlDesign& d : cls.design.controls)
        controls_.push_back(makeControl(*this, d));
}

Control* Form::find(std::string_view name) const
{
    for (const auto& c : controls_)
        if (c->name() == name)
            return c.get();
    return nullptr;
}

Control& Form::operator[](std::string_view name) const
{
    Control* c = find(name);
    if (!c) {
        std::fprintf(stderr, "%.*s has no control %.*s\n", static_cast<int>(this->name().size()), this->name().data(),
                     static_cast<int>(name.size()), name.data());
        std::abort();
    }
    return *c;
}

std::vector<Control*> Form::contained(std::string_view container) const
{
    std::vector<Control*> out;
    for (const auto& c : controls_)
        if (c->design().container == container)
            out.push_back(c.get());
    return out;
}

std::vector<Control*> Form::tabOrder() const
{
    std::vector<Control*> out;
    for (int i : vornak::tabOrder(design()))
        out.push_back(controls_[static_cast<size_t>(i)].get());
    return out;
}

Control* Form::firstFocus() const
{
    const std::vector<Control*> order = tabOrder();
    return order.empty() ? nullptr : order.front();
}

int Form::loadError() const
{
    for (const auto& c : controls_)
        if (c->loadError())
            return c->loadError();
    return 0;
}

void Form::raise(std::string_view control, Event event)
{
    for (const Binding& b : class_.bindings)
        if (b.control == control && b.event == event) {
            shell_.run(*this, b.procedure);
            return;
        }
}

std::vector<std::any> Form::snapshot() const
{
    std::vector<std::any> saved;
    saved.reserve(controls_.size());
    for (const auto& c : controls_)
        saved.push_back(c->saved());
    return saved;
}

void Form::restore(const std::vector<std::any>& saved)
{
    for (size_t i = 0; i < controls_.size() && i < saved.size(); ++i)
        if (saved[i].has_value())
            controls_[i]->restore(saved[i]);
}

void Form::userKeyPress(int ascii)
{
    if (!design().keyPreview)
        return;
    shell_.userAction(*this, [this, ascii] {
        keyAscii_ = ascii;
        raise({}, Event::KeyPress);
        keyAscii_ = 0;
    });
}

void Form::userClose()
{
    shell_.unload(name());
}

}  // namespace vornak
