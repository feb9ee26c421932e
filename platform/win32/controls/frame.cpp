// A frame: a group box around the options it holds.
#include "piece.h"
#include "pieces.h"
#include "win32text.h"

namespace vornak::win32 {

namespace {

class Frame : public Piece {
public:
    Blueprint blueprint(Window&, const Control& c, RECT box) const override
    {
        return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0, box, widen(c.caption())};
    }
    void reflect(const Control& c, HWND h, Property) const override
    {
        SetWindowTextW(h, widen(c.caption()).c_str());
    }
};

}  // namespace

const Piece& framePiece()
{
    static const Frame piece;
    return piece;
}

}  // namespace vornak::win32
