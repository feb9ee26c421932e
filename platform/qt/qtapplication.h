// The classic look for the whole program: Qt's "Windows" style, the
// button-face grey palette and the 8-point dialog font.
#pragma once

#include "app/design.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>

#include <cstdint>
#include <span>

namespace vornak::qt {

// Call before the QApplication exists: Qt scales nothing, for the program
// sizes its windows in the screen's own pixels, at the screen's resolution
// (app/layout.h), so that a client area is round(twips x dpi / 1440) pixels
// exactly at any resolution.
void useScreenPixels();

// Call once, after the QApplication exists.
void setupApplication();

QFont dialogFont();

// A design colour (0x00BBGGRR, or a system colour 0x800000nn) as the
// classic Windows colour scheme shows it; typeDefault where the design
// gives none.
QColor designColour(uint32_t colour, uint32_t typeDefault = 0x80000008u);

// A picture carried as a PNG file; null when it cannot be read.
QPixmap pngPixmap(std::span<const unsigned char> png);

// A window's icon, its 16- and 32-pixel images.
QIcon windowIcon(Icon icon);

// Dots per inch of the screen the program runs on.
int screenDpi();

}  // namespace vornak::qt
