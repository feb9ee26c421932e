// The eleven control types, each realised by one of the system's control
// classes (a picture and a line by the two small classes of this program),
// and what those windows draw: the owner-drawn folder list, the pictures and
// the lines.
#pragma once

#include "app/control.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace vornak::win32 {

struct Window;

// A colour of a design as the system's: the given system colour for the
// default, a system colour, or the RGB value itself.
COLORREF colourOf(uint32_t design, int systemDefault);

// Labels, images and lines lie under every control that takes input.
bool isGraphical(ControlType type);

// Builds the window of the control at index in w's form, as a child of w's
// window with id kFirstId + index, placed by its design and showing the
// control's current values; records it in w.controls. Throws
// std::runtime_error with the system's reason when that fails.
HWND createControl(Window& w, size_t index);

// Puts w's controls in their z-order, which is also the order Tab walks,
// and starts the groups the arrow keys move in. Throws std::runtime_error
// when that fails.
void stackControls(Window& w);

// Shows a changed property of the control on its window h. The caller keeps
// the notifications this sends from reaching the core as the user's.
void reflect(const Control& control, HWND h, Property property);

// An entry of the folder list: its folder mark, indented by its level, and
// its name in the given font.
void drawFolder(const DRAWITEMSTRUCT& d, HFONT font);

// The face of a picture window and of a line window, on the control's grey.
void paintPicture(HWND hwnd, HDC dc);
void paintLine(HWND hwnd, HDC dc);

}  // namespace vornak::win32
