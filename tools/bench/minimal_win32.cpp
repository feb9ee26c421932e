// The smallest window program of the platform, the yardstick for the
// Windows build's start-up time and memory under Wine.
#include <windows.h>

static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Minimal";
    if (!RegisterClassW(&wc))
        return 1;
    RECT r{0, 0, 338, 361};
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_BORDER;
    AdjustWindowRect(&r, style, FALSE);
    HWND w = CreateWindowW(L"Minimal", L"Minimal", style, CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left,
                           r.bottom - r.top, nullptr, nullptr, instance, nullptr);
    if (!w)
        return 1;
    CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 24, 320, 81, 25, w, nullptr, instance,
                  nullptr);
    ShowWindow(w, show);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
