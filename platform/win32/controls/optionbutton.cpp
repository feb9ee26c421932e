// An option button: a radio button of the group its frame makes; Tab
// reaches the group at its chosen option.
#include "piece.h"
#include "pieces.h"
#include "win32text.h"

namespace vornak::win32 {

namespace {

void choose(HWND h, bool on)
{
    SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    style = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(h, GWL_STYLE, style);
}

class OptionButton : public Piece {
public:
    // Not a group of its own: the window starts each option group.
    Blueprint blueprint(Window&, const Control& c, RECT box) const override
    {
        return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | (c.value() != kFalse ? WS_TABSTOP : 0)), 0, box,
                widen(c.caption())};
    }
    void fill(Window&, const Control& c, HWND h) const override { choose(h, c.value() != kFalse); }
    void reflect(const Control& c, HWND h, Property p) const override
    {
        if (p == Property::Caption)
            SetWindowTextW(h, widen(c.caption()).c_str());
        else
            choose(h, c.value() != kFalse);
    }
    void notified(Control& c, HWND h, int code) const override
    {
        // A choice is an option button that is checked. Windows also
        // notifies BN_CLICKED when the focus reaches an option that is not
        // chosen (Tab, an arrow key before the dialog manager clicks it, the
        // focus given back to a reactivated window): that chooses nothing.
        if (code == BN_CLICKED && SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
            c.userClick();
    }
};

}  // namespace

const Piece& optionButtonPiece()
{
    static const OptionButton piece;
    return piece;
}

}  // namespace vornak::win32
