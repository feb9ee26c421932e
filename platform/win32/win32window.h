// A form's top-level window as the front end keeps it, and its window
// procedure. The controls in it are the pieces' (controls/piece.h).
#pragma once

#include "app/form.h"
#include "app/layout.h"
#include "controls/piece.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace vornak::win32 {

class FrontEnd;

inline constexpr wchar_t kFormClass[] = L"VornakForm";

// No WS_CLIPCHILDREN: a group box paints only its frame and caption, and
// the window's own background must show through it.
inline constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// Asks a window to destroy itself once the current message is over, so a
// window is never destroyed while its own procedure is still running.
inline constexpr UINT kDestroyLater = WM_APP + 1;

// Control identifiers start above IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Escape.
inline constexpr int kFirstId = 100;

struct Window {
    FrontEnd* frontEnd = nullptr;
    Form* form = nullptr;  // null once the core has let the window go
    HWND hwnd = nullptr;
    WindowLayout layout;         // at the front end's resolution
    std::vector<HWND> controls;  // by the control's index in the form
    HWND lastFocus = nullptr;

    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int indexOf(HWND child) const;
    int indexOf(const Control& c) const;
    // The control of that index while the core holds the window, or null.
    Control* control(int index) const;
    // Where the layout puts a control.
    const ControlLayout& at(const Control& c) const { return layout.controls[static_cast<size_t>(indexOf(c))]; }
    // What a piece keeps for a control for as long as the window lives.
    void keep(const Control& c, std::unique_ptr<PieceData> data);

private:
    std::vector<std::unique_ptr<PieceData>> data_;  // by the control's index
};

// Makes the windows of the form's controls, in creation order, where the
// layout puts them, and stacks them as it says: the z-order, which is also
// the order Tab walks. Throws std::runtime_error with the system's reason
// when that fails.
void createControls(Window& w);

// The window procedure of every form.
LRESULT CALLBACK formProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

}  // namespace vornak::win32
