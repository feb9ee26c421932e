#include "win32art.h"

#include "png.h"
#include "win32text.h"

#include <cstring>
#include <cwchar>
#include <stdexcept>
#include <string>

#include <zlib.h>

namespace vornak::win32 {

HBITMAP pictureFromPng(std::span<const unsigned char> file)
{
    const Pixels p = readPng(file);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    void* bits = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!h || !bits)
        fail("CreateDIBSection");
    std::memcpy(bits, p.rgb.data(), p.rgb.size() * sizeof p.rgb[0]);
    return h;
}

HICON iconFromFile(std::span<const unsigned char> ico, int cx, int cy)
{
    // ICONDIR: reserved, type 1, count; then 16 bytes an image.
    auto word = [&](size_t at) { return static_cast<unsigned>(ico[at] | ico[at + 1] << 8); };
    auto dword = [&](size_t at) { return static_cast<size_t>(word(at) | word(at + 2) << 16); };
    if (ico.size() < 6 || word(0) != 0 || word(2) != 1)
        throw std::runtime_error("icon: not an icon file");
    const size_t count = word(4);
    size_t best = count;
    int bestMiss = 0;
    for (size_t i = 0; i < count && 6 + 16 * (i + 1) <= ico.size(); ++i) {
        const int w = ico[6 + 16 * i] ? ico[6 + 16 * i] : 256;
        const int miss = w > cx ? w - cx : cx - w;
        if (best == count || miss < bestMiss) {
            best = i;
            bestMiss = miss;
        }
    }
    if (best == count)
        throw std::runtime_error("icon: no image");
    const size_t size = dword(6 + 16 * best + 8), offset = dword(6 + 16 * best + 12);
    if (offset > ico.size() || size > ico.size() - offset)
        throw std::runtime_error("icon: image outside the file");
    HICON icon = CreateIconFromResourceEx(const_cast<PBYTE>(ico.data() + offset), static_cast<DWORD>(size), TRUE,
                                          0x00030000, cx, cy, LR_DEFAULTCOLOR);
    if (!icon)
        fail("CreateIconFromResourceEx");
    return icon;
}

bool addPrivateFont(std::span<const unsigned char> file)
{
    DWORD faces = 0;
    return AddFontMemResourceEx(const_cast<unsigned char*>(file.data()), static_cast<DWORD>(file.size()), nullptr,
                                &faces)
        && faces > 0;
}

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

}  // namespace

bool faceExists(const wchar_t* face)
{
    HDC dc = GetDC(nullptr);
    if (!dc)
        return false;
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

std::vector<unsigned char> unpack(std::span<const unsigned char> packed, size_t size)
{
    std::vector<unsigned char> out(size);
    uLongf got = static_cast<uLongf>(size);
    if (uncompress(out.data(), &got, packed.data(), static_cast<uLong>(packed.size())) != Z_OK || got != size)
        return {};
    return out;
}

}  // namespace vornak::win32
