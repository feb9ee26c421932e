// A drive list: a drop-down list of the drives, as tall as its design when
// closed.
#include "lists.h"
#include "piece.h"
#include "pieces.h"
#include "win32frontend.h"
#include "win32text.h"
#include "win32window.h"

#include "app/text.h"

#include <algorithm>

namespace vornak::win32 {

namespace {

void fillDrives(HWND box, const Control& c)
{
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::string& d : c.items())
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(d)).c_str()));
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
}

class DriveList : public Piece {
public:
    Blueprint blueprint(Window& w, const Control&, RECT box) const override
    {
        box.bottom += 8 * w.frontEnd->folderItemHeight();  // the list when it drops down
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0, box, {}};
    }
    void fill(Window& w, const Control& c, HWND h) const override
    {
        fillDrives(h, c);
        // The closed box is as tall as the design says.
        RECT wr;
        GetWindowRect(h, &wr);
        const int item = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        const int want = w.px(c.design().height);
        if (item > 0 && wr.bottom - wr.top != want)
            SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), std::max(1L, item + want - (wr.bottom - wr.top)));
    }
    void reflect(const Control& c, HWND h, Property p) const override
    {
        if (p == Property::ListIndex)
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(c.listIndex()), 0);
        else
            fillDrives(h, c);
    }
    void notified(Control& c, HWND h, int code) const override
    {
        if (code == CBN_SELCHANGE)
            c.userSelect(selectedEntry(h, true));
    }
};

}  // namespace

const Piece& driveListPiece()
{
    static const DriveList piece;
    return piece;
}

}  // namespace vornak::win32
