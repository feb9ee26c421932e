// An option button: a radio button of the group its frame makes; Tab
// reaches the group at its chosen option. The window starts each group
// (the layout's groupStart).
#include "piece.h"
#include "win32text.h"

#include "app/controls/optionbutton.h"

namespace vornak::win32 {

namespace {

class OptionButtonPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        HWND h = makeWindow(
            w, c, {L"BUTTON", BS_AUTORADIOBUTTON, 0, boxOf(w, c), widen(c.as<OptionButton>().shownCaption())});
        show(c, h, Property::Value);
        return h;
    }
    void show(Control& c, HWND h, Property p) const override
    {
        const OptionButton& option = c.as<OptionButton>();
        if (p == Property::Caption) {
            SetWindowTextW(h, widen(option.shownCaption()).c_str());
            return;
        }
        const bool on = option.value() != kFalse;
        SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
        LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        style = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
        SetWindowLongPtrW(h, GWL_STYLE, style);
    }
    void report(Control& c, HWND h, int code) const override
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

VORNAK_PIECE(OptionButton, OptionButtonPiece)

}  // namespace vornak::win32
