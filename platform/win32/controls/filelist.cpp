// A file list: the names of the open folder's files that match the
// pattern; picking one selects it.
#include "lists.h"
#include "piece.h"
#include "win32text.h"

#include "app/controls/filelist.h"
#include "app/text.h"

namespace vornak::win32 {

namespace {

class FileListPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        HWND h = makeWindow(
            w, c, {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, boxOf(w, c), {}});
        show(c, h, Property::List);
        return h;
    }
    void show(Control& c, HWND h, Property p) const override
    {
        const FileList& files = c.as<FileList>();
        if (p == Property::ListIndex) {
            SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(files.listIndex()), 0);
            return;
        }
        refillList(h, files.listIndex(), [&] {
            const auto& items = files.items();
            SendMessageW(h, LB_INITSTORAGE, items.size(), items.size() * 16);
            for (const std::string& name : items)
                SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(name)).c_str()));
        });
    }
    void report(Control& c, HWND h, int code) const override
    {
        if (code == LBN_SELCHANGE)
            c.userSelect(selectedEntry(h));
    }
};

}  // namespace

VORNAK_PIECE(FileList, FileListPiece)

}  // namespace vornak::win32
