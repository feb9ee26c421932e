// A loaded window: its design, its controls, and the event procedures
// bound to them.
#pragma once

#include "control.h"
#include "design.h"
#include "event.h"

#include <any>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vornak {

class Form;
class Shell;

using Procedure = void (*)(Form& me);

// An event procedure bound to a control's event; control empty for the
// form's own events (Load, KeyPress).
struct Binding {
    std::string_view control;
    Event event;
    Procedure procedure;
};

// A window kind: its design and its event procedures.
struct FormClass {
    FormDesign design;
    std::vector<Binding> bindings;
};

// What is wrong with a window's event table: a procedure bound to a control
// the window does not have, to an event its control (or a form) cannot
// raise, or twice to one event. Empty when nothing is.
std::string bindingError(const FormClass& cls);

class Form {
public:
    Form(Shell& shell, const FormClass& cls);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    std::string_view name() const { return class_.design.name; }
    const FormDesign& design() const { return class_.design; }
    Shell& shell() const { return shell_; }

    // A control by name. A name the window does not have is a programming
    // error and stops the program on the spot.
    Control& operator[](std::string_view name) const;
    Control* find(std::string_view name) const;
    // A control by name as its type's class (app/controls/); a name the
    // window does not have, or a control of another type, stops the program
    // on the spot.
    template <class T>
    T& get(std::string_view name) const
    {
        return (*this)[name].template as<T>();
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The controls that the design puts inside a frame (or in the window,
    // for an empty name), in creation order.
    std::vector<Control*> contained(std::string_view container) const;

    // The controls that can take the focus, in tab order.
    std::vector<Control*> tabOrder() const;
    // Where the focus goes when the window is loaded; null when no control
    // can take it.
    Control* firstFocus() const;
    // The first error met while loading the window's lists, 0 for none.
    int loadError() const;

    // Runs the event procedure bound to a control's event, if any; an
    // empty control name for the form's own events.
    void raise(std::string_view control, Event event);

    // The character of the key press being handled (Form_KeyPress).
    int keyAscii() const { return keyAscii_; }

    // What the user and the event procedures can change of every control
    // (Control::saved), and all of it put back.
    std::vector<std::any> snapshot() const;
    void restore(const std::vector<std::any>& saved);

    // What the user did to the window itself, from a front end.
    void userKeyPress(int ascii);  // a key that produces a character
    void userClose();              // the title bar's close box

private:
    Shell& shell_;
    const FormClass& class_;
    std::vector<std::unique_ptr<Control>> controls_;
    int keyAscii_ = 0;
};

}  // namespace vornak
