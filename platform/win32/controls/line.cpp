// A line: one pixel wide in the design's colour, from its first point to
// its second, the end point not drawn, by a small class of this program.
#include "graphic.h"
#include "piece.h"
#include "pieces.h"
#include "win32window.h"

#include "app/controlkind.h"

#include <algorithm>
#include <cstdlib>

namespace vornak::win32 {

namespace {

constexpr wchar_t kClass[] = L"VornakLine";

struct Line : PieceData {
    POINT from{}, to{};  // in the line's window
    COLORREF colour = 0;
};

void paint(HWND hwnd, HDC dc)
{
    const auto* l = graphicData<Line>(hwnd);
    if (!l)
        return;
    HPEN pen = CreatePen(PS_SOLID, 1, l->colour);
    HGDIOBJ old = SelectObject(dc, pen);
    // LineTo leaves out the end point, like the line control does.
    MoveToEx(dc, l->from.x, l->from.y, nullptr);
    LineTo(dc, l->to.x, l->to.y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return graphicProcedure(hwnd, msg, wp, lp, paint);
}

class LinePiece : public Piece {
public:
    void registerClass(HINSTANCE instance) const override { registerGraphicClass(instance, kClass, procedure); }
    // The design's four numbers are the two end points; the window is the
    // rectangle they span.
    Blueprint blueprint(Window& w, const Control& c, RECT box) const override
    {
        const ControlDesign& d = c.design();
        const POINT from{box.left, box.top};
        const POINT to{box.left - w.px(d.left) + w.px(d.width), box.top - w.px(d.top) + w.px(d.height)};
        const RECT span{std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x) + 1, std::max(from.y, to.y) + 1};
        auto l = std::make_unique<Line>();
        l->from = {from.x - span.left, from.y - span.top};
        l->to = {to.x - span.left, to.y - span.top};
        l->colour = colourOf(d.foreColour, kindOf(c.type()).foreColour);
        Blueprint b{kClass, 0, 0, span, {}, l.get()};
        w.keep(c, std::move(l));
        return b;
    }
    void reflect(const Control&, HWND, Property) const override {}
};

}  // namespace

const Piece& linePiece()
{
    static const LinePiece piece;
    return piece;
}

}  // namespace vornak::win32
