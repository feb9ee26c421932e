#include "win32controls.h"

#include "app/form.h"
#include "app/pictures.h"
#include "app/text.h"
#include "win32text.h"
#include "win32window.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vornak::win32 {

namespace {

constexpr int kFolderIndent = 7;

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
            const LRESULT i = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(f.name)).c_str()));
            if (i >= 0)
                SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(i), (f.level & 0xFFFF) | (f.open ? 0x10000 : 0));
        }
    } else {
        const auto& items = c.items();
        SendMessageW(list, LB_INITSTORAGE, items.size(), items.size() * 16);
        for (const std::string& name : items)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(name)).c_str()));
    }
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void fillDrives(HWND box, const Control& c)
{
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& d : c.items())
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(d)).c_str()));
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

void setCheck(HWND h, bool on)
{
    SendMessageW(h, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void setOption(HWND h, bool on)
{
    setCheck(h, on);
    // Tab reaches an option group at its chosen option.
    LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
    style = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(h, GWL_STYLE, style);
}

// What a control's window is made of, before it is made.
struct Blueprint {
    const wchar_t* cls = L"BUTTON";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    DWORD ex = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::wstring text;
    void* param = nullptr;  // the picture or line window's data
};

Blueprint blueprintOf(Window& w, const Control& c)
{
    FrontEnd& fe = *w.frontEnd;
    const int dpi = fe.dpi();
    auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    const ControlDesign& cd = c.design();
    const POINT o = originOf(*w.form, cd, dpi);
    Blueprint b;
    b.x = o.x + px(cd.left);
    b.y = o.y + px(cd.top);
    b.cx = px(cd.width);
    b.cy = px(cd.height);
    b.text = widen(c.caption());
    switch (cd.type) {
    case ControlType::Label:
        b.cls = L"STATIC";
        b.text = widen(shownText(c.caption()));
        b.style |= SS_NOPREFIX | (cd.alignment == Alignment::Centre ? SS_CENTER : SS_LEFT);
        break;
    case ControlType::CommandButton: b.style |= BS_PUSHBUTTON | WS_TABSTOP; break;
    case ControlType::OptionButton: b.style |= BS_AUTORADIOBUTTON | (c.value() != kFalse ? WS_TABSTOP : 0); break;
    case ControlType::CheckBox: b.style |= BS_AUTOCHECKBOX | WS_TABSTOP; break;
    case ControlType::Frame: b.style |= BS_GROUPBOX; break;
    case ControlType::TextBox:
        b.cls = L"EDIT";
        b.style |= ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP;
        b.ex = WS_EX_CLIENTEDGE;
        break;
    case ControlType::Image: {
        b.cls = kPictureClass;
        b.text.clear();
        auto p = std::make_unique<PictureData>();
        if (const PictureInfo* info = findPicture(cd.picture)) {
            p->bitmap = fe.picture(cd.picture);
            BITMAP bm{};
            GetObjectW(p->bitmap, sizeof bm, &bm);
            p->width = bm.bmWidth;
            p->height = bm.bmHeight;
            p->greyKeyed = info->greyKeyed;
        }
        if (cd.border)
            b.ex = WS_EX_CLIENTEDGE;
        else if (p->greyKeyed)
            b.ex = WS_EX_TRANSPARENT;
        b.param = p.get();
        w.pictures.push_back(std::move(p));
        break;
    }
    case ControlType::Line: {
        // The design's four numbers are the two end points.
        b.cls = kLineClass;
        b.text.clear();
        const POINT from{b.x, b.y}, to{o.x + px(cd.width), o.y + px(cd.height)};
        b.x = std::min(from.x, to.x);
        b.y = std::min(from.y, to.y);
        b.cx = std::abs(from.x - to.x) + 1;
        b.cy = std::abs(from.y - to.y) + 1;
        auto l = std::make_unique<LineData>();
        l->from = {from.x - b.x, from.y - b.y};
        l->to = {to.x - b.x, to.y - b.y};
        l->colour = colourOf(cd.foreColour, COLOR_WINDOWTEXT);
        b.param = l.get();
        w.lines.push_back(std::move(l));
        break;
    }
    case ControlType::DriveList:
        b.cls = L"COMBOBOX";
        b.text.clear();
        b.style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
        b.cy += 8 * fe.folderItemHeight();  // the height of the list when dropped
        break;
    case ControlType::DirList:
        b.cls = L"LISTBOX";
        b.text.clear();
        b.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP;
        b.ex = WS_EX_CLIENTEDGE;
        break;
    case ControlType::FileList:
        b.cls = L"LISTBOX";
        b.text.clear();
        b.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
        b.ex = WS_EX_CLIENTEDGE;
        break;
    }
    if (!isGraphical(cd.type) && cd.type != ControlType::OptionButton)
        b.style |= WS_GROUP;
    return b;
}

// What a control shows once its window is there.
void fillControl(Window& w, const Control& c, HWND h)
{
    const ControlDesign& cd = c.design();
    switch (cd.type) {
    case ControlType::Label:
        if (cd.backColour != kDefaultColour || cd.foreColour != kDefaultColour) {
            HBRUSH b = CreateSolidBrush(colourOf(cd.backColour, COLOR_BTNFACE));
            if (!b)
                fail("CreateSolidBrush");
            w.labelBrushes.emplace_back(h, b);
        }
        break;
    case ControlType::OptionButton: setCheck(h, c.value() != kFalse); break;
    case ControlType::CheckBox: setCheck(h, c.value() == 1); break;
    case ControlType::TextBox: SendMessageW(h, EM_SETLIMITTEXT, 0, 0); break;
    case ControlType::DriveList: {
        fillDrives(h, c);
        // The closed box is as tall as the design says.
        RECT wr;
        GetWindowRect(h, &wr);
        const int item = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        const int want = twipsToPixels(cd.height, w.frontEnd->dpi());
        if (item > 0 && wr.bottom - wr.top != want)
            SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1L, item + want - (wr.bottom - wr.top)));
        break;
    }
    case ControlType::DirList: fillList(h, c, true); break;
    case ControlType::FileList: fillList(h, c, false); break;
    case ControlType::Image: {
        const PictureData& p = *w.pictures.back();
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

HWND createControl(Window& w, size_t index)
{
    const Control& c = *w.form->controls()[index];
    const Blueprint b = blueprintOf(w, c);
    HWND h = CreateWindowExW(b.ex, b.cls, b.text.c_str(), b.style, b.x, b.y, b.cx, b.cy, w.hwnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstId + static_cast<int>(index))),
                             w.frontEnd->instance(), b.param);
    if (!h)
        fail("CreateWindowEx " + std::string(c.name()));
    w.controls[index] = h;
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(w.frontEnd->font()), FALSE);
    fillControl(w, c, h);
    return h;
}

void stackControls(Window& w)
{
    const Form& form = *w.form;
    const auto& controls = form.controls();
    // Z-order, top first: the windowed controls in tab order (a frame
    // right after what it holds), then labels, images and lines, the
    // last created on top. The dialog manager's Tab walks this order.
    std::vector<int> windowed, graphical;
    for (const Control* c : form.tabOrder()) {
        for (size_t i = 0; i < controls.size(); ++i)
            if (controls[i].get() == c)
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
        HWND h = w.controls[static_cast<size_t>(i)];
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
}

void reflect(const Control& control, HWND h, Property property)
{
    switch (control.type()) {
    case ControlType::Label:
        SetWindowTextW(h, widen(shownText(control.caption())).c_str());
        break;
    case ControlType::CommandButton:
    case ControlType::Frame:
        SetWindowTextW(h, widen(control.caption()).c_str());
        break;
    case ControlType::CheckBox:
        if (property == Property::Caption)
            SetWindowTextW(h, widen(control.caption()).c_str());
        else
            setCheck(h, control.value() == 1);
        break;
    case ControlType::OptionButton:
        if (property == Property::Caption)
            SetWindowTextW(h, widen(control.caption()).c_str());
        else
            setOption(h, control.value() != kFalse);
        break;
    case ControlType::TextBox: {
        const std::wstring text = widen(control.text());
        if (windowText(h) != text)
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
}

void drawFolder(const DRAWITEMSTRUCT& d, HFONT font)
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
    HGDIOBJ oldFont = SelectObject(d.hDC, font);
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

void paintPicture(HWND hwnd, HDC dc)
{
    const auto* p = reinterpret_cast<const PictureData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!p || !p->bitmap)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, p->bitmap);
    // At the picture's own size from the top left, never stretched; the
    // window clips what does not fit.
    if (p->greyKeyed)
        TransparentBlt(dc, 0, 0, p->width, p->height, mem, 0, 0, p->width, p->height, RGB(0xC0, 0xC0, 0xC0));
    else
        BitBlt(dc, 0, 0, p->width, p->height, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void paintLine(HWND hwnd, HDC dc)
{
    const auto* l = reinterpret_cast<const LineData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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

}  // namespace vornak::win32
