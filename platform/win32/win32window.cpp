#include "win32window.h"

#include "win32frontend.h"
#include "win32text.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace vornak::win32 {

int Window::indexOf(HWND child) const
{
    const auto it = std::find(controls.begin(), controls.end(), child);
    return it == controls.end() || !child ? -1 : static_cast<int>(it - controls.begin());
}

Control* Window::control(int index) const
{
    if (!form || index < 0 || index >= static_cast<int>(form->controls().size()))
        return nullptr;
    return form->controls()[static_cast<size_t>(index)].get();
}

int Window::indexOf(const Control& c) const
{
    const auto& all = c.form().controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == &c)
            return static_cast<int>(i);
    return -1;
}

void Window::keep(const Control& c, std::unique_ptr<PieceData> data)
{
    const size_t i = static_cast<size_t>(indexOf(c));
    if (data_.size() <= i)
        data_.resize(i + 1);
    data_[i] = std::move(data);
}

namespace {

// Stacks the controls as the layout says, top first.
void stackControls(Window& w)
{
    HWND previous = HWND_TOP;
    for (int i : w.layout.stacking) {
        HWND h = w.controls[static_cast<size_t>(i)];
        if (!SetWindowPos(h, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW))
            fail("SetWindowPos");
        previous = h;
    }
}

}  // namespace

void createControls(Window& w)
{
    const auto& all = w.form->controls();
    w.controls.assign(all.size(), nullptr);
    for (const auto& c : all)
        pieceFor(c->type()).create(w, *c);
    stackControls(w);
}

namespace {

LRESULT onCommand(Window& w, WPARAM wp, LPARAM lp)
{
    // Without a control this is the dialog manager's IDOK (Enter outside a
    // button) or IDCANCEL (Escape): neither does anything in this program.
    HWND child = reinterpret_cast<HWND>(lp);
    const int index = w.indexOf(child);
    Control* c = w.control(index);
    if (c && LOWORD(wp) == kFirstId + index)
        pieceFor(c->type()).report(*c, child, HIWORD(wp));
    return 0;
}

// The focus goes back to the control that had it when the window was left.
bool onActivate(Window& w, HWND hwnd, WPARAM wp)
{
    if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus))
            w.lastFocus = focus;
        return false;
    }
    if (w.lastFocus && IsWindow(w.lastFocus) && IsWindowVisible(hwnd)) {
        SetFocus(w.lastFocus);
        return true;
    }
    return false;
}

// A control's own part in painting, sent back to the control's window,
// whose piece answers it or leaves it to the system.
bool sendBack(Window& w, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    HWND child = msg == WM_DRAWITEM ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem
               : msg == WM_MEASUREITEM
                   ? GetDlgItem(hwnd, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lp)->CtlID))
                   : reinterpret_cast<HWND>(lp);
    if (w.indexOf(child) < 0)
        return false;
    result = SendMessageW(child, kSentBack + msg, wp, lp);
    return result != 0;
}

}  // namespace

namespace {

// The messages of a form that the program answers itself; false for those
// left to the system.
bool onFormMessage(Window& w, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case kDestroyLater: DestroyWindow(hwnd); return true;
    case WM_CLOSE:
        // The core decides: it unloads the form and asks for the window to
        // be destroyed (later, from the input loop).
        if (w.form)
            w.form->userClose();
        return true;
    case WM_COMMAND: result = onCommand(w, wp, lp); return true;
    case WM_SETCURSOR:
        if (w.frontEnd->pointer() != MousePointer::Hourglass)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        result = TRUE;
        return true;
    case WM_ACTIVATE: return onActivate(w, hwnd, wp);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_MEASUREITEM:
    case WM_DRAWITEM: return sendBack(w, hwnd, msg, wp, lp, result);
    default: return false;
    }
}

}  // namespace

LRESULT CALLBACK formProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        w->frontEnd->attach(hwnd, w);
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w)
        return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        w->frontEnd->detach(hwnd, w);  // w is gone from here on
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    LRESULT result = 0;
    if (onFormMessage(*w, hwnd, msg, wp, lp, result))
        return result;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace vornak::win32
