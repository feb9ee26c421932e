#include "graphic.h"

#include "win32text.h"

#include <algorithm>
#include <string>

namespace vornak::win32 {

LRESULT graphicProcedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void (*paint)(HWND, HDC))
{
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        break;
    case WM_NCHITTEST:
        // The mouse, and with it the cursor, belongs to what lies under.
        return HTTRANSPARENT;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        paint(hwnd, dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

const wchar_t* registerGraphicClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        fail("RegisterClassEx " + narrow(name));
    return name;
}

void paintAtDesign(HDC dc, const RECT& r, int factor, const std::function<void(HDC, const RECT&)>& draw)
{
    const int w = (r.right - r.left + factor - 1) / std::max(factor, 1);
    const int h = (r.bottom - r.top + factor - 1) / std::max(factor, 1);
    HDC mem = factor > 1 && w > 0 && h > 0 ? CreateCompatibleDC(dc) : nullptr;
    HBITMAP bitmap = mem ? CreateCompatibleBitmap(dc, w, h) : nullptr;
    if (!bitmap) {
        if (mem)
            DeleteDC(mem);
        draw(dc, r);
        return;
    }
    HGDIOBJ old = SelectObject(mem, bitmap);
    // Nearest neighbour both ways: a pixel of each block, then each pixel
    // a block.
    SetStretchBltMode(mem, COLORONCOLOR);
    StretchBlt(mem, 0, 0, w, h, dc, r.left, r.top, w * factor, h * factor, SRCCOPY);
    draw(mem, RECT{0, 0, w, h});
    const int mode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, r.left, r.top, w * factor, h * factor, mem, 0, 0, w, h, SRCCOPY);
    SetStretchBltMode(dc, mode);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
}

}  // namespace vornak::win32
