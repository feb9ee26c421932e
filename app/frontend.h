// The one narrow road from the core to a toolkit. A front end realises
// windows and control types and never knows a particular window; it tells
// the core what the user did through the user* entry points of Form and
// Control. With the defaults below the core runs headless.
#pragma once

#include <string_view>

namespace vornak {

class Form;
class Control;

enum class Property {
    Caption,    // caption of a label, button, frame, check box, option button
    Text,       // a text box's text
    Value,      // option button or check box
    List,       // the entries of a drive, folder or file list, with its selection
    ListIndex,  // the selected entry of a list
};

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Builds the window and its controls from the form's design and current
    // values, hidden.
    virtual void createWindow(Form&) {}
    // Makes the window visible and active. On its first showing after a
    // load the window is placed: centred on owner when there is one and the
    // design says so, on the screen otherwise.
    virtual void showWindow(Form&, Form* /*owner*/, bool /*firstTime*/) {}
    virtual void hideWindow(Form&) {}
    virtual void raiseWindow(Form&) {}
    virtual void destroyWindow(Form&) {}
    virtual void propertyChanged(Control&, Property) {}
    // 0 default, 11 hourglass, over every window of the program.
    virtual void setCursor(int /*mousePointer*/) {}
    // A modal message with one OK button.
    virtual void messageBox(std::string_view /*title*/, std::string_view /*text*/) {}
    // Puts everything drawn so far, and the cursor, on the screen without
    // handling any input. Called before the program stalls.
    virtual void flush() {}
    // No window is left: leave the input loop.
    virtual void quit() {}
};

}  // namespace vornak
