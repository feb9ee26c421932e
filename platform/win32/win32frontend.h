// The Win32 front end: each form a top-level window, each control a window
// made by the piece of its type (controls/piece.h). What the user does
// reaches the core through the user* entry points of Form and Control.
#pragma once

#include "app/design.h"
#include "app/frontend.h"
#include "win32clock.h"
#include "win32resources.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vornak::win32 {

struct Window;

class FrontEnd : public vornak::FrontEnd {
public:
    explicit FrontEnd(HINSTANCE instance);
    ~FrontEnd() override;
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    // Makes the dialog font and registers the form's window class. Throws
    // std::runtime_error with the system's reason when that fails.
    void initialise();

    void createWindow(Form& form) override;
    void showWindow(Form& form, Form* owner, bool firstTime) override;
    void hideWindow(Form& form) override;
    void raiseWindow(Form& form) override;
    void destroyWindow(Form& form) override;
    void propertyChanged(Control& control, Property property) override;
    void focus(Control& control) override;
    void setCursor(MousePointer pointer) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void flush() override;
    void quit() override;
    vornak::Clock& clock() override { return clock_; }

    // The input loop (win32input.cpp); returns when quit() has been called.
    int run();
    // Handles one message taken from the queue, the way run() does: keys
    // for key-previewing forms, then the dialog keys (Tab, arrows), then
    // the window procedures.
    void handle(MSG& msg);
    // Handles every message queued now. False once quit() was called.
    bool pump();
    bool quitting() const { return quitting_; }

    HWND windowOf(const Form& form) const;
    HWND controlOf(const Control& control) const;
    // The screen's resolution, and what the windows are drawn at there.
    int dpi() const { return resources_.dpi(); }
    const Drawing& drawing() const { return resources_.drawing(); }
    int factor() const { return resources_.drawing().factor; }
    MousePointer pointer() const { return pointer_; }
    HFONT font() const { return resources_.font(); }
    HFONT designFont() const { return resources_.designFont(); }
    HINSTANCE instance() const { return instance_; }
    int listItemHeight() const { return resources_.listItemHeight(); }
    HBITMAP picture(std::string_view name) { return resources_.picture(name); }
    void drawFolderMark(HDC dc, int x, int y, bool open) { resources_.drawFolderMark(dc, x, y, open); }

    // For the form window procedure: a window made, and gone (w with it).
    void attach(HWND hwnd, Window* w);
    void detach(HWND hwnd, Window* w);
    // Whether a change of the core is being shown: the notifications that
    // sends are not the user's.

private:
    Window* find(const Form& form) const;
    Window* find(HWND hwnd) const;
    void registerFormClass();
    HWND createFrame(Window& w);
    void place(Window& w, Form* owner);
    void abandon(Window* w);

    HINSTANCE instance_;
    Clock clock_;
    Resources resources_;
    MousePointer pointer_ = MousePointer::Default;
    bool quitting_ = false;
    HWND mainWindow_ = nullptr;
    std::unordered_map<const Form*, std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<Window>> dying_;  // let go by the core, destroyed from the loop
    std::unordered_map<HWND, Window*> byHwnd_;
};

// What main() and the tests do first: DPI awareness where the system has
// it, no system error boxes for empty drives, a 1 ms timer so the busy
// pause ends on time.
void prepareProcess();
// Whether prepareProcess told the system that the program draws for the
// screen's resolution itself, and the system took it (Windows Vista and
// later).
bool declaredDpiAware();

}  // namespace vornak::win32
