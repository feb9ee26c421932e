#include "win32frontend.h"

#include "app/form.h"
#include "app/pictures.h"
#include "app/shell.h"
#include "win32text.h"

#include <mmsystem.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

namespace vornak::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"VornakForm";
constexpr wchar_t kPictureClass[] = L"VornakPicture";
constexpr wchar_t kLineClass[] = L"VornakLine";

// Asks a window to destroy itself once the current message is over, so a
// window is never destroyed while its own procedure is still running.
constexpr UINT kDestroyLater = WM_APP + 1;

// Control identifiers start above IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Escape.
constexpr int kFirstId = 100;

constexpr int kFolderIndent = 7;

// No WS_CLIPCHILDREN: a group box paints only its frame and caption, and
// the window's own background must show through it.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

[[noreturn]] void fail(std::string_view what)
{
    throw std::runtime_error(lastErrorReport(what));
}

COLORREF colourOf(uint32_t design, int systemDefault)
{
    if (design == kDefaultColour)
        return GetSysColor(systemDefault);
    if (isSystemColour(design))
        return GetSysColor(static_cast<int>(design & 0xFFu));
    return static_cast<COLORREF>(design & 0x00FFFFFFu);
}

bool isGraphical(ControlType type)
{
    return type == ControlType::Label || type == ControlType::Image || type == ControlType::Line;
}

// What a picture window draws.
struct PictureData {
    HBITMAP bitmap = nullptr;
    int width = 0, height = 0;
    bool greyKeyed = false;
};

// A line window: its end points inside the window.
struct LineData {
    POINT from{}, to{};
    COLORREF colour = 0;
};

}  // namespace

struct Window {
    FrontEnd* frontEnd = nullptr;
    Form* form = nullptr;  // null once the core has let the window go
    HWND hwnd = nullptr;
    std::vector<HWND> controls;  // by the control's index in the form
    std::vector<std::unique_ptr<PictureData>> pictures;
    std::vector<std::unique_ptr<LineData>> lines;
    HWND lastFocus = nullptr;
    std::vector<std::pair<HWND, HBRUSH>> labelBrushes;  // coloured labels' backgrounds

    ~Window()
    {
        for (auto& [h, b] : labelBrushes)
            DeleteObject(b);
    }

    int indexOf(HWND child) const
    {
        const auto it = std::find(controls.begin(), controls.end(), child);
        return it == controls.end() || !child ? -1 : static_cast<int>(it - controls.begin());
    }
    Control* control(int index) const
    {
        if (!form || index < 0 || index >= static_cast<int>(form->controls().size()))
            return nullptr;
        return form->controls()[static_cast<size_t>(index)].get();
    }
};

struct WindowProcs {
    static LRESULT CALLBACK form(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK picture(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK line(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT command(Window& w, WPARAM wp, LPARAM lp);
    static void drawFolder(Window& w, const DRAWITEMSTRUCT& d);
    static bool setHourglass(FrontEnd* fe)
    {
        if (!fe || fe->pointer_ != kHourglass)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
};

namespace {

FrontEnd* theFrontEnd = nullptr;  // for the child classes' cursor

void drawFolderMark(HDC dc, int x, int y, bool open)
{
    HPEN pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HBRUSH olive = CreateSolidBrush(RGB(0x80, 0x80, 0x00));
    HBRUSH yellow = CreateSolidBrush(RGB(0xFF, 0xFF, 0x00));
    HBRUSH pale = CreateSolidBrush(RGB(0xFF, 0xFF, 0xC0));
    HGDIOBJ oldBrush = SelectObject(dc, olive);
    // The tab and the back of the folder.
    Rectangle(dc, x + 1, y + 1, x + 7, y + 4);
    SelectObject(dc, yellow);
    if (open) {
        Rectangle(dc, x + 1, y + 3, x + 13, y + 12);
        const POINT flap[] = {{x + 1, y + 11}, {x + 4, y + 6}, {x + 15, y + 6}, {x + 12, y + 11}};
        SelectObject(dc, pale);
        Polygon(dc, flap, 4);
    } else {
        Rectangle(dc, x + 1, y + 3, x + 14, y + 12);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(olive);
    DeleteObject(yellow);
    DeleteObject(pale);
}

}  // namespace

void WindowProcs::drawFolder(Window& w, const DRAWITEMSTRUCT& d)
{
    if (d.itemID == static_cast<UINT>(-1)) {
        if (d.itemState & ODS_FOCUS)
            DrawFocusRect(d.hDC, &d.rcItem);
        return;
    }
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    const LRESULT data = SendMessageW(d.hwndItem, LB_GETITEMDATA, d.itemID, 0);
    const int level = static_cast<int>(data & 0xFFFF);
    const bool open = (data & 0x10000) != 0;
    FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_WINDOW));
    const int x = d.rcItem.left + 2 + level * kFolderIndent;
    const int h = d.rcItem.bottom - d.rcItem.top;
    drawFolderMark(d.hDC, x, d.rcItem.top + (h - 13) / 2, open);

    const LRESULT len = SendMessageW(d.hwndItem, LB_GETTEXTLEN, d.itemID, 0);
    std::wstring text(len > 0 ? static_cast<size_t>(len) : 0, L'\0');
    if (len > 0)
        SendMessageW(d.hwndItem, LB_GETTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()));
    HGDIOBJ oldFont = SelectObject(d.hDC, w.frontEnd->font());
    SIZE extent{};
    GetTextExtentPoint32W(d.hDC, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT textBox{x + 18, d.rcItem.top, x + 18 + extent.cx + 4, d.rcItem.bottom};
    if (selected)
        FillRect(d.hDC, &textBox, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner = textBox;
    inner.left += 2;
    DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &textBox);
    SelectObject(d.hDC, oldFont);
}

LRESULT WindowProcs::command(Window& w, WPARAM wp, LPARAM lp)
{
    HWND child = reinterpret_cast<HWND>(lp);
    const int code = HIWORD(wp);
    // Without a control this is the dialog manager's IDOK (Enter outside a
    // button) or IDCANCEL (Escape): neither does anything in this program.
    const int index = w.indexOf(child);
    Control* c = w.control(index);
    if (!c || LOWORD(wp) != kFirstId + index || w.frontEnd->reflecting_)
        return 0;
    // Nothing of w's form or controls may be used after a user* call: the
    // core may have unloaded the window by then.
    switch (c->type()) {
    case ControlType::CommandButton:
    case ControlType::OptionButton:
    case ControlType::CheckBox:
        if (code == BN_CLICKED)
            c->userClick();
        break;
    case ControlType::TextBox:
        if (code == EN_CHANGE) {
            const int n = GetWindowTextLengthW(child);
            std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
            const int got = GetWindowTextW(child, text.data(), n + 1);
            text.resize(static_cast<size_t>(std::max(got, 0)));
            c->userEdit(narrow(text));
        }
        break;
    case ControlType::DriveList:
        if (code == CBN_SELCHANGE)
            c->userSelect(static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0)));
        break;
    case ControlType::DirList:
        if (code == LBN_DBLCLK)
            c->userOpen(static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0)));
        break;
    case ControlType::FileList:
        if (code == LBN_SELCHANGE)
            c->userSelect(static_cast<int>(SendMessageW(child, LB_GETCURSEL, 0, 0)));
        break;
    default:
        break;
    }
    return 0;
}

LRESULT CALLBACK WindowProcs::form(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_NCCREATE) {
        auto* w = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        w->hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
        w->frontEnd->byHwnd_[hwnd] = w;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w)
        return DefWindowProcW(hwnd, msg, wp, lp);

    switch (msg) {
    case WM_NCDESTROY: {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        FrontEnd* fe = w->frontEnd;
        w->hwnd = nullptr;
        fe->byHwnd_.erase(hwnd);
        if (fe->mainWindow_ == hwnd)
            fe->mainWindow_ = nullptr;
        fe->forget(w);  // w is gone from here on
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    case kDestroyLater:
        DestroyWindow(hwnd);
        return 0;
    case WM_CLOSE:
        // The core decides: it unloads the form and asks for the window to
        // be destroyed (later, from the input loop).
        if (w->form)
            w->form->userClose();
        return 0;
    case WM_COMMAND:
        return command(*w, wp, lp);
    case WM_SETCURSOR:
        if (setHourglass(w->frontEnd))
            return TRUE;
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd, focus))
                w->lastFocus = focus;
        } else if (w->lastFocus && IsWindow(w->lastFocus) && IsWindowVisible(hwnd)) {
            SetFocus(w->lastFocus);
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        HWND child = reinterpret_cast<HWND>(lp);
        for (auto& [h, brush] : w->labelBrushes)
            if (h == child) {
                const Control* c = w->control(w->indexOf(child));
                if (!c)
                    break;
                HDC dc = reinterpret_cast<HDC>(wp);
                SetTextColor(dc, colourOf(c->design().foreColour, COLOR_BTNTEXT));
                SetBkColor(dc, colourOf(c->design().backColour, COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(brush);
            }
        break;
    }
    case WM_MEASUREITEM: {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (m->CtlType == ODT_LISTBOX) {
            m->itemHeight = static_cast<UINT>(w->frontEnd->folderItemHeight_);
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (d->CtlType == ODT_LISTBOX) {
            drawFolder(*w, *d);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WindowProcs::picture(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_SETCURSOR:
        if (setHourglass(theFrontEnd))
            return TRUE;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const auto* p = reinterpret_cast<const PictureData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (p && p->bitmap) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, p->bitmap);
            // At the picture's own size from the top left, never stretched;
            // the window clips what does not fit.
            if (p->greyKeyed)
                TransparentBlt(dc, 0, 0, p->width, p->height, mem, 0, 0, p->width, p->height, RGB(0xC0, 0xC0, 0xC0));
            else
                BitBlt(dc, 0, 0, p->width, p->height, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WindowProcs::line(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_SETCURSOR:
        if (setHourglass(theFrontEnd))
            return TRUE;
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        if (const auto* l = reinterpret_cast<const LineData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
            HPEN pen = CreatePen(PS_SOLID, 1, l->colour);
            HGDIOBJ old = SelectObject(dc, pen);
            // LineTo leaves out the end point, like the line control does.
            MoveToEx(dc, l->from.x, l->from.y, nullptr);
            LineTo(dc, l->to.x, l->to.y);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

void prepareProcess()
{
    SetProcessDPIAware();
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    timeBeginPeriod(1);
}

FrontEnd::FrontEnd(HINSTANCE instance) : instance_(instance)
{
    theFrontEnd = this;
}

FrontEnd::~FrontEnd()
{
    // Windows still there when the loop ends are destroyed without telling
    // the core anything.
    std::vector<HWND> left;
    for (auto& [hwnd, w] : byHwnd_) {
        w->form = nullptr;
        left.push_back(hwnd);
    }
    for (HWND h : left)
        if (IsWindow(h))
            DestroyWindow(h);
    windows_.clear();
    dying_.clear();
    for (auto& [name, bitmap] : pictures_)
        DeleteObject(bitmap);
    for (auto& [id, icon] : icons_)
        DestroyIcon(icon);
    if (font_)
        DeleteObject(font_);
    if (theFrontEnd == this)
        theFrontEnd = nullptr;
}

namespace {

int CALLBACK faceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(HDC dc, const wchar_t* face)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(dc, &lf, faceFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

}  // namespace

void FrontEnd::initialise()
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        fail("GetDC");
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    if (dpi_ <= 0)
        dpi_ = 96;

    // The era's 8-point dialog face; its TrueType successor has the same
    // metrics, so the texts still fit where the bitmap face is missing.
    const wchar_t* faces[] = {L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma", L"Arial"};
    fontFace_ = L"MS Sans Serif";
    for (const wchar_t* face : faces)
        if (faceExists(screen, face)) {
            fontFace_ = face;
            break;
        }
    font_ = CreateFontW(-MulDiv(8, dpi_, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, fontFace_.c_str());
    if (!font_) {
        ReleaseDC(nullptr, screen);
        fail("CreateFont");
    }
    HGDIOBJ old = SelectObject(screen, font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    folderItemHeight_ = std::max<int>(tm.tmHeight + 2, 15);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProcs::form;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    wc.hIcon = icon(1, true);
    wc.hIconSm = icon(1, false);
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakForm");
    wc.lpfnWndProc = WindowProcs::picture;
    wc.lpszClassName = kPictureClass;
    wc.hIcon = wc.hIconSm = nullptr;
    wc.hbrBackground = nullptr;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakPicture");
    wc.lpfnWndProc = WindowProcs::line;
    wc.lpszClassName = kLineClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx VornakLine");
}

HICON FrontEnd::icon(int group, bool big)
{
    const int key = group * 2 + (big ? 1 : 0);
    if (const auto it = icons_.find(key); it != icons_.end())
        return it->second;
    const int cx = GetSystemMetrics(big ? SM_CXICON : SM_CXSMICON);
    const int cy = GetSystemMetrics(big ? SM_CYICON : SM_CYSMICON);
    auto h = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(group), IMAGE_ICON, cx, cy, 0));
    if (!h)
        fail("LoadImage icon");
    icons_[key] = h;
    return h;
}

HBITMAP FrontEnd::picture(std::string_view name)
{
    std::string key(name);
    if (const auto it = pictures_.find(key); it != pictures_.end())
        return it->second;
    std::string resource = key;
    std::transform(resource.begin(), resource.end(), resource.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    auto h = static_cast<HBITMAP>(LoadImageW(instance_, widen(resource).c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!h)
        fail("LoadImage picture " + key);
    pictures_[key] = h;
    return h;
}

Window* FrontEnd::find(const Form& form) const
{
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.get();
}

Window* FrontEnd::find(HWND hwnd) const
{
    const auto it = byHwnd_.find(hwnd);
    return it == byHwnd_.end() ? nullptr : it->second;
}

HWND FrontEnd::windowOf(const Form& form) const
{
    const Window* w = find(form);
    return w ? w->hwnd : nullptr;
}

HWND FrontEnd::controlOf(const Control& control) const
{
    const Window* w = find(control.form());
    if (!w)
        return nullptr;
    const auto& all = control.form().controls();
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].get() == &control)
            return i < w->controls.size() ? w->controls[i] : nullptr;
    return nullptr;
}

void FrontEnd::forget(Window* w)
{
    for (auto it = dying_.begin(); it != dying_.end(); ++it)
        if (it->get() == w) {
            dying_.erase(it);
            return;
        }
    for (auto it = windows_.begin(); it != windows_.end(); ++it)
        if (it->second.get() == w) {
            windows_.erase(it);
            return;
        }
}

namespace {

// Where a control lies in the window: frames are not windows of their own
// to the system, so what a frame contains is placed relative to it.
POINT originOf(const Form& form, const ControlDesign& d, int dpi)
{
    POINT p{0, 0};
    std::string_view container = d.container;
    for (int depth = 0; !container.empty() && depth < 16; ++depth) {
        const Control* frame = form.find(container);
        if (!frame)
            break;
        p.x += twipsToPixels(frame->design().left, dpi);
        p.y += twipsToPixels(frame->design().top, dpi);
        container = frame->design().container;
    }
    return p;
}

void fillList(HWND list, const Control& c, bool folders)
{
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (folders) {
        for (const FolderEntry& f : c.folders()) {
            const LRESULT i = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(f.name).c_str()));
            if (i >= 0)
                SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(i), (f.level & 0xFFFF) | (f.open ? 0x10000 : 0));
        }
    } else {
        const auto& items = c.items();
        SendMessageW(list, LB_INITSTORAGE, items.size(), items.size() * 16);
        for (const std::string& name : items)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(name).c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void fillDrives(HWND box, const Control& c)
{
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& d : c.items())
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(d).c_str()));
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
}

// The pixels of a picture that are not the grey key, as a region.
HRGN keyedRegion(HBITMAP bitmap, int width, int height)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != height)
        return nullptr;
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
    std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* rd = reinterpret_cast<RGNDATA*>(data.data());
    rd->rdh.dwSize = sizeof(RGNDATAHEADER);
    rd->rdh.iType = RDH_RECTANGLES;
    rd->rdh.nCount = static_cast<DWORD>(runs.size());
    rd->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    rd->rdh.rcBound = {0, 0, width, height};
    if (!runs.empty())
        std::memcpy(rd->Buffer, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rd);
}

void setOption(HWND h, bool on)
{
    SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab reaches an option group at its chosen option.
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    style = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(h, GWL_STYLE, style);
}

}  // namespace

void FrontEnd::createWindow(Form& form)
{
    const FormDesign& d = form.design();
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->frontEnd = this;
    w->form = &form;
    windows_[&form] = std::move(owned);

    try {
        RECT r{0, 0, twipsToPixels(d.width, dpi_), twipsToPixels(d.height, dpi_)};
        const DWORD exStyle = d.showInTaskbar ? WS_EX_APPWINDOW : 0;
        if (!AdjustWindowRectEx(&r, kFormStyle, FALSE, exStyle))
            fail("AdjustWindowRectEx");
        // Dialogs are owned by the main window: they stay above it and out
        // of the taskbar.
        HWND owner = d.showInTaskbar ? nullptr : mainWindow_;
        HWND hwnd = CreateWindowExW(exStyle, kFormClass, widen(d.caption).c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                    r.right - r.left, r.bottom - r.top, owner, nullptr, instance_, w);
        if (!hwnd)
            fail("CreateWindowEx " + std::string(d.name));
        if (d.showInTaskbar && !mainWindow_)
            mainWindow_ = hwnd;
        const int group = d.icon == Icon::Bolt ? 1 : 2;
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon(group, true)));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon(group, false)));

        auto px = [this](int twips) { return twipsToPixels(twips, dpi_); };
        const auto& controls = form.controls();
        w->controls.assign(controls.size(), nullptr);
        for (size_t i = 0; i < controls.size(); ++i) {
            Control& c = *controls[i];
            const ControlDesign& cd = c.design();
            const POINT o = originOf(form, cd, dpi_);
            int x = o.x + px(cd.left), y = o.y + px(cd.top), cx = px(cd.width), cy = px(cd.height);
            const wchar_t* cls = L"BUTTON";
            DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
            DWORD ex = 0;
            std::wstring text = widen(c.caption());
            void* param = nullptr;
            switch (cd.type) {
            case ControlType::Label:
                cls = L"STATIC";
                style |= SS_NOPREFIX | (cd.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT);
                break;
            case ControlType::CommandButton: style |= BS_PUSHBUTTON | WS_TABSTOP; break;
            case ControlType::OptionButton: style |= BS_AUTORADIOBUTTON | (c.value() != kFalse ? WS_TABSTOP : 0); break;
            case ControlType::CheckBox: style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
            case ControlType::Frame: style |= BS_GROUPBOX; break;
            case ControlType::TextBox:
                cls = L"EDIT";
                style |= ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP;
                ex = WS_EX_CLIENTEDGE;
                break;
            case ControlType::Image: {
                cls = kPictureClass;
                text.clear();
                auto p = std::make_unique<PictureData>();
                if (const PictureInfo* info = findPicture(cd.picture)) {
                    p->bitmap = picture(cd.picture);
                    BITMAP bm{};
                    GetObjectW(p->bitmap, sizeof bm, &bm);
                    p->width = bm.bmWidth;
                    p->height = bm.bmHeight;
                    p->greyKeyed = info->greyKeyed;
                }
                if (cd.border)
                    ex = WS_EX_CLIENTEDGE;
                else if (p->greyKeyed)
                    ex = WS_EX_TRANSPARENT;
                param = p.get();
                w->pictures.push_back(std::move(p));
                break;
            }
            case ControlType::Line: {
                cls = kLineClass;
                text.clear();
                const POINT a{o.x + px(cd.left), o.y + px(cd.top)}, b{o.x + px(cd.width), o.y + px(cd.height)};
                x = std::min(a.x, b.x);
                y = std::min(a.y, b.y);
                cx = std::abs(a.x - b.x) + 1;
                cy = std::abs(a.y - b.y) + 1;
                auto l = std::make_unique<LineData>();
                l->from = {a.x - x, a.y - y};
                l->to = {b.x - x, b.y - y};
                l->colour = colourOf(cd.foreColour, COLOR_WINDOWTEXT);
                param = l.get();
                w->lines.push_back(std::move(l));
                break;
            }
            case ControlType::DriveList:
                cls = L"COMBOBOX";
                text.clear();
                style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
                cy = cy + 8 * folderItemHeight_;  // the height of the list when dropped
                break;
            case ControlType::DirList:
                cls = L"LISTBOX";
                text.clear();
                style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
                ex = WS_EX_CLIENTEDGE;
                break;
            case ControlType::FileList:
                cls = L"LISTBOX";
                text.clear();
                style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
                ex = WS_EX_CLIENTEDGE;
                break;
            }
            if (!isGraphical(cd.type) && cd.type != ControlType::OptionButton)
                style |= WS_GROUP;
            HWND h = CreateWindowExW(ex, cls, text.c_str(), style, x, y, cx, cy, hwnd,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(i))), instance_, param);
            if (!h)
                fail("CreateWindowEx " + std::string(cd.name));
            w->controls[i] = h;
            SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);

            switch (cd.type) {
            case ControlType::Label:
                if (cd.backColour != kDefaultColour || cd.foreColour != kDefaultColour) {
                    HBRUSH b = CreateSolidBrush(colourOf(cd.backColour, COLOR_BTNFACE));
                    if (!b)
                        fail("CreateSolidBrush");
                    w->labelBrushes.emplace_back(h, b);
                }
                break;
            case ControlType::OptionButton: SendMessageW(h, BM_SETCHECK, c.value() != kFalse ? BST_CHECKED : BST_UNCHECKED, 0); break;
            case ControlType::CheckBox: SendMessageW(h, BM_SETCHECK, c.value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0); break;
            case ControlType::TextBox: SendMessageW(h, EM_SETLIMITTEXT, 0, 0); break;
            case ControlType::DriveList: {
                fillDrives(h, c);
                // The closed box is as tall as the design says.
                RECT wr;
                GetWindowRect(h, &wr);
                const int item = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
                const int want = px(cd.height);
                if (item > 0 && wr.bottom - wr.top != want)
                    SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1L, item + want - (wr.bottom - wr.top)));
                break;
            }
            case ControlType::DirList: fillList(h, c, true); break;
            case ControlType::FileList: fillList(h, c, false); break;
            case ControlType::Image: {
                const PictureData& p = *w->pictures.back();
                if (p.greyKeyed && !cd.border && p.bitmap) {
                    // The grey is not part of the window at all: what lies
                    // under it, the window's background or a label, shows.
                    HRGN region = keyedRegion(p.bitmap, p.width, p.height);
                    if (region && !SetWindowRgn(h, region, FALSE))
                        DeleteObject(region);
                }
                break;
            }
            default: break;
            }
        }

        // Z-order, top first: the windowed controls in tab order (a frame
        // right after what it holds), then labels, images and lines, the
        // last created on top. The dialog manager's Tab walks this order.
        std::vector<int> windowed, graphical;
        for (const Control* c : form.tabOrder()) {
            const auto& all = form.controls();
            for (size_t i = 0; i < all.size(); ++i)
                if (all[i].get() == c)
                    windowed.push_back(static_cast<int>(i));
        }
        std::vector<int> frames;
        for (size_t i = 0; i < controls.size(); ++i) {
            const ControlType t = controls[i]->type();
            if (t == ControlType::Frame)
                frames.push_back(static_cast<int>(i));
        }
        for (int f : frames) {
            int after = -1;  // the last windowed control the frame holds
            for (size_t k = 0; k < windowed.size(); ++k)
                if (controls[static_cast<size_t>(windowed[k])]->design().container == controls[static_cast<size_t>(f)]->name())
                    after = static_cast<int>(k);
            if (after < 0)
                windowed.push_back(f);
            else
                windowed.insert(windowed.begin() + after + 1, f);
        }
        for (size_t i = controls.size(); i-- > 0;)
            if (isGraphical(controls[i]->type()))
                graphical.push_back(static_cast<int>(i));
        std::vector<int> order = windowed;
        order.insert(order.end(), graphical.begin(), graphical.end());
        HWND previous = HWND_TOP;
        std::string_view lastContainer = "\x01";
        for (int i : order) {
            HWND h = w->controls[static_cast<size_t>(i)];
            const Control& c = *controls[static_cast<size_t>(i)];
            if (c.type() == ControlType::OptionButton) {
                // The first option of each group starts a group for the
                // arrow keys; a group ends at the next control that is not
                // one of its options.
                LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
                if (c.design().container != lastContainer)
                    style |= WS_GROUP;
                SetWindowLongPtrW(h, GWL_STYLE, style);
                lastContainer = c.design().container;
            } else {
                lastContainer = "\x01";
            }
            if (!SetWindowPos(h, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW))
                fail("SetWindowPos");
            previous = h;
        }

        if (Control* first = form.firstFocus())
            w->lastFocus = controlOf(*first);
    } catch (...) {
        windows_.erase(&form);  // ~Window; the HWND goes below
        for (auto it = byHwnd_.begin(); it != byHwnd_.end();) {
            if (it->second == w) {
                HWND h = it->first;
                SetWindowLongPtrW(h, GWLP_USERDATA, 0);
                it = byHwnd_.erase(it);
                if (mainWindow_ == h)
                    mainWindow_ = nullptr;
                DestroyWindow(h);
            } else {
                ++it;
            }
        }
        throw;
    }
}

void FrontEnd::place(Window& w, Form* owner)
{
    RECT area{};
    Window* o = owner ? find(*owner) : nullptr;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    if (o && o->hwnd && w.form->design().position == StartPosition::CentreOwner)
        GetWindowRect(o->hwnd, &area);
    else
        area = work;
    RECT r;
    GetWindowRect(w.hwnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the title bar on the screen, where the window can be moved.
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(w.hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FrontEnd::showWindow(Form& form, Form* owner, bool firstTime)
{
    Window* w = find(form);
    if (!w || !w->hwnd)
        return;
    if (firstTime)
        place(*w, owner);
    ShowWindow(w->hwnd, SW_SHOW);
    SetForegroundWindow(w->hwnd);
    SetActiveWindow(w->hwnd);
    if (w->lastFocus && IsWindow(w->lastFocus))
        SetFocus(w->lastFocus);
    else
        SetFocus(w->hwnd);
}

void FrontEnd::hideWindow(Form& form)
{
    Window* w = find(form);
    if (!w || !w->hwnd)
        return;
    HWND focus = GetFocus();
    if (focus && IsChild(w->hwnd, focus))
        w->lastFocus = focus;
    ShowWindow(w->hwnd, SW_HIDE);
}

void FrontEnd::raiseWindow(Form& form)
{
    if (Window* w = find(form); w && w->hwnd) {
        SetWindowPos(w->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(w->hwnd);
    }
}

void FrontEnd::destroyWindow(Form& form)
{
    const auto it = windows_.find(&form);
    if (it == windows_.end())
        return;
    std::unique_ptr<Window> w = std::move(it->second);
    windows_.erase(it);
    w->form = nullptr;  // nothing reaches the core from it any more
    HWND hwnd = w->hwnd;
    if (hwnd == mainWindow_) {
        // The dialogs it owns go with it.
        for (auto& [f, other] : windows_)
            other->form = nullptr;
    }
    dying_.push_back(std::move(w));
    if (hwnd) {
        ShowWindow(hwnd, SW_HIDE);
        if (!PostMessageW(hwnd, kDestroyLater, 0, 0))
            DestroyWindow(hwnd);
    }
}

void FrontEnd::propertyChanged(Control& control, Property property)
{
    HWND h = controlOf(control);
    if (!h)
        return;
    ++reflecting_;
    switch (control.type()) {
    case ControlType::Label:
    case ControlType::CommandButton:
    case ControlType::Frame:
        SetWindowTextW(h, widen(control.caption()).c_str());
        break;
    case ControlType::CheckBox:
        if (property == Property::Caption)
            SetWindowTextW(h, widen(control.caption()).c_str());
        else
            SendMessageW(h, BM_SETCHECK, control.value() == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    case ControlType::OptionButton:
        if (property == Property::Caption)
            SetWindowTextW(h, widen(control.caption()).c_str());
        else
            setOption(h, control.value() != kFalse);
        break;
    case ControlType::TextBox: {
        const std::wstring text = widen(control.text());
        const int n = GetWindowTextLengthW(h);
        std::wstring now(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
        now.resize(static_cast<size_t>(std::max(GetWindowTextW(h, now.data(), n + 1), 0)));
        if (now != text)
            SetWindowTextW(h, text.c_str());
        break;
    }
    case ControlType::DriveList:
        if (property == Property::ListIndex)
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(control.listIndex()), 0);
        else
            fillDrives(h, control);
        break;
    case ControlType::DirList: fillList(h, control, true); break;
    case ControlType::FileList:
        if (property == Property::ListIndex)
            SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(control.listIndex()), 0);
        else
            fillList(h, control, false);
        break;
    case ControlType::Image:
    case ControlType::Line: break;
    }
    --reflecting_;
}

void FrontEnd::setCursor(int mousePointer)
{
    pointer_ = mousePointer;
    if (mousePointer == kHourglass) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    } else {
        // The class cursor of whatever lies under the pointer comes back
        // with the next WM_SETCURSOR; show the arrow until then.
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        POINT p;
        if (GetCursorPos(&p))
            SetCursorPos(p.x, p.y);
    }
}

void FrontEnd::messageBox(std::string_view title, std::string_view text)
{
    MessageBoxW(nullptr, widen(text).c_str(), widen(title).c_str(), MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

void FrontEnd::flush()
{
    // Paint everything pending now and put the cursor on the screen: the
    // thread is about to sleep, and no message is handled until it wakes.
    // Input that arrives meanwhile waits in the queue, in order.
    for (auto& [form, w] : windows_)
        if (w->hwnd && IsWindowVisible(w->hwnd))
            RedrawWindow(w->hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (pointer_ == kHourglass)
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    GdiFlush();
}

void FrontEnd::quit()
{
    quitting_ = true;
    PostQuitMessage(0);
}

void FrontEnd::handle(MSG& msg)
{
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    Window* w = root ? find(root) : nullptr;
    if (w && w->form && w->form->design().keyPreview) {
        // Every key that produces a character goes to the form first.
        if (msg.message == WM_CHAR) {
            w->form->userKeyPress(static_cast<int>(msg.wParam));
            return;
        }
        if (msg.message == WM_KEYDOWN) {
            TranslateMessage(&msg);
            if (msg.wParam == VK_TAB) {
                const bool back = GetKeyState(VK_SHIFT) < 0;
                if (HWND next = GetNextDlgTabItem(root, GetFocus(), back))
                    SetFocus(next);
                return;
            }
            DispatchMessageW(&msg);
            return;
        }
    }
    if (w && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) {
        // Enter presses the focused button and nothing else: these windows
        // have no default button. (The dialog manager would send IDOK.)
        HWND focus = GetFocus();
        if (focus && IsChild(root, focus)
            && (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
            SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED), reinterpret_cast<LPARAM>(focus));
        return;
    }
    if (w && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

int FrontEnd::run()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(msg.wParam);
        if (got == -1)
            return 1;
        handle(msg);
    }
}

bool FrontEnd::pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quitting_ = true;
            return false;
        }
        handle(msg);
    }
    return !quitting_;
}

}  // namespace vornak::win32
