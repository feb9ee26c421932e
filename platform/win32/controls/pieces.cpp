#include "piece.h"

#include "win32frontend.h"
#include "win32text.h"
#include "win32window.h"

#include <iterator>

namespace vornak::win32 {

const Piece& pieceFor(ControlType type)
{
    static const Piece* const pieces[] = VORNAK_PIECE_TABLE;
    static_assert(std::size(pieces) == kControlTypeCount);
    return *pieces[static_cast<unsigned>(type)];
}

RECT boxOf(const Window& w, const Control& c)
{
    const Rect& r = w.at(c).inWindow;
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

HWND makeWindow(Window& w, const Control& c, const Blueprint& b)
{
    const ControlLayout& at = w.at(c);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | b.style;
    if (at.groupStart)
        style |= WS_GROUP;
    if (at.tab >= 0 && !at.tabStopWhenChosen)
        style |= WS_TABSTOP;
    const int index = w.indexOf(c);
    HWND h = CreateWindowExW(
        b.ex, b.cls, b.text.c_str(), style, b.box.left, b.box.top, b.box.right - b.box.left, b.box.bottom - b.box.top,
        w.hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + index)), w.frontEnd->instance(), b.param);
    if (!h)
        fail("CreateWindowEx " + std::string(c.name()));
    w.controls[static_cast<size_t>(index)] = h;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(w.frontEnd->font()), FALSE);
    return h;
}

COLORREF colourOf(uint32_t design, uint32_t typeDefault)
{
    const uint32_t c = design == kDefaultColour ? typeDefault : design;
    if (isSystemColour(c))
        return GetSysColor(static_cast<int>(c & 0xFFu));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

namespace {

// The window procedure of a control whose piece answers painting messages
// sent back to it; everything else goes on to the class's own procedure.
LRESULT CALLBACK answering(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* data = reinterpret_cast<PieceData*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (!data)
        return DefWindowProcW(h, msg, wp, lp);
    const WNDPROC original = data->original;
    if (msg > kSentBack && msg <= kSentBack + WM_CTLCOLORSTATIC) {
        LRESULT result = 0;
        return data->sentBack(msg - kSentBack, wp, lp, result) ? result : 0;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(h, GWLP_USERDATA, 0);
    }
    return CallWindowProcW(original, h, msg, wp, lp);
}

}  // namespace

void keepAnswering(Window& w, const Control& c, HWND h, std::unique_ptr<PieceData> data)
{
    SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data.get()));
    data->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(answering)));
    w.keep(c, std::move(data));
}

}  // namespace vornak::win32
