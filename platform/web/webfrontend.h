// The web front end: each form a window drawn by the page's script
// (page/*.js), each control an element made by the script's piece of its
// type. This side hands the script each window's layout and what its
// controls show, as JSON, and takes what the user did back through the
// entry points of main.cpp, which call the user* entry points of Form and
// Control.
//
// What the page is given and what it calls back is declared once, with
// every member's meaning, in protocol.json, from which protocol.py makes
// both sides (protocol_calls.h, protocol_entries.h, protocol_fields.h and
// the page's protocol.js).
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
    void focus(Control& control) override;
    void setCursor(MousePointer pointer) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void flush() override {}  // the page draws what it has whenever the program waits
    void quit() override;
    vornak::Clock& clock() override { return clock_; }

    // The form of a window the script knows by its number, or null.
    Form* form(int window) const;

private:
    int idOf(const Form& form) const;

    Clock clock_;
    int next_ = 1;
    std::map<const Form*, int> ids_;
    std::map<int, Form*> forms_;
};

}  // namespace vornak::web
