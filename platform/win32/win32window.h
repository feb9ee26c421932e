// A form's top-level window as the front end keeps it, and the window
// procedures of the program's three window classes: the form, the picture
// and the line.
#pragma once

#include "app/form.h"
#include "win32frontend.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace vornak::win32 {

inline constexpr wchar_t kFormClass[] = L"VornakForm";
inline constexpr wchar_t kPictureClass[] = L"VornakPicture";
inline constexpr wchar_t kLineClass[] = L"VornakLine";

// Asks a window to destroy itself once the current message is over, so a
// window is never destroyed while its own procedure is still running.
inline constexpr UINT kDestroyLater = WM_APP + 1;

// Control identifiers start above IDOK and IDCANCEL, which the dialog
// manager sends for Enter and Escape.
inline constexpr int kFirstId = 100;

// What a picture window draws.
struct PictureData {
    HBITMAP bitmap = nullptr;
    int width = 0, height = 0;
    bool greyKeyed = false;
};

// A line window: its end points inside the window.
struct LineData {
    POINT from{}, to{};
    COLORREF colour = 0;
};

struct Window {
    FrontEnd* frontEnd = nullptr;
    Form* form = nullptr;  // null once the core has let the window go
    HWND hwnd = nullptr;
    std::vector<HWND> controls;  // by the control's index in the form
    std::vector<std::unique_ptr<PictureData>> pictures;
    std::vector<std::unique_ptr<LineData>> lines;
    HWND lastFocus = nullptr;
    std::vector<std::pair<HWND, HBRUSH>> labelBrushes;  // coloured labels' backgrounds

    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window()
    {
        for (auto& [h, b] : labelBrushes)
            DeleteObject(b);
    }

    int indexOf(HWND child) const
    {
        const auto it = std::find(controls.begin(), controls.end(), child);
        return it == controls.end() || !child ? -1 : static_cast<int>(it - controls.begin());
    }
    Control* control(int index) const
    {
        if (!form || index < 0 || index >= static_cast<int>(form->controls().size()))
            return nullptr;
        return form->controls()[static_cast<size_t>(index)].get();
    }
};

struct WindowProcs {
    static LRESULT CALLBACK form(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK picture(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK line(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    // The front end whose mouse pointer the picture and line windows show.
    static inline FrontEnd* pointerOwner = nullptr;

private:
    // What the picture and line windows share: they let the mouse through
    // to what lies under them and paint their whole face themselves.
    static LRESULT graphic(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, void (*paint)(HWND, HDC));
    static LRESULT command(Window& w, WPARAM wp, LPARAM lp);
    static bool setHourglass(const FrontEnd* fe);
};

}  // namespace vornak::win32
