// A control of a loaded window: its design, and the base of each type's
// class (controls/), which holds that type's values and carries its
// semantics.
#pragma once

#include "controlkind.h"
#include "design.h"
#include "filesystem.h"
#include "frontend.h"

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornak {

class Form;

constexpr int kTrue = -1;  // the platform's boolean True
constexpr int kFalse = 0;

// What a control shows now, for a front end that draws every type alike
// (the page's script) and for the tests: each type fills in what it has.
struct Shown {
    // The caption as shown (a label's with its bidirectional formatting
    // characters written out, app/text.h), or a text box's text.
    std::optional<std::string> caption = {};
    std::optional<int> value = {};  // an option button or a check box
    // The entries of a list as stored, and the selected one.
    const std::vector<std::string>* items = nullptr;
    const std::vector<FolderEntry>* folders = nullptr;
    std::optional<int> index = {};
};

class Control {
public:
    Control(Form& form, const ControlDesign& design) : form_(form), design_(design) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlDesign& design() const { return design_; }
    ControlType type() const { return design_.type; }
    const ControlKind& kind() const { return kindOf(design_.type); }
    std::string_view name() const { return design_.name; }
    Form& form() const { return form_; }

    // The control as its own type's class. Another type is a programming
    // error and stops the program on the spot.
    template <class T>
    T& as()
    {
        if (type() != T::kType)
            wrongType(T::kType);
        return static_cast<T&>(*this);
    }
    template <class T>
    const T& as() const
    {
        return const_cast<Control*>(this)->as<T>();
    }

    virtual Shown shown() const { return {}; }

    // What the user or an event procedure can change, kept before each
    // action of the user and put back, and shown again, when the action
    // fails.
    virtual std::any saved() const { return {}; }
    virtual void restore(const std::any&) {}

    // The error number of a list that could not be listed when its window
    // was loaded; 0 when it could, and for every other control.
    virtual int loadError() const { return 0; }

    // What the user did, from a front end. A type takes what its kind of
    // control can be given and ignores the rest.
    virtual void userClick() {}                  // button pressed, option chosen, check box toggled
    virtual void userArrow(bool /*forward*/) {}  // an arrow key in an option group
    virtual void userSelect(int /*index*/) {}    // an entry picked in a drive or file list
    virtual void userOpen(int /*index*/) {}      // an entry of the folder list opened
    // By value, so that a text box keeps a long paste without a copy.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    virtual void userEdit(std::string /*text*/) {}  // a text box edited

protected:
    // Tells the front end to show a changed property.
    void changed(Property property);
    // Runs the event procedure bound to an event of this control.
    void raise(Event event);
    // Handles an action of the user (Shell::userAction).
    void act(const std::function<void()>& action);
    FileSystem& fileSystem() const;
    FrontEnd& frontEnd() const;

private:
    [[noreturn]] void wrongType(ControlType wanted) const;

    Form& form_;
    const ControlDesign& design_;
};

// The control of a design's type.
std::unique_ptr<Control> makeControl(Form& form, const ControlDesign& design);

}  // namespace vornak

// Defines the factory of a type's class (control.cpp), in the class's own
// source file.
#define VORNAK_MAKES(type)                                                       \
    std::unique_ptr<Control> make##type(Form& form, const ControlDesign& design) \
    {                                                                            \
        return std::make_unique<type>(form, design);                             \
    }
