// A control type realised on Win32: one piece a type, each in a file of its
// own under controls/, found by the type. A piece makes the control's
// window (one of the system's control classes, or one of this program's
// two small classes for pictures and lines), shows the control's values on
// it, and tells the core what the user did to it.
#pragma once

#include "app/control.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace vornak::win32 {

struct Window;

// What a control's window is made of, before it is made.
struct Blueprint {
    const wchar_t* cls = L"BUTTON";
    DWORD style = 0;  // besides WS_CHILD, WS_VISIBLE and WS_CLIPSIBLINGS
    DWORD ex = 0;
    RECT box{};       // in the window's client area
    std::wstring text;
    void* param = nullptr;  // the data of this program's own classes
};

class Piece {
public:
    virtual ~Piece() = default;
    // Registers the window class of its own that the piece uses, if any.
    // Throws std::runtime_error when that fails.
    virtual void registerClass(HINSTANCE) const {}
    // The class, styles and text of the control's window, placed in box.
    // Throws std::runtime_error when something it needs cannot be made.
    virtual Blueprint blueprint(Window& w, const Control& c, RECT box) const = 0;
    // What the window shows, once it is there.
    virtual void fill(Window&, const Control&, HWND) const {}
    // Shows a changed property. The caller keeps the notifications this
    // sends from reaching the core as the user's.
    virtual void reflect(const Control& c, HWND h, Property p) const = 0;
    // A notification (WM_COMMAND) from the control's window: what the user
    // did, passed to the control. Nothing of the window may be used after
    // the call: the core may have unloaded it.
    virtual void notified(Control&, HWND, int /*code*/) const {}
    // WM_CTLCOLOR*: the brush of the control's background, with the
    // colours set on dc, or null for the system's.
    virtual HBRUSH colours(Window&, const Control&, HDC) const { return nullptr; }
    // An owner-drawn list: the height of an entry, and one entry drawn.
    virtual void measure(const Window&, MEASUREITEMSTRUCT&) const {}
    virtual void draw(const Window&, const DRAWITEMSTRUCT&) const {}
};

const Piece& pieceFor(ControlType type);

// A design colour as the system's: the control type's own default where
// the design gives none, a system colour, or the RGB value itself.
COLORREF colourOf(uint32_t design, uint32_t typeDefault);

// What a piece keeps for as long as its window lives (a picture to draw, a
// brush), owned by the window.
struct PieceData {
    virtual ~PieceData() = default;
};

}  // namespace vornak::win32
