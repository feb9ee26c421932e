#include "win32window.h"

#include "app/shell.h"
#include "win32controls.h"
#include "win32text.h"

#include <string>

namespace vornak::win32 {

bool WindowProcs::setHourglass(const FrontEnd* fe)
{
    if (!fe || fe->pointer_ != kHourglass)
        return false;
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

LRESULT WindowProcs::command(Window& w, WPARAM wp, LPARAM lp)
{
    HWND child = reinterpret_cast<HWND>(lp);
    const int code = HIWORD(wp);
    // Without a control this is the dialog manager's IDOK (Enter outside a
    // button) or IDCANCEL (Escape): neither does anything in this program.
    const int index = w.indexOf(child);
    Control* c = w.control(index);
    if (!c || LOWORD(wp) != kFirstId + index || w.frontEnd->reflecting_)
        return 0;
    // Nothing of w's form or controls may be used after a user* call: the
    // core may have unloaded the window by then.
    switch (c->type()) {
    case ControlType::CommandButton:
    case ControlType::CheckBox:
        if (code == BN_CLICKED)
            c->userClick();
        break;
    case ControlType::OptionButton:
        // A choice is an option button that is checked. Windows also
        // notifies BN_CLICKED when the focus reaches an option that is not
        // chosen (Tab, an arrow key before the dialog manager clicks it, the
        // focus given back to a reactivated window): that chooses nothing.
        if (code == BN_CLICKED && SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED)
            c->userClick();
        break;
    case ControlType::TextBox:
        if (code == EN_CHANGE)
            c->userEdit(narrow(windowText(child)));
        break;
    case ControlType::DriveList:
        if (code == CBN_SELCHANGE)
            c->userSelect(static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0)));
        break;
    case ControlType::DirList:
        if (code == LBN_DBLCLK)
            c->userOpen(static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0)));
        break;
    case ControlType::FileList:
        if (code == LBN_SELCHANGE)
            c->userSelect(static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0)));
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CALLBACK WindowProcs::form(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        w->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        w->frontEnd->byHwnd_[hwnd] = w;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w)
        return DefWindowProcW(hwnd, msg, wp, lp);

    switch (msg) {
    case WM_NCDESTROY: {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        FrontEnd* fe = w->frontEnd;
        w->hwnd = nullptr;
        fe->byHwnd_.erase(hwnd);
        if (fe->mainWindow_ == hwnd)
            fe->mainWindow_ = nullptr;
        fe->forget(w);  // w is gone from here on
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    case kDestroyLater:
        DestroyWindow(hwnd);
        return 0;
    case WM_CLOSE:
        // The core decides: it unloads the form and asks for the window to
        // be destroyed (later, from the input loop).
        if (w->form)
            w->form->userClose();
        return 0;
    case WM_COMMAND:
        return command(*w, wp, lp);
    case WM_SETCURSOR:
        if (setHourglass(w->frontEnd))
            return TRUE;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus))
                w->lastFocus = focus;
        } else if (w->lastFocus && IsWindow(w->lastFocus) && IsWindowVisible(hwnd)) {
            SetFocus(w->lastFocus);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        HWND child = reinterpret_cast<HWND>(lp);
        for (auto& [h, brush] : w->labelBrushes)
            if (h == child) {
                const Control* c = w->control(w->indexOf(child));
                if (!c)
                    break;
                HDC dc = reinterpret_cast<HDC>(wp);
                SetTextColor(dc, colourOf(c->design().foreColour, COLOR_BTNTEXT));
                SetBkColor(dc, colourOf(c->design().backColour, COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(brush);
            }
        break;
    }
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->CtlType == ODT_LISTBOX) {
            m->itemHeight = static_cast<UINT>(w->frontEnd->folderItemHeight());
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (d->CtlType == ODT_LISTBOX) {
            drawFolder(*d, w->frontEnd->font());
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT WindowProcs::graphic(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void (*paint)(HWND, HDC))
{
    switch (msg) {
    case WM_NCCREATE:
        // The window's data, kept by the Window that owns the control.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_SETCURSOR:
        if (setHourglass(pointerOwner))
            return TRUE;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WindowProcs::picture(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return graphic(hwnd, msg, wp, lp, paintPicture);
}

LRESULT CALLBACK WindowProcs::line(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return graphic(hwnd, msg, wp, lp, paintLine);
}

}  // namespace vornak::win32
