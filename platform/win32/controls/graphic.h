// What the picture and line windows share: they let the mouse through to
// what lies under them and paint their whole face themselves, on the
// control's grey. And how every piece paints what it draws itself on a
// screen that enlarges the design (paintAtDesign).
#pragma once

#include <windows.h>

#include <functional>

namespace vornak::win32 {

// The window procedure of such a class, drawing with paint; the window's
// data (its CreateWindowEx lpParam) is kept in GWLP_USERDATA.
LRESULT graphicProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void (*paint)(HWND, HDC));

// Registers such a class, once a process; returns its name. Throws
// std::runtime_error when that fails.
const wchar_t* registerGraphicClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);

// The window's data, as given to CreateWindowEx.
template <class T>
const T* graphicData(HWND hwnd)
{
    return reinterpret_cast<const T*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Paints with draw into r of dc. On a screen that enlarges the design by a
// factor above 1, draw paints the design's own pixels into a bitmap the
// size of r divided by the factor (what dc shows there already, at that
// resolution), which is then enlarged into r, every pixel a block; it is
// given that bitmap's device context and its rectangle. Elsewhere, or
// where the system has no room for the bitmap, draw paints r of dc itself.
void paintAtDesign(HDC dc, const RECT& r, int factor, const std::function<void(HDC, const RECT&)>& draw);

}  // namespace vornak::win32
