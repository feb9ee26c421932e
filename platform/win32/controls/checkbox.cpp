// A check box: checked (1) or clear (0); a click of the user toggles it.
#include "piece.h"
#include "win32text.h"

#include "app/controls/checkbox.h"

namespace vornak::win32 {

namespace {

class CheckBoxPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        HWND h = makeWindow(w, c, {L"BUTTON", BS_AUTOCHECKBOX, 0, boxOf(w, c), widen(c.as<CheckBox>().shownCaption())});
        show(c, h, Property::Value);
        return h;
    }
    void show(Control& c, HWND h, Property p) const override
    {
        const CheckBox& check = c.as<CheckBox>();
        if (p == Property::Caption)
            SetWindowTextW(h, widen(check.shownCaption()).c_str());
        else
            SendMessageW(h, BM_SETCHECK, check.value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void report(Control& c, HWND, int code) const override
    {
        if (code == BN_CLICKED)
            c.userClick();
    }
};

}  // namespace

VORNAK_PIECE(CheckBox, CheckBoxPiece)

}  // namespace vornak::win32
