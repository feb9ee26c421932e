// A command button: a push button that raises Click.
#include "piece.h"
#include "pieces.h"
#include "win32text.h"

namespace vornak::win32 {

namespace {

class CommandButton : public Piece {
public:
    Blueprint blueprint(Window&, const Control& c, RECT box) const override
    {
        return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, box, widen(c.caption())};
    }
    void reflect(const Control& c, HWND h, Property) const override
    {
        SetWindowTextW(h, widen(c.caption()).c_str());
    }
    void notified(Control& c, HWND, int code) const override
    {
        if (code == BN_CLICKED)
            c.userClick();
    }
};

}  // namespace

const Piece& commandButtonPiece()
{
    static const CommandButton piece;
    return piece;
}

}  // namespace vornak::win32
