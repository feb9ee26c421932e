// A label: a static text, wrapped within its box, in the design's colours
// where it has colours of its own.
#include "piece.h"
#include "win32text.h"

#include "app/controls/label.h"

namespace vornak::win32 {

namespace {

// The design's own colours, answered when the label is painted.
struct Colours : PieceData {
    HBRUSH brush;
    COLORREF fore, back;
    Colours(HBRUSH b, COLORREF f, COLORREF k) : brush(b), fore(f), back(k) {}
    ~Colours() override { DeleteObject(brush); }
    bool sentBack(UINT msg, WPARAM wp, LPARAM, LRESULT& result) override
    {
        if (msg != WM_CTLCOLORSTATIC)
            return false;
        SetTextColor(reinterpret_cast<HDC>(wp), fore);
        SetBkColor(reinterpret_cast<HDC>(wp), back);
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
};

class LabelPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        const ControlDesign& d = c.design();
        const DWORD style = SS_NOPREFIX | (d.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT);
        HWND h = makeWindow(w, c, {L"STATIC", style, 0, boxOf(w, c), widen(c.as<Label>().shownCaption())});
        if (d.backColour == kDefaultColour && d.foreColour == kDefaultColour)
            return h;
        const COLORREF back = colourOf(d.backColour, c.kind().backColour);
        HBRUSH brush = CreateSolidBrush(back);
        if (!brush)
            fail("CreateSolidBrush");
        keepAnswering(w, c, h, std::make_unique<Colours>(brush, colourOf(d.foreColour, c.kind().foreColour), back));
        return h;
    }
    void show(Control& c, HWND h, Property) const override
    {
        SetWindowTextW(h, widen(c.as<Label>().shownCaption()).c_str());
    }
    void report(Control&, HWND, int) const override {}
};

}  // namespace

VORNAK_PIECE(Label, LabelPiece)

}  // namespace vornak::win32
