// What the drive, folder and file lists share: their entries replaced in
// one go, without the list redrawing each one.
#pragma once

#include <windows.h>

namespace vornak::win32 {

// Empties a list box, has add() put the new entries in, and selects one.
template <class Add>
void refillList(HWND list, int selected, Add add)
{
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    add();
    SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

// The index of the list's selected entry, -1 for none.
inline int selectedEntry(HWND list, bool combo = false)
{
    return static_cast<int>(SendMessageW(list, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

}  // namespace vornak::win32
