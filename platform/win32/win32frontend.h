// The Win32 front end: each form a top-level window, each control one of
// the system's own control classes (a picture and a line are drawn by two
// small classes of this program). What the user does reaches the core
// through the user* entry points of Form and Control.
#pragma once

#include "app/design.h"
#include "app/frontend.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace vornak::win32 {

class PictureDecoder;
struct Window;

class FrontEnd : public vornak::FrontEnd {
public:
    explicit FrontEnd(HINSTANCE instance);
    ~FrontEnd() override;
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    // Registers the window classes and makes the dialog font. Throws
    // std::runtime_error with the system's reason when that fails.
    void initialise();

    void createWindow(Form& form) override;
    void showWindow(Form& form, Form* owner, bool firstTime) override;
    void hideWindow(Form& form) override;
    void raiseWindow(Form& form) override;
    void destroyWindow(Form& form) override;
    void propertyChanged(Control& control, Property property) override;
    void setCursor(int mousePointer) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void flush() override;
    void quit() override;

    // The input loop; returns when quit() has been called.
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
    int dpi() const { return dpi_; }
    int mousePointer() const { return pointer_; }
    HFONT font() const { return font_; }
    // The face the dialog font was made with.
    const std::wstring& fontFace() const { return fontFace_; }
    HINSTANCE instance() const { return instance_; }
    // The height of an entry of the folder list and of the drive list.
    int folderItemHeight() const { return folderItemHeight_; }
    // A picture of app/pictures.h, decoded once and kept until the front
    // end goes. Throws std::runtime_error when it cannot be decoded.
    HBITMAP picture(std::string_view name);

private:
    friend struct WindowProcs;

    Window* find(const Form& form) const;
    Window* find(HWND hwnd) const;
    void forget(Window* w);
    HICON icon(Icon which, bool big);
    void place(Window& w, Form* owner);

    HINSTANCE instance_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    std::wstring fontFace_;
    int folderItemHeight_ = 16;
    int pointer_ = 0;
    int reflecting_ = 0;
    bool quitting_ = false;
    HWND mainWindow_ = nullptr;
    std::unordered_map<const Form*, std::unique_ptr<Window>> windows_;
    std::vector<std::unique_ptr<Window>> dying_;  // detached, destroyed from the loop
    std::unordered_map<HWND, Window*> byHwnd_;
    std::unordered_map<std::string, HBITMAP> pictures_;
    std::unordered_map<int, HICON> icons_;
    std::unique_ptr<PictureDecoder> decoder_;
};

// What main() and the tests do first: DPI awareness, no system error boxes
// for empty drives, a 1 ms timer so the busy pause ends on time.
void prepareProcess();

}  // namespace vornak::win32
