// A line: one pixel wide in the design's colour, from its first point to
// its second, the end point not drawn, by a small class of this program.
#include "graphic.h"
#include "piece.h"
#include "win32frontend.h"
#include "win32window.h"

namespace vornak::win32 {

namespace {

constexpr wchar_t kClass[] = L"VornakLine";

struct Line : PieceData {
    POINT from{}, to{};  // in the line's window, at the design's resolution
    COLORREF colour = 0;
    int factor = 1;  // the design enlarged by
};

// Drawn at the design's resolution: where it is enlarged, as thick as the
// factor.
void paint(HWND hwnd, HDC dc)
{
    const auto* l = graphicData<Line>(hwnd);
    if (!l)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    paintAtDesign(dc, client, l->factor, [l](HDC d, const RECT&) {
        HPEN pen = CreatePen(PS_SOLID, 1, l->colour);
        HGDIOBJ old = SelectObject(d, pen);
        // LineTo leaves out the end point, like the line control does.
        MoveToEx(d, l->from.x, l->from.y, nullptr);
        LineTo(d, l->to.x, l->to.y);
        SelectObject(d, old);
        DeleteObject(pen);
    });
}

LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return graphicProcedure(hwnd, msg, wp, lp, paint);
}

class LinePiece : public Piece {
public:
    // The window is the rectangle the two end points span.
    HWND create(Window& w, Control& c) const override
    {
        static const wchar_t* const cls = registerGraphicClass(w.frontEnd->instance(), kClass, procedure);
        const ControlLayout& at = w.at(c);
        auto l = std::make_unique<Line>();
        l->factor = w.frontEnd->factor();
        l->from = {at.from.x / l->factor, at.from.y / l->factor};
        l->to = {at.to.x / l->factor, at.to.y / l->factor};
        l->colour = colourOf(c.design().foreColour, c.kind().foreColour);
        HWND h = makeWindow(w, c, {cls, 0, 0, boxOf(w, c), {}, l.get()});
        w.keep(c, std::move(l));
        return h;
    }
    void show(Control&, HWND, Property) const override {}
    void report(Control&, HWND, int) const override {}
};

}  // namespace

VORNAK_PIECE(Line, LinePiece)

}  // namespace vornak::win32
