// A frame: a group box around the options it holds.
#include "piece.h"
#include "win32text.h"

#include "app/controls/frame.h"

namespace vornak::win32 {

namespace {

class FramePiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        return makeWindow(w, c, {L"BUTTON", BS_GROUPBOX, 0, boxOf(w, c), widen(c.as<Frame>().shownCaption())});
    }
    void show(Control& c, HWND h, Property) const override
    {
        SetWindowTextW(h, widen(c.as<Frame>().shownCaption()).c_str());
    }
    void report(Control&, HWND, int) const override {}
};

}  // namespace

VORNAK_PIECE(Frame, FramePiece)

}  // namespace vornak::win32
