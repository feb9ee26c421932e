// A command button: a push button that raises Click.
#include "piece.h"
#include "win32text.h"

#include "app/controls/commandbutton.h"

namespace vornak::win32 {

namespace {

class CommandButtonPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        return makeWindow(w, c,
                          {L"BUTTON", BS_PUSHBUTTON, 0, boxOf(w, c), widen(c.as<CommandButton>().shownCaption())});
    }
    void show(Control& c, HWND h, Property) const override
    {
        SetWindowTextW(h, widen(c.as<CommandButton>().shownCaption()).c_str());
    }
    void report(Control& c, HWND, int code) const override
    {
        if (code == BN_CLICKED)
            c.userClick();
    }
};

}  // namespace

VORNAK_PIECE(CommandButton, CommandButtonPiece)

}  // namespace vornak::win32
