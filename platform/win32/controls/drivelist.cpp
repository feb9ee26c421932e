// A drive list: a drop-down list of the drives, as tall as its design when
// closed.
#include "lists.h"
#include "piece.h"
#include "win32frontend.h"
#include "win32text.h"
#include "win32window.h"

#include "app/controls/drivelist.h"
#include "app/text.h"

#include <algorithm>

namespace vornak::win32 {

namespace {

class DriveListPiece : public Piece {
public:
    HWND create(Window& w, Control& c) const override
    {
        RECT box = boxOf(w, c);
        box.bottom += 8 * w.frontEnd->listItemHeight();  // the list when it drops down
        HWND h = makeWindow(w, c, {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, box, {}});
        show(c, h, Property::List);
        // The closed box is as tall as the layout says: its field's height
        // set by what is still missing. Wine's box grows by two pixels more
        // than the height it is given, and is set once more.
        const int want = w.at(c).inWindow.height;
        int field = static_cast<int>(SendMessageW(h, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
        for (int tries = 0; tries < 3 && field > 0; ++tries) {
            RECT wr;
            GetWindowRect(h, &wr);
            if (wr.bottom - wr.top == want)
                break;
            field = std::max(1, field + want - static_cast<int>(wr.bottom - wr.top));
            SendMessageW(h, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
        }
        return h;
    }
    void show(Control& c, HWND h, Property p) const override
    {
        const DriveList& drives = c.as<DriveList>();
        if (p != Property::ListIndex) {
            SendMessageW(h, CB_RESETCONTENT, 0, 0);
            for (const std::string& d : drives.items())
                SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(shownText(d)).c_str()));
        }
        SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(drives.listIndex()), 0);
    }
    void report(Control& c, HWND h, int code) const override
    {
        if (code == CBN_SELCHANGE)
            c.userSelect(selectedEntry(h, true));
    }
};

}  // namespace

VORNAK_PIECE(DriveList, DriveListPiece)

}  // namespace vornak::win32
