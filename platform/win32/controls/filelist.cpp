// A file list: the names of the open folder's files that match the
// pattern; picking one selects it.
#include "lists.h"
#include "piece.h"
#include "pieces.h"
#include "win32text.h"

#include "app/text.h"

namespace vornak::win32 {

namespace {

void fillFiles(HWND list, const Control& c)
{
    refillList(list, c.listIndex(), [&] {
        const auto& items = c.items();
        SendMessageW(list, LB_INITSTORAGE, items.size(), items.size() * 16);
        for (const std::string& name : items)
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(name)).c_str()));
    });
}

class FileList : public Piece {
public:
    Blueprint blueprint(Window&, const Control&, RECT box) const override
    {
        return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, box, {}};
    }
    void fill(Window&, const Control& c, HWND h) const override { fillFiles(h, c); }
    void reflect(const Control& c, HWND h, Property p) const override
    {
        if (p == Property::ListIndex)
            SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
        else
            fillFiles(h, c);
    }
    void notified(Control& c, HWND h, int code) const override
    {
        if (code == LBN_SELCHANGE)
            c.userSelect(selectedEntry(h));
    }
};

}  // namespace

const Piece& fileListPiece()
{
    static const FileList piece;
    return piece;
}

}  // namespace vornak::win32
