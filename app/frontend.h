// The one narrow way from the core to a toolkit. A front end realises
// windows and control types and never knows a particular window; it tells
// the core what the user did through the user* entry points of Form and
// Control, whenever its controls say so: what arrives there while the core
// itself is at work (running what the user did, or an event procedure,
// and so showing its own changes) is the core's own change coming back,
// which the core ignores (Shell::userAction). A front end keeps nothing
// back for that. The core tests drive the core through a headless front end of
// their own.
#pragma once

#include <string_view>

namespace vornak {

class Clock;
class Form;
class Control;

enum class Property {
    Caption,    // caption of a label, button, frame, check box, option button
    Text,       // a text box's text
    Value,      // option button or check box
    List,       // the entries of a drive, folder or file list, with its selection
    ListIndex,  // the selected entry of a list
};

// Screen.MousePointer: the cursor over every window of the program.
enum class MousePointer { Default = 0, Hourglass = 11 };

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Builds the window and its controls from the form's design and current
    // values, hidden.
    virtual void createWindow(Form& form) = 0;
    // Makes the window visible and active. On its first showing after a
    // load the window is placed (app/placement.h): centred on its owner
    // when there is one and the design says so, on the screen otherwise.
    virtual void showWindow(Form& form, Form* owner, bool firstTime) = 0;
    virtual void hideWindow(Form& form) = 0;
    virtual void raiseWindow(Form& form) = 0;
    virtual void destroyWindow(Form& form) = 0;
    virtual void propertyChanged(Control& control, Property property) = 0;
    // Puts the keyboard focus on a control, as an arrow key in an option
    // group does before it chooses the option it reaches.
    virtual void focus(Control& control) = 0;
    virtual void setCursor(MousePointer pointer) = 0;
    // A modal message with one OK button; returns when it is dismissed.
    virtual void messageBox(std::string_view title, std::string_view text) = 0;
    // Puts everything drawn so far, and the cursor, on the screen without
    // handling any input. Called before the program stalls.
    virtual void flush() = 0;
    // No window is left: leave the input loop.
    virtual void quit() = 0;
    // The clock the busy pause sleeps on: a front end that cannot block its
    // thread (a browser) sleeps its own way.
    virtual Clock& clock() = 0;
};

// A front end that draws nothing and hears nothing: the core alone, for
// the tests and the tools that run it without windows. The clock is the
// user's.
class Headless : public FrontEnd {
public:
    void createWindow(Form&) override {}
    void showWindow(Form&, Form*, bool) override {}
    void hideWindow(Form&) override {}
    void raiseWindow(Form&) override {}
    void destroyWindow(Form&) override {}
    void propertyChanged(Control&, Property) override {}
    void focus(Control&) override {}
    void setCursor(MousePointer) override {}
    void messageBox(std::string_view, std::string_view) override {}
    void flush() override {}
    void quit() override {}
};

}  // namespace vornak
