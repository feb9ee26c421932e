// Every window at its design size, every control where its design puts it,
// every text inside its box and wrapped into the design's lines, in the
// dialog face that travels with the program, at the resolution the tests
// run at; the pictures exactly as drawn; the Windows version the tests run
// under.
#include "support.h"

#include "app/art.h"
#include "app/layout.h"
#include "app/pictures.h"
#include "app/screen.h"
#include "controls/piece.h"
#include "win32art.h"

#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace vornak::test {

namespace {

// The space a control's caption needs in the control's own font: a label's
// words wrapped to its width, another control's caption on one line.
SIZE captionExtent(HWND h, bool wrap, int width)
{
    const std::wstring caption = win32::widen(text(h));
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
    RECT r{0, 0, width, 0};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CALCRECT | DT_NOPREFIX | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// What paint draws into a bitmap of width x height pixels that starts white,
// as 0x00RRGGBB, top row first; empty when the system has no room for it.
std::vector<uint32_t> paintedPixels(HWND h, int width, int height, const std::function<void(HDC, const RECT&)>& paint)
{
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top row first
    void* bits = nullptr;
    HDC screen = GetDC(h);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(h, screen);
    std::vector<uint32_t> pixels;
    if (dc && bitmap && bits) {
        HGDIOBJ old = SelectObject(dc, bitmap);
        const RECT r{0, 0, width, height};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        paint(dc, r);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i)
            pixels.push_back(p[i] & 0xFFFFFFu);
        SelectObject(dc, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (dc)
        DeleteDC(dc);
    return pixels;
}

// How far down a label's caption, wrapped to its width in its own font,
// puts ink: the rows from the top of its box to below the lowest one that
// has a letter's pixel. A face's cell ends in blank rows, which may fall
// outside the box when every letter is inside it.
int inkDepth(HWND h, int width, int height)
{
    const std::wstring caption = win32::widen(text(h));
    const std::vector<uint32_t> pixels = paintedPixels(h, width, height, [&](HDC dc, const RECT& r) {
        HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        RECT box = r;
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &box, DT_NOPREFIX | DT_WORDBREAK);
        SelectObject(dc, oldFont);
    });
    if (pixels.empty())
        return height;
    int depth = 0;
    for (size_t i = 0; i < pixels.size(); ++i)
        if (pixels[i] != 0xFFFFFFu)
            depth = static_cast<int>(i / static_cast<size_t>(width)) + 1;
    return depth;
}

// A label as it paints itself holds its two colours alone, its design's or
// the static control's own, and some of its ink: none of its glyphs' pixels
// smoothed, at any resolution.
void drawnInItsColours(const Control& c, HWND h, const std::string& what)
{
    const ControlDesign& d = c.design();
    const bool coloured = d.backColour != kDefaultColour || d.foreColour != kDefaultColour;
    auto rgb = [](COLORREF c) { return static_cast<uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c); };
    const uint32_t ink = rgb(coloured ? win32::colourOf(d.foreColour, c.kind().foreColour)
                                      : GetSysColor(COLOR_WINDOWTEXT));
    const uint32_t back = rgb(coloured ? win32::colourOf(d.backColour, c.kind().backColour)
                                       : GetSysColor(COLOR_BTNFACE));
    RECT box{};
    GetClientRect(h, &box);
    const std::vector<uint32_t> pixels = paintedPixels(h, box.right, box.bottom, [h](HDC dc, const RECT&) {
        SendMessageW(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    });
    size_t inked = 0, other = 0;
    for (uint32_t p : pixels) {
        inked += p == ink;
        other += p != ink && p != back;
    }
    check(!pixels.empty() && inked > 0 && other == 0,
          what + ": " + std::to_string(inked) + " pixels of its ink, " + std::to_string(other) + " of other colours",
          __LINE__);
}

// Every text inside its box: labels wrapped within theirs, the captions of
// buttons, check boxes and option buttons on one line beside what the
// system draws with them.
void textsFitTheirBoxes(Form& f, App& app)
{
    const int boxAndGap = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (const auto& c : f.controls()) {
        const ControlDesign& d = c->design();
        HWND h = app.fe.controlOf(*c);
        if (!h || d.caption.empty())
            continue;
        RECT box{};
        GetClientRect(h, &box);
        const std::string what = std::string(f.name()) + "." + std::string(d.name);
        switch (d.type) {
        case ControlType::Label: {
            drawnInItsColours(*c, h, what);
            const SIZE need = captionExtent(h, true, box.right);
            const int ink = inkDepth(h, box.right, static_cast<int>(need.cy));
            check(need.cx <= box.right && ink > 0 && ink <= box.bottom,
                  what + " needs " + std::to_string(need.cx) + "x" + std::to_string(ink) + " ("
                      + std::to_string(need.cy) + " with the face's blank rows) in " + std::to_string(box.right) + "x"
                      + std::to_string(box.bottom),
                  __LINE__);
            break;
        }
        case ControlType::CommandButton:
        case ControlType::CheckBox:
        case ControlType::OptionButton: {
            const int frame = d.type == ControlType::CommandButton ? 6 : boxAndGap;
            const SIZE need = captionExtent(h, false, 0);
            check(need.cx + frame <= box.right,
                  what + " needs " + std::to_string(need.cx + frame) + " of " + std::to_string(box.right) + " pixels",
                  __LINE__);
            break;
        }
        default: break;
        }
    }
}

// A window at its design's size, with a fixed border, a close box, an
// icon and its caption, owned by the main window unless it is the main one.
void windowMatchesItsDesign(App& app, Form& f)
{
    const FormDesign& design = f.design();
    const std::string name(f.name());
    HWND h = app.fe.windowOf(f);
    HWND main = app.window("frmMAIN");
    CHECK(h && IsWindowVisible(h));
    const SIZE size = clientSize(h);
    // The design at the era's resolution nearest the screen's, enlarged by
    // a whole factor: 192 dpi is the 96-dpi design doubled.
    const Drawing drawing = drawingFor(askedDpi);
    CHECK_EQ(name + " " + std::to_string(size.cx) + "x" + std::to_string(size.cy),
             name + " " + std::to_string(drawing.factor * twipsToPixels(design.width, drawing.designDpi)) + "x"
                 + std::to_string(drawing.factor * twipsToPixels(design.height, drawing.designDpi)));
    const LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    CHECK((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
    CHECK(!(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)));
    HWND owner = GetWindow(h, GW_OWNER);
    if (h == main)
        CHECK(owner == nullptr);
    else
        CHECK_EQ(static_cast<const void*>(owner), static_cast<const void*>(main));
    CHECK_EQ(static_cast<bool>(GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_APPWINDOW), h == main);
    CHECK(SendMessageW(h, WM_GETICON, ICON_BIG, 0) != 0 && SendMessageW(h, WM_GETICON, ICON_SMALL, 0) != 0);
    CHECK_EQ(text(h), std::string(design.caption));
}

std::string corners(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) + ","
         + std::to_string(r.bottom);
}

// Every control where the layout of its design puts it, within a pixel.
void controlsWhereTheLayoutPutsThem(App& app, Form& f)
{
    const WindowLayout layout = layOut(f.design(), drawingFor(askedDpi));
    for (const auto& c : f.controls()) {
        HWND ch = app.fe.controlOf(*c);
        CHECK(ch != nullptr);
        if (!ch)
            continue;
        const Rect& box = layout.controls[static_cast<size_t>(&c - f.controls().data())].inWindow;
        const RECT want{box.left, box.top, box.left + box.width, box.top + box.height};
        const RECT got = childRect(ch);
        const bool closeEnough = std::abs(got.left - want.left) <= 1 && std::abs(got.top - want.top) <= 1
                              && std::abs(got.right - want.right) <= 1 && std::abs(got.bottom - want.bottom) <= 1;
        check(closeEnough,
              std::string(f.name()) + "." + std::string(c->name()) + " at " + corners(got) + " wants " + corners(want),
              __LINE__);
    }
}

// How many lines a label's caption takes, wrapped to its box.
int linesOf(HWND label)
{
    TEXTMETRICW tm{};
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT box{};
    GetClientRect(label, &box);
    return tm.tmHeight > 0 ? static_cast<int>(captionExtent(label, true, box.right).cy / tm.tmHeight) : 0;
}

// Every label's caption wraps into as many lines as the design's, at any
// resolution: the main window's disclaimer into five, the prompt into two.
void labelsWrapAsDesigned(App& app, Form& f)
{
    for (const auto& c : f.controls()) {
        const ControlDesign& d = c->design();
        if (d.type != ControlType::Label || d.caption.empty())
            continue;
        const std::string what = std::string(f.name()) + "." + std::string(d.name);
        CHECK_EQ(what + " " + std::to_string(linesOf(app.fe.controlOf(*c))),
                 what + " " + std::to_string(designedLines(f.name(), d.name)));
    }
}

void windowsMatchTheirDesigns()
{
    App app;
    for (std::string_view name : app.shell->names())
        app.shell->show(name);  // the driver error pauses as it loads
    app.drain();
    for (std::string_view name : app.shell->names()) {
        Form& f = *app.shell->form(name);
        windowMatchesItsDesign(app, f);
        controlsWhereTheLayoutPutsThem(app, f);
        textsFitTheirBoxes(f, app);
        labelsWrapAsDesigned(app, f);
    }
    // The final picture's box is taller than its window: its last row is cut.
    const RECT picture = childRect(app.control("frmFINAL", "Image1"));
    CHECK(picture.bottom > clientSize(app.window("frmFINAL")).cy);
    CHECK(app.fe.messages.empty());
}

// The artwork's own pixels of a 24-bit BMP under the source tree, as
// 0x00RRGGBB, top row first; empty when it cannot be read. The source tree
// is reached through Wine's drive Z:, the Unix root.
std::vector<uint32_t> artworkPixels(const std::string& relative, int& width, int& height)
{
    std::wstring path = L"Z:" + win32::widen(std::string(VORNAK_SOURCE_DIR) + "/" + relative);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return {};
    std::vector<unsigned char> data(GetFileSize(f, nullptr));
    DWORD got = 0;
    const bool read = ReadFile(f, data.data(), static_cast<DWORD>(data.size()), &got, nullptr) && got == data.size();
    CloseHandle(f);
    if (!read || data.size() < 54)
        return {};
    auto at = [&](size_t o) {
        return static_cast<int32_t>(data[o] | data[o + 1] << 8 | data[o + 2] << 16 | data[o + 3] << 24);
    };
    const int offset = at(10);
    width = at(18);
    height = at(22);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (height <= 0 || offset + stride * static_cast<size_t>(height) > data.size())
        return {};
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        const unsigned char* row = data.data() + offset + stride * static_cast<size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x)
            pixels.push_back(row[3 * x] | row[3 * x + 1] << 8 | static_cast<uint32_t>(row[3 * x + 2]) << 16);
    }
    return pixels;
}

// The pictures travel compressed and reach the windows exactly as drawn:
// every pixel of a decoded picture is the artwork's own.
void picturesArriveUnchanged()
{
    App app;
    for (const PictureInfo& p : kPictures) {
        int width = 0, height = 0;
        const std::vector<uint32_t> art = artworkPixels("resources/pictures/" + std::string(p.file), width, height);
        check(!art.empty(), "the artwork of " + std::string(p.name) + " is readable", __LINE__);
        CHECK_EQ(width, p.width);
        CHECK_EQ(height, p.height);
        HBITMAP bitmap = app.fe.picture(p.name);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = p.width;
        bi.bmiHeader.biHeight = -p.height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        std::vector<uint32_t> shown(static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
        HDC dc = GetDC(nullptr);
        const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(p.height), shown.data(), &bi, DIB_RGB_COLORS);
        ReleaseDC(nullptr, dc);
        CHECK_EQ(rows, p.height);
        int differ = 0;
        for (size_t i = 0; i < shown.size() && i < art.size(); ++i)
            differ += (shown[i] & 0xFFFFFFu) != art[i];
        check(differ == 0 && art.size() == shown.size(),
              std::string(p.name) + ": " + std::to_string(differ) + " pixels differ from the artwork", __LINE__);
    }
    // A picture cut short or damaged is refused, never read past.
    const std::span<const unsigned char> png = picturePng("portrait");
    std::vector<unsigned char> damaged(png.begin(), png.end());
    damaged[damaged.size() / 2] ^= 0x55;
    for (const std::span<const unsigned char> bad :
         {png.first(png.size() / 2), std::span<const unsigned char>(damaged)}) {
        bool refused = false;
        try {
            DeleteObject(win32::pictureFromPng(bad));
        } catch (const std::runtime_error& e) {
            std::printf("  refused: %s\n", e.what());
            refused = true;
        }
        CHECK(refused);
    }
}

// What the system says it is. RtlGetVersion, because GetVersionEx reports
// at most 6.2 to a program whose manifest does not name a later version.
OSVERSIONINFOEXW systemVersion()
{
    OSVERSIONINFOEXW v{};
    v.dwOSVersionInfoSize = sizeof v;
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto get = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    CHECK(get != nullptr);
    if (get)
        CHECK_EQ(static_cast<long>(get(&v)), 0L);
    return v;
}

void runsUnderTheVersionAskedFor()
{
    const OSVERSIONINFOEXW v = systemVersion();
    const std::string got = std::to_string(v.dwMajorVersion) + "." + std::to_string(v.dwMinorVersion);
    OSVERSIONINFOW legacy{};
    legacy.dwOSVersionInfoSize = sizeof legacy;
    const bool haveLegacy = GetVersionExW(&legacy) != 0;
    std::printf("  Windows %s build %lu (GetVersionEx: %lu.%lu)\n", got.c_str(),
                static_cast<unsigned long>(v.dwBuildNumber), static_cast<unsigned long>(legacy.dwMajorVersion),
                static_cast<unsigned long>(legacy.dwMinorVersion));
    CHECK(haveLegacy);
    CHECK_EQ(static_cast<long>(v.dwPlatformId), static_cast<long>(VER_PLATFORM_WIN32_NT));
    if (askedVersion.empty()) {
        // Nothing asked: at least the oldest version the program runs on.
        CHECK(v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion >= 1));
        return;
    }
    const std::string want = askedVersion == "winxp" ? "5.1"
                           : askedVersion == "win7"  ? "6.1"
                           : askedVersion == "win10" ? "10.0"
                                                     : "?";
    CHECK_EQ(askedVersion + " " + got, askedVersion + " " + want);
    // Below 6.2 the two calls agree.
    if (want != "10.0")
        CHECK_EQ(std::to_string(legacy.dwMajorVersion) + "." + std::to_string(legacy.dwMinorVersion), want);
}

// The resolution the prefix is set to, and the 8-point face at the design's
// resolution for it: 11 pixels high at 96 dpi, 13 at 120, 16 at 144; where
// the design is enlarged, the outline font of that strike's pixels at the
// factor times its cell (13, 16 or 20 pixels).
void fontAndDpi()
{
    App app;
    CHECK_EQ(app.fe.dpi(), askedDpi);
    const Drawing drawing = drawingFor(askedDpi);
    HWND label = app.control("frmMAIN", "Label3");
    CHECK(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)) == app.fe.font());
    LOGFONTW lf{};
    GetObjectW(app.fe.designFont(), sizeof lf, &lf);
    CHECK_EQ(lf.lfHeight, static_cast<LONG>(drawing.designDpi == 96 ? -11 : drawing.designDpi == 120 ? -13 : -16));
    const int cell = drawing.designDpi == 96 ? 13 : drawing.designDpi == 120 ? 16 : 20;
    if (drawing.factor == 1)
        CHECK(app.fe.font() == app.fe.designFont());
    // The face the system actually draws with, not only the one asked for.
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, app.fe.font());
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    CHECK_EQ(win32::narrow(face), std::string(drawing.factor == 1 ? "MS Sans Serif" : "Vornak1 Dialog"));
    CHECK_EQ(static_cast<int>(tm.tmHeight), cell * drawing.factor);
}

// The program tells the system that it draws for the screen's resolution
// itself, where the system has the call (Windows Vista and later), so that
// Windows neither tells it 96 dots per inch on a finer screen nor stretches
// its windows, blurred. Wine takes every program for aware of the
// resolution and gives it the prefix's: there the program's own call is
// what can be seen.
void awareOfTheResolution()
{
    HMODULE user = GetModuleHandleW(L"user32.dll");
    CHECK_EQ(win32::declaredDpiAware(), GetProcAddress(user, "SetProcessDPIAware") != nullptr);
    using IsAwareFn = BOOL(WINAPI*)();
    if (const auto isAware = reinterpret_cast<IsAwareFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(user, "IsProcessDPIAware"))))
        CHECK(isAware() != FALSE);
    HDC screen = GetDC(nullptr);
    CHECK_EQ(GetDeviceCaps(screen, LOGPIXELSY), askedDpi);
    ReleaseDC(nullptr, screen);
}

}  // namespace

std::vector<TestCase> designTests()
{
    return {
        {"runs under the Windows version asked for", runsUnderTheVersionAskedFor},
        {"windows match their designs", windowsMatchTheirDesigns},
        {"pictures arrive unchanged", picturesArriveUnchanged},
        {"font and resolution", fontAndDpi},
        {"declares itself aware of the resolution", awareOfTheResolution},
    };
}

}  // namespace vornak::test
