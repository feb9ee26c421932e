// A label: a static text, wrapped within its box, in the design's colours
// where it has colours of its own.
#include "piece.h"
#include "pieces.h"
#include "win32text.h"
#include "win32window.h"

#include "app/controlkind.h"
#include "app/text.h"

namespace vornak::win32 {

namespace {

struct Brush : PieceData {
    HBRUSH brush;
    explicit Brush(HBRUSH b) : brush(b) {}
    ~Brush() override { DeleteObject(brush); }
};

bool hasOwnColours(const ControlDesign& d)
{
    return d.backColour != kDefaultColour || d.foreColour != kDefaultColour;
}

class Label : public Piece {
public:
    Blueprint blueprint(Window&, const Control& c, RECT box) const override
    {
        return {L"STATIC", static_cast<DWORD>(SS_NOPREFIX | (c.design().alignment == Alignment::Centre ? SS_CENTER : SS_LEFT)),
                0, box, widen(shownText(c.caption()))};
    }
    void fill(Window& w, const Control& c, HWND) const override
    {
        if (!hasOwnColours(c.design()))
            return;
        HBRUSH b = CreateSolidBrush(colourOf(c.design().backColour, kindOf(c.type()).backColour));
        if (!b)
            fail("CreateSolidBrush");
        w.keep(c, std::make_unique<Brush>(b));
    }
    void reflect(const Control& c, HWND h, Property) const override
    {
        SetWindowTextW(h, widen(shownText(c.caption())).c_str());
    }
    HBRUSH colours(Window& w, const Control& c, HDC dc) const override
    {
        const auto* b = static_cast<const Brush*>(w.kept(c));
        if (!b)
            return nullptr;
        const ControlKind& kind = kindOf(c.type());
        SetTextColor(dc, colourOf(c.design().foreColour, kind.foreColour));
        SetBkColor(dc, colourOf(c.design().backColour, kind.backColour));
        return b->brush;
    }
};

}  // namespace

const Piece& labelPiece()
{
    static const Label piece;
    return piece;
}

}  // namespace vornak::win32
