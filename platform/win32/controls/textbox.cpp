// A text box: one line, editable, without a length limit beyond the
// system's own.
#include "piece.h"
#include "win32text.h"

#include "app/controls/textbox.h"

namespace vornak::win32 {

namespace {

class TextBoxPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        HWND h = makeWindow(
            w, c, {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, boxOf(w, c), widen(c.as<TextBox>().text())});
        SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
        return h;
    }
    void show(Control& c, HWND h, Property) const override
    {
        const std::wstring text = widen(c.as<TextBox>().text());
        if (windowText(h) != text)
            SetWindowTextW(h, text.c_str());
    }
    void report(Control& c, HWND h, int code) const override
    {
        if (code == EN_CHANGE)
            c.userEdit(narrow(windowText(h)));
    }
};

}  // namespace

VORNAK_PIECE(TextBox, TextBoxPiece)

}  // namespace vornak::win32
