// The input loop: the keys of a form that previews them first, Enter on
// the focused button, then the dialog manager's keys (Tab, the arrows in an
// option group), then the window procedures.
#include "win32frontend.h"

#include "app/form.h"
#include "win32window.h"

namespace vornak::win32 {

namespace {

// Every key that produces a character goes to a form that previews keys
// first; Tab still moves the focus. True when the message was handled.
bool previewKey(Form& form, HWND root, MSG& msg)
{
    if (msg.message == WM_CHAR) {
        form.userKeyPress(static_cast<int>(msg.wParam));
        return true;
    }
    if (msg.message != WM_KEYDOWN)
        return false;
    TranslateMessage(&msg);
    if (msg.wParam == VK_TAB) {
        if (HWND next = GetNextDlgTabItem(root, GetFocus(), GetKeyState(VK_SHIFT) < 0))
            SetFocus(next);
        return true;
    }
    DispatchMessageW(&msg);
    return true;
}

// Enter presses the focused button and nothing else: these windows have no
// default button (the dialog manager would send IDOK).
void pressFocusedButton(HWND root)
{
    HWND focus = GetFocus();
    if (focus && IsChild(root, focus)
        && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
        SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                     reinterpret_cast<LPARAM>(focus));
}

}  // namespace

void FrontEnd::handle(MSG& msg)
{
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Window* w = root ? find(root) : nullptr;
    if (w && w->form && w->form->design().keyPreview && previewKey(*w->form, root, msg))
        return;
    if (w && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        pressFocusedButton(root);
        return;
    }
    if (w && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int FrontEnd::run()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 1;
        handle(msg);
    }
}

bool FrontEnd::pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitting_ = true;
            return false;
        }
        handle(msg);
    }
    return !quitting_;
}

}  // namespace vornak::win32
