// A folder list: the open folder's ancestry, each level indented under an
// open-folder mark, then its subfolders under closed-folder marks, drawn
// by the window; a double click opens an entry.
#include "lists.h"
#include "piece.h"
#include "pieces.h"
#include "win32frontend.h"
#include "win32text.h"
#include "win32window.h"

#include "app/text.h"

#include <string>

namespace vornak::win32 {

namespace {

constexpr int kIndent = 7;
constexpr LPARAM kOpen = 0x10000;  // item data: the level, and this for an ancestor

void fillFolders(HWND list, const Control& c)
{
    refillList(list, c.listIndex(), [&] {
        for (const FolderEntry& f : c.folders()) {
            const LRESULT i = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(f.name)).c_str()));
            if (i >= 0)
                SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(i), (f.level & 0xFFFF) | (f.open ? kOpen : 0));
        }
    });
}

// The mark of a folder, 16 by 13 pixels, at x, y.
void drawMark(HDC dc, int x, int y, bool open)
{
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    HBRUSH olive = CreateSolidBrush(RGB(0x80, 0x80, 0x00));
    HBRUSH yellow = CreateSolidBrush(RGB(0xFF, 0xFF, 0x00));
    HBRUSH pale = CreateSolidBrush(RGB(0xFF, 0xFF, 0xC0));
    HGDIOBJ oldBrush = SelectObject(dc, olive);
    Rectangle(dc, x + 1, y + 1, x + 7, y + 4);  // the tab and the back
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

std::wstring entryText(const DRAWITEMSTRUCT& d)
{
    const LRESULT len = SendMessageW(d.hwndItem, LB_GETTEXTLEN, d.itemID, 0);
    std::wstring text(len > 0 ? static_cast<size_t>(len) : 0, L'\0');
    if (len > 0)
        SendMessageW(d.hwndItem, LB_GETTEXT, d.itemID, reinterpret_cast<LPARAM>(text.data()));
    return text;
}

// The entry's name after its mark, highlighted when selected, with the
// focus rectangle round the name alone.
void drawName(const DRAWITEMSTRUCT& d, int x, HFONT font)
{
    const std::wstring text = entryText(d);
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    HGDIOBJ oldFont = SelectObject(d.hDC, font);
    SIZE extent{};
    GetTextExtentPoint32W(d.hDC, text.c_str(), static_cast<int>(text.size()), &extent);
    RECT box{x, d.rcItem.top, x + extent.cx + 4, d.rcItem.bottom};
    if (selected)
        FillRect(d.hDC, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(d.hDC, TRANSPARENT);
    SetTextColor(d.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner = box;
    inner.left += 2;
    DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &box);
    SelectObject(d.hDC, oldFont);
}

class FolderList : public Piece {
public:
    Blueprint blueprint(Window&, const Control&, RECT box) const override
    {
        return {L"LISTBOX",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                WS_EX_CLIENTEDGE, box, {}};
    }
    void fill(Window&, const Control& c, HWND h) const override { fillFolders(h, c); }
    void reflect(const Control& c, HWND h, Property) const override { fillFolders(h, c); }
    void notified(Control& c, HWND h, int code) const override
    {
        if (code == LBN_DBLCLK)
            c.userOpen(selectedEntry(h));
    }
    void measure(const Window& w, MEASUREITEMSTRUCT& m) const override
    {
        m.itemHeight = static_cast<UINT>(w.frontEnd->folderItemHeight());
    }
    void draw(const Window& w, const DRAWITEMSTRUCT& d) const override
    {
        if (d.itemID == static_cast<UINT>(-1)) {
            if (d.itemState & ODS_FOCUS)
                DrawFocusRect(d.hDC, &d.rcItem);
            return;
        }
        const LRESULT data = SendMessageW(d.hwndItem, LB_GETITEMDATA, d.itemID, 0);
        FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_WINDOW));
        const int x = d.rcItem.left + 2 + static_cast<int>(data & 0xFFFF) * kIndent;
        drawMark(d.hDC, x, d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - 13) / 2, (data & kOpen) != 0);
        drawName(d, x + 18, w.frontEnd->font());
    }
};

}  // namespace

const Piece& folderListPiece()
{
    static const FolderList piece;
    return piece;
}

}  // namespace vornak::win32
