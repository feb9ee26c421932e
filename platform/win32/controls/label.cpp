// A label: a static text, wrapped within its box, in the design's colours
// where it has colours of its own.
#include "graphic.h"
#include "piece.h"
#include "win32frontend.h"
#include "win32text.h"
#include "win32window.h"

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

// On a screen that enlarges the design the program draws the label itself:
// at the design's resolution, in the face's own strike, then enlarged, so
// that a centred line is centred on the design's pixels as it is there,
// not on the screen's.
struct Drawn : PieceData {
    const FrontEnd& frontEnd;
    COLORREF fore, back;
    UINT alignment;
    Drawn(const FrontEnd& fe, COLORREF f, COLORREF k, UINT a) : frontEnd(fe), fore(f), back(k), alignment(a) {}
    bool sentBack(UINT msg, WPARAM, LPARAM lp, LRESULT& result) override
    {
        if (msg != WM_DRAWITEM)
            return false;
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        const std::wstring text = windowText(item.hwndItem);
        paintAtDesign(item.hDC, item.rcItem, frontEnd.factor(), [&](HDC dc, const RECT& r) {
            SetBkColor(dc, back);
            ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);  // the background
            HGDIOBJ old = SelectObject(dc, frontEnd.designFont());
            SetTextColor(dc, fore);
            SetBkMode(dc, TRANSPARENT);
            RECT box = r;
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
                      DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | alignment);
            SelectObject(dc, old);
        });
        result = TRUE;
        return true;
    }
};

class LabelPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        const ControlDesign& d = c.design();
        const bool centre = d.alignment == Alignment::Centre;
        const bool drawn = w.frontEnd->factor() > 1;
        const DWORD style = SS_NOPREFIX | (drawn ? SS_OWNERDRAW : centre ? SS_CENTER : SS_LEFT);
        HWND h = makeWindow(w, c, {L"STATIC", style, 0, boxOf(w, c), widen(c.as<Label>().shownCaption())});
        const bool coloured = d.backColour != kDefaultColour || d.foreColour != kDefaultColour;
        if (drawn) {
            // The static control's own colours where the design gives none.
            const COLORREF fore = coloured ? colourOf(d.foreColour, c.kind().foreColour)
                                           : GetSysColor(COLOR_WINDOWTEXT);
            const COLORREF back = coloured ? colourOf(d.backColour, c.kind().backColour) : GetSysColor(COLOR_BTNFACE);
            keepAnswering(w, c, h, std::make_unique<Drawn>(*w.frontEnd, fore, back, centre ? DT_CENTER : DT_LEFT));
            return h;
        }
        if (!coloured)
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
