// A text box: one line, editable, without a length limit beyond the
// system's own.
#include "piece.h"
#include "pieces.h"
#include "win32text.h"

namespace vornak::win32 {

namespace {

class TextBox : public Piece {
public:
    Blueprint blueprint(Window&, const Control& c, RECT box) const override
    {
        return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, box, widen(c.text())};
    }
    void fill(Window&, const Control&, HWND h) const override { SendMessageW(h, EM_SETLIMITTEXT, 0, 0); }
    void reflect(const Control& c, HWND h, Property) const override
    {
        const std::wstring text = widen(c.text());
        if (windowText(h) != text)
            SetWindowTextW(h, text.c_str());
    }
    void notified(Control& c, HWND h, int code) const override
    {
        if (code == EN_CHANGE)
            c.userEdit(narrow(windowText(h)));
    }
};

}  // namespace

const Piece& textBoxPiece()
{
    static const TextBox piece;
    return piece;
}

}  // namespace vornak::win32
