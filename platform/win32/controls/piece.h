// A control type realised on Win32: one piece a type, each in a file of its
// own under controls/, found by the type. A piece has three duties, as in
// every front end: it creates the control's window (one of the system's
// control classes, or one of this program's two small classes for pictures
// and lines), shows a change of the control's values on it, and reports
// what the user did to it to the control's user* entry points.
//
// A piece that paints part of its control itself (a label's colours, the
// folder list's rows) answers the painting messages the control's window
// sends its parent: the form sends them back to the control's window
// (kSentBack), where the piece's data answers them (PieceData::sentBack).
#pragma once

#include "app/control.h"
#include "app/layout.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace vornak::win32 {

struct Window;

class Piece {
public:
    virtual ~Piece() = default;
    // Makes the control's window in w, where the window's layout puts it,
    // showing the control's values. Throws std::runtime_error with the
    // system's reason when that fails.
    virtual HWND create(Window& w, Control& c) const = 0;
    // Shows a changed property. The caller keeps the notifications this
    // sends from reaching the core as the user's.
    virtual void show(Control& c, HWND h, Property p) const = 0;
    // A notification (WM_COMMAND) from the control's window: what the user
    // did, passed to the control. Nothing of the window may be used after
    // the call: the core may have unloaded it.
    virtual void report(Control& c, HWND h, int code) const = 0;
};

// The piece of a type, from the table made from the list of types
// (app/controltypes.h).
const Piece& pieceFor(ControlType type);
VORNAK_DECLARE_PIECES

// What a control's window is made of.
struct Blueprint {
    const wchar_t* cls = L"BUTTON";
    // Besides WS_CHILD, WS_VISIBLE and WS_CLIPSIBLINGS, and WS_GROUP and
    // WS_TABSTOP as the layout says.
    DWORD style = 0;
    DWORD ex = 0;
    RECT box{};  // in the window's client area
    std::wstring text;
    void* param = nullptr;  // the data of this program's own classes
};

// Where the window's layout puts a control, in the client area.
RECT boxOf(const Window& w, const Control& c);

// Makes a control's window from its blueprint, in the dialog face. Throws
// std::runtime_error with the system's reason when that fails.
HWND makeWindow(Window& w, const Control& c, const Blueprint& b);

// A design colour as the system's: the control type's own default where
// the design gives none, a system colour, or the RGB value itself.
COLORREF colourOf(uint32_t design, uint32_t typeDefault);

// The painting messages a form sends back to its controls' windows:
// kSentBack + WM_CTLCOLORSTATIC, WM_DRAWITEM, WM_MEASUREITEM and so on.
inline constexpr UINT kSentBack = WM_APP + 0x100;

// What a piece keeps for as long as its window lives (a picture to draw, a
// brush), owned by the window.
struct PieceData {
    virtual ~PieceData() = default;
    // A painting message sent back to the control's window (its parent's
    // message, without kSentBack); false to leave it to the system.
    virtual bool sentBack(UINT /*msg*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
    WNDPROC original = nullptr;
};

// Keeps data for as long as the control's window lives; the window then
// answers the painting messages sent back to it with data's sentBack.
void keepAnswering(Window& w, const Control& c, HWND h, std::unique_ptr<PieceData> data);

}  // namespace vornak::win32
