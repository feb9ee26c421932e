// The web front end: each form a window drawn by the page's script
// (page/vornak1.js), each control an element made by the script's piece of
// its type. This side hands the script the windows' designs and the
// controls' values as JSON, and takes what the user did back through the
// user* entry points of Form and Control (exports.cpp).
#pragma once

#include "app/frontend.h"
#include "webclock.h"

#include <map>
#include <string>

namespace vornak::web {

class FrontEnd : public vornak::FrontEnd {
public:
    void createWindow(Form& form) override;
    void showWindow(Form& form, Form* owner, bool firstTime) override;
    void hideWindow(Form& form) override;
    void raiseWindow(Form& form) override;
    void destroyWindow(Form& form) override;
    void propertyChanged(Control& control, Property property) override;
    void setCursor(MousePointer pointer) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void flush() override {}  // the page draws what it has whenever the program waits
    void quit() override;
    vornak::Clock& clock() override { return clock_; }

    // The form of a window the script knows by its number, or null.
    Form* form(int window) const;
    // Puts the keyboard focus on a control.
    void focus(const Control& control);

private:
    int idOf(const Form& form) const;

    Clock clock_;
    int next_ = 1;
    std::map<const Form*, int> ids_;
    std::map<int, Form*> forms_;
};

// What a control shows now, as the script's pieces read it.
std::string controlState(const Control& c);

}  // namespace vornak::web
