// An image: a picture at its own size from the top left, never stretched
// but by the whole factor the screen enlarges the design by, every pixel a
// block, drawn by a small class of this program. A picture on the classic grey
// lets what lies under it show through that grey.
#include "graphic.h"
#include "piece.h"
#include "win32frontend.h"
#include "win32window.h"

#include "app/pictures.h"

#include <cstring>
#include <vector>

namespace vornak::win32 {

namespace {

constexpr wchar_t kClass[] = L"VornakPicture";

struct Picture : PieceData {
    HBITMAP bitmap = nullptr;  // the front end's, kept while it lives
    int width = 0, height = 0;
    bool greyKeyed = false;
    int factor = 1;     // the design enlarged by: each pixel a block as large
    bool edge = false;  // the sunken border drawn with the picture
};

// The picture with its top left corner at x, y, each pixel a block of
// factor x factor pixels; the window clips what does not fit.
void drawPicture(HDC dc, const Picture& p, int x, int y, int factor)
{
    if (!p.bitmap)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, p.bitmap);
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);  // nearest neighbour
    const int w = p.width * factor, h = p.height * factor;
    if (p.greyKeyed)
        TransparentBlt(dc, x, y, w, h, mem, 0, 0, p.width, p.height, RGB(0xC0, 0xC0, 0xC0));
    else
        StretchBlt(dc, x, y, w, h, mem, 0, 0, p.width, p.height, SRCCOPY);
    SetStretchBltMode(dc, mode);
    SelectObject(mem, old);
    DeleteDC(mem);
}

// Where the screen enlarges the design, a picture's sunken border is drawn
// with it at the design's resolution and enlarged with it: the system's is
// two pixels at any resolution.
void paint(HWND hwnd, HDC dc)
{
    const auto* p = graphicData<Picture>(hwnd);
    if (!p)
        return;
    if (!p->edge) {
        drawPicture(dc, *p, 0, 0, p->factor);
        return;
    }
    RECT client;
    GetClientRect(hwnd, &client);
    paintAtDesign(dc, client, p->factor, [p](HDC d, const RECT& r) {
        drawPicture(d, *p, 2, 2, 1);
        RECT edge = r;
        DrawEdge(d, &edge, EDGE_SUNKEN, BF_RECT);
    });
}

LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return graphicProcedure(hwnd, msg, wp, lp, paint);
}

// The runs of each row that are not the grey key.
std::vector<RECT> keyedRuns(const std::vector<uint32_t>& pixels, int width, int height)
{
    std::vector<RECT> runs;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(width);
        for (int x = 0; x < width;) {
            while (x < width && (row[x] & 0xFFFFFFu) == kGreyKey)
                ++x;
            const int start = x;
            while (x < width && (row[x] & 0xFFFFFFu) != kGreyKey)
                ++x;
            if (x > start)
                runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}

// The pixels of a picture that are not the grey key, as a region.
HRGN keyedRegion(const Picture& p)
{
    if (p.width <= 0 || p.height <= 0)
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    std::vector<uint32_t> pixels(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, p.bitmap, 0, static_cast<UINT>(p.height), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != p.height)
        return nullptr;
    std::vector<RECT> runs = keyedRuns(pixels, p.width, p.height);
    for (RECT& r : runs)
        r = {r.left * p.factor, r.top * p.factor, r.right * p.factor, r.bottom * p.factor};
    std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rd = reinterpret_cast<RGNDATA*>(data.data());
    rd->rdh = {sizeof(RGNDATAHEADER),
               RDH_RECTANGLES,
               static_cast<DWORD>(runs.size()),
               static_cast<DWORD>(runs.size() * sizeof(RECT)),
               {0, 0, p.width * p.factor, p.height * p.factor}};
    if (!runs.empty())
        std::memcpy(rd->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rd);
}

// The grey is not part of the window at all: what lies under it, the
// window's background or a label, shows.
void keyOutGrey(HWND h, const Picture& p)
{
    HRGN region = keyedRegion(p);
    if (region && !SetWindowRgn(h, region, FALSE))
        DeleteObject(region);
}

class ImagePiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        static const wchar_t* const cls = registerGraphicClass(w.frontEnd->instance(), kClass, procedure);
        const ControlDesign& d = c.design();
        auto p = std::make_unique<Picture>();
        p->factor = w.frontEnd->factor();
        if (const PictureInfo* info = findPicture(d.picture)) {
            p->bitmap = w.frontEnd->picture(d.picture);
            p->width = info->width;
            p->height = info->height;
            p->greyKeyed = info->greyKeyed;
        }
        p->edge = d.border && p->factor > 1;
        const DWORD ex = d.border && !p->edge ? WS_EX_CLIENTEDGE : p->greyKeyed && !d.border ? WS_EX_TRANSPARENT : 0;
        HWND h = makeWindow(w, c, {cls, 0, ex, boxOf(w, c), {}, p.get()});
        if (p->greyKeyed && !d.border && p->bitmap)
            keyOutGrey(h, *p);
        w.keep(c, std::move(p));
        return h;
    }
    void show(Control&, HWND, Property) const override {}
    void report(Control&, HWND, int) const override {}
};

}  // namespace

VORNAK_PIECE(Image, ImagePiece)

}  // namespace vornak::win32
