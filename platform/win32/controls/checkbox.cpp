// A check box: checked (1) or clear (0); a click of the user toggles it.
#include "piece.h"
#include "pieces.h"
#include "win32text.h"

namespace vornak::win32 {

namespace {

void check(HWND h, const Control& c)
{
    SendMessageW(h, BM_SETCHECK, c.value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

class CheckBox : public Piece {
public:
    Blueprint blueprint(Window&, const Control& c, RECT box) const override
    {
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, box, widen(c.caption())};
    }
    void fill(Window&, const Control& c, HWND h) const override { check(h, c); }
    void reflect(const Control& c, HWND h, Property p) const override
    {
        if (p == Property::Caption)
            SetWindowTextW(h, widen(c.caption()).c_str());
        else
            check(h, c);
    }
    void notified(Control& c, HWND, int code) const override
    {
        if (code == BN_CLICKED)
            c.userClick();
    }
};

}  // namespace

const Piece& checkBoxPiece()
{
    static const CheckBox piece;
    return piece;
}

}  // namespace vornak::win32
