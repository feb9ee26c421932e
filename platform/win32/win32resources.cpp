#include "win32resources.h"

#include "app/art.h"
#include "app/foldermarks.h"
#include "win32art.h"
#include "win32text.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vornak::win32 {

namespace {

// The colour the marks' bitmaps stand on, which none of their pixels has.
constexpr COLORREF kMarkKey = RGB(0xFF, 0x00, 0xFF);

}  // namespace

Resources::Resources() = default;

Resources::~Resources()
{
    for (auto& [name, bitmap] : pictures_)
        DeleteObject(bitmap);
    for (auto& [id, icon] : icons_)
        DestroyIcon(icon);
    for (HBITMAP mark : marks_)
        if (mark)
            DeleteObject(mark);
    if (font_ && font_ != designFont_)
        DeleteObject(font_);
    if (designFont_)
        DeleteObject(designFont_);
}

namespace {

HFONT dialogFont(int height, const wchar_t* face, DWORD quality)
{
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH | FF_SWISS, face);
}

int cellHeight(HDC dc, HFONT font)
{
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    return tm.tmHeight;
}

// The outline font of a strike's pixels (app/art.h) made known to this
// process; false when it cannot be.
bool addOutlineFace(int pixelSize)
{
    for (const PackedFaceStrike& s : dialogFaceStrikesPacked())
        if (s.pixelSize == pixelSize) {
            const std::vector<unsigned char> font = unpack(s.packed, s.size);
            return !font.empty() && addPrivateFont(font);
        }
    return false;
}

}  // namespace

void Resources::initialise()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        fail("GetDC");
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    if (dpi_ <= 0)
        dpi_ = 96;
    drawing_ = drawingFor(dpi_);
    // The era's 8-point dialog face travels inside the program, so that
    // every text wraps as designed on any Windows and any Wine, whatever
    // fonts they have. A system that refuses it from memory still has its
    // own: every Windows since 95 ships the face.
    if (!addPrivateFont(dialogFontBitmap()) && !faceExists(L"MS Sans Serif")) {
        ReleaseDC(nullptr, screen);
        fail("AddFontMemResourceEx");
    }
    designFont_ = dialogFont(-MulDiv(8, drawing_.designDpi, 72), L"MS Sans Serif", DEFAULT_QUALITY);
    if (!designFont_) {
        ReleaseDC(nullptr, screen);
        fail("CreateFont");
    }
    const int cell = cellHeight(screen, designFont_);
    listItemHeight_ = std::max(cell + 2, 15) * drawing_.factor;
    font_ = drawing_.factor > 1 ? enlargedFont(cell) : designFont_;
    ReleaseDC(nullptr, screen);
    if (!font_)
        fail("CreateFont");
}

// The face's strike at the design's resolution enlarged by the factor,
// every pixel of its glyphs a block. GDI enlarges a bitmap face by whole
// numbers only where the face has no larger strike, and this one has:
// asked for twice the 8-point height it gives the 12-point strike. The
// outline font of the strike's pixels, drawn unsmoothed at the factor
// times their size, gives the strike enlarged. Where the system refuses
// it, the bitmap face at the screen's resolution.
HFONT Resources::enlargedFont(int cell) const
{
    // (The outline fonts' family, as tools/pixelface.py names it.)
    if (addOutlineFace(cell))
        if (HFONT f = dialogFont(-cell * drawing_.factor, L"Vornak1 Dialog", NONANTIALIASED_QUALITY))
            return f;
    return dialogFont(-MulDiv(8, dpi_, 72), L"MS Sans Serif", DEFAULT_QUALITY);
}

HICON Resources::icon(Icon which, bool big)
{
    const int key = static_cast<int>(which) * 2 + (big ? 1 : 0);
    if (const auto it = icons_.find(key); it != icons_.end())
        return it->second;
    const int cx = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    const int cy = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    HICON h = iconFromFile(iconFile(which), cx, cy);
    icons_[key] = h;
    return h;
}

HBITMAP Resources::picture(std::string_view name)
{
    std::string key(name);
    if (const auto it = pictures_.find(key); it != pictures_.end())
        return it->second;
    const std::span<const unsigned char> file = picturePng(name);
    if (file.empty())
        throw std::runtime_error("no picture " + key);
    HBITMAP h = pictureFromPng(file);
    pictures_[key] = h;
    return h;
}

// A mark's pixels on the key colour, as a bitmap of the screen's kind;
// null when the system has no room for it (the list then shows no marks).
HBITMAP Resources::makeFolderMark(bool open) const
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kFolderMarkWidth, kFolderMarkHeight);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!bitmap || !dc) {
        if (bitmap)
            DeleteObject(bitmap);
        if (dc)
            DeleteDC(dc);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    const std::string_view* rows = folderMark(open);
    for (int y = 0; y < kFolderMarkHeight; ++y)
        for (int x = 0; x < kFolderMarkWidth; ++x) {
            uint32_t rgb = 0;
            const bool drawn = folderMarkColour(rows[y][static_cast<size_t>(x)], rgb);
            SetPixelV(dc, x, y, drawn ? RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF) : kMarkKey);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

void Resources::drawFolderMark(HDC dc, int x, int y, bool open)
{
    HBITMAP& mark = marks_[open ? 1 : 0];
    if (!mark)
        mark = makeFolderMark(open);
    if (!mark)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, mark);
    TransparentBlt(dc, x, y, kFolderMarkWidth, kFolderMarkHeight, mem, 0, 0, kFolderMarkWidth, kFolderMarkHeight,
                   kMarkKey);
    SelectObject(mem, old);
    DeleteDC(mem);
}

}  // namespace vornak::win32
