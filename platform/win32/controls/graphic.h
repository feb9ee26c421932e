// What the picture and line windows share: they let the mouse through to
// what lies under them and paint their whole face themselves, on the
// control's grey.
#pragma once

#include <windows.h>

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

}  // namespace vornak::win32
