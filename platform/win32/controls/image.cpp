// An image: a picture at its own size from the top left, never stretched,
// drawn by a small class of this program. A picture on the classic grey
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
};

void paint(HWND hwnd, HDC dc)
{
    const auto* p = graphicData<Picture>(hwnd);
    if (!p || !p->bitmap)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, p->bitmap);
    // The window clips what does not fit.
    if (p->greyKeyed)
        TransparentBlt(dc, 0, 0, p->width, p->height, mem, 0, 0, p->width, p->height, RGB(0xC0, 0xC0, 0xC0));
    else
        BitBlt(dc, 0, 0, p->width, p->height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
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
    const std::vector<RECT> runs = keyedRuns(pixels, p.width, p.height);
    std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rd = reinterpret_cast<RGNDATA*>(data.data());
    rd->rdh = {sizeof(RGNDATAHEADER),
               RDH_RECTANGLES,
               static_cast<DWORD>(runs.size()),
               static_cast<DWORD>(runs.size() * sizeof(RECT)),
               {0, 0, p.width, p.height}};
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
        if (const PictureInfo* info = findPicture(d.picture)) {
            p->bitmap = w.frontEnd->picture(d.picture);
            p->width = info->width;
            p->height = info->height;
            p->greyKeyed = info->greyKeyed;
        }
        const DWORD ex = d.border ? WS_EX_CLIENTEDGE : p->greyKeyed ? WS_EX_TRANSPARENT : 0;
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
