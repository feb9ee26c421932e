// The web front end: each form a window drawn by the page's script
// (page/*.js), each control an element made by the script's piece of its
// type. This side hands the script each window's layout and what its
// controls show, as JSON, and takes what the user did back through the
// entry points of main.cpp, which call the user* entry points of Form and
// Control.
//
// What the script is given (a window's lengths are pixels of the design
// it is drawn at, places on the desktop device pixels):
//
// Vornak.page.drawing(window, sizes) -> the resolution (96, 120, 144) a
//   window about to be made is drawn at, which its layout follows; sizes:
//   its client area at each of them.
// Vornak.page.create(window, design): a window, hidden. design:
//   caption      string  the title bar's text
//   icon         string  the name of its icon ("bolt", "match")
//   keyPreview   bool    every key that produces a character goes to the
//                        window (vornak_key) before any control
//   taskbar      bool    the window shows in the taskbar (the main window)
//   dpi          int     the resolution it is laid out for
//   width height int     the client area
//   controls     array   in creation order; a control's index here is its
//                        number in the entry points. Each:
//     piece        string  the script's piece of its type, named as the C++
//                          pieces are, by the type's name in
//                          app/controltypes.h
//     name         string  as the design names it
//     parent       int     the frame that holds it (its index), -1 for the
//                          client area
//     box          [left, top, width, height]  in its parent: the frame's
//                          box for what a frame holds, the client area
//                          otherwise
//     line         [x1, y1, x2, y2]  a line only: its end points in its
//                          box; the end point itself is not drawn
//     stack        int     its place from the bottom (a z-index): each lies
//                          over those with a lower one
//     tab          int     its place in the tab order, -1 when Tab never
//                          stops there; the first is where the focus starts
//     tabWhenChosen bool   Tab stops there only while its value is not 0
//                          (one of an option group)
//     labelledBy   int     the label that names it (a text box), -1 for none
//     centre       bool    its text is centred
//     border       bool    a sunken border of two pixels (an image)
//     back fore    string  its colours, "#rrggbb"
//     ownColours   bool    the design gives it colours of its own
//     picture      string  the picture an image shows, by its name
//     keyed        bool    that picture lets the window show through its
//                          grey 0xC0C0C0
//     pictureSize  [width, height]  the picture's, a pixel of it a pixel of
//                          the design
//     and what it shows, as in an update below.
// Vornak.page.update(window, index, shown): what a control shows now, with only
//   the members its type has:
//     caption      string  as shown (a label's with its bidirectional
//                          formatting characters written out), or a text
//                          box's text
//     value        int     an option button: -1 chosen, 0 not; a check box:
//                          1 checked, 0 clear
//     items        [string]  a drive or file list's entries, as shown
//     folders      [{name, indent, open}]  a folder list's entries: the name
//                          as shown, the indentation of its level, an open
//                          folder (the open one and its ancestors) or not
//     index        int     the selected entry, -1 for none
// Vornak.page.frame(window) -> [left, top, width, height] of the window's frame
//   (window 0: the desktop); Vornak.page.show(window, place, x, y) shows it, at
//   x, y when place; Vornak.hide, Vornak.raise, Vornak.destroy(window);
//   Vornak.focus(window, index); Vornak.cursor(hourglass);
//   Vornak.message(title, text), awaited; Vornak.quit().
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
