// A folder list: the open folder's ancestry, each level indented under an
// open-folder mark, then its subfolders under closed-folder marks
// (app/foldermarks.h), drawn by the piece; a double click opens an entry.
#include "graphic.h"
#include "lists.h"
#include "piece.h"
#include "win32frontend.h"
#include "win32text.h"
#include "win32window.h"

#include "app/controls/folderlist.h"
#include "app/foldermarks.h"
#include "app/text.h"

#include <string>

namespace vornak::win32 {

namespace {

constexpr LPARAM kOpen = 0x10000;  // item data: the level, and this for an ancestor

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
    DrawTextW(d.hDC, text.c_str(), static_cast<int>(text.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    if (d.itemState & ODS_FOCUS)
        DrawFocusRect(d.hDC, &box);
    SelectObject(d.hDC, oldFont);
}

// The rows, drawn as the list asks for them.
struct Rows : PieceData {
    FrontEnd& frontEnd;
    explicit Rows(FrontEnd& fe) : frontEnd(fe) {}

    bool sentBack(UINT msg, WPARAM, LPARAM lp, LRESULT& result) override
    {
        if (msg != WM_DRAWITEM)
            return false;
        draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        result = TRUE;
        return true;
    }
    // Drawn at the design's resolution, in its face, and enlarged where the
    // screen enlarges the design.
    void draw(const DRAWITEMSTRUCT& item) const
    {
        paintAtDesign(item.hDC, item.rcItem, frontEnd.factor(), [&](HDC dc, const RECT& r) {
            DRAWITEMSTRUCT d = item;
            d.hDC = dc;
            d.rcItem = r;
            drawRow(d);
        });
    }
    void drawRow(const DRAWITEMSTRUCT& d) const
    {
        if (d.itemID == static_cast<UINT>(-1)) {
            if (d.itemState & ODS_FOCUS)
                DrawFocusRect(d.hDC, &d.rcItem);
            return;
        }
        const LRESULT data = SendMessageW(d.hwndItem, LB_GETITEMDATA, d.itemID, 0);
        FillRect(d.hDC, &d.rcItem, GetSysColorBrush(COLOR_WINDOW));
        const int x = d.rcItem.left + 2 + static_cast<int>(data & 0xFFFF) * kFolderIndent;
        const int y = d.rcItem.top + (d.rcItem.bottom - d.rcItem.top - kFolderMarkHeight) / 2;
        frontEnd.drawFolderMark(d.hDC, x, y, (data & kOpen) != 0);
        drawName(d, x + kFolderMarkWidth + 2, frontEnd.designFont());
    }
};

class FolderListPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        HWND h = makeWindow(w, c,
                            {L"LISTBOX",
                             LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_VSCROLL,
                             WS_EX_CLIENTEDGE,
                             boxOf(w, c),
                             {}});
        keepAnswering(w, c, h, std::make_unique<Rows>(*w.frontEnd));
        SendMessageW(h, LB_SETITEMHEIGHT, 0, w.frontEnd->listItemHeight());
        show(c, h, Property::List);
        return h;
    }
    void show(Control& c, HWND h, Property) const override
    {
        const FolderList& list = c.as<FolderList>();
        refillList(h, list.listIndex(), [&] {
            for (const FolderEntry& f : list.folders()) {
                const LRESULT i = SendMessageW(h, LB_ADDSTRING, 0,
                                               reinterpret_cast<LPARAM>(widen(shownText(f.name)).c_str()));
                if (i >= 0)
                    SendMessageW(h, LB_SETITEMDATA, static_cast<WPARAM>(i), (f.level & 0xFFFF) | (f.open ? kOpen : 0));
            }
        });
    }
    void report(Control& c, HWND h, int code) const override
    {
        if (code == LBN_DBLCLK)
            c.userOpen(selectedEntry(h));
    }
};

}  // namespace

VORNAK_PIECE(FolderList, FolderListPiece)

}  // namespace vornak::win32
