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

// Call once, after the QApplication exists (and qtscreen.h's
// prepareScreen before it).
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

// The resolution the windows are laid out at and the face is drawn for:
// Qt's logical dots per inch of the screen the program runs on, the
// design's resolution (qtscreen.h). Qt enlarges the drawing by the
// device-pixel ratio.
int screenDpi();

}  // namespace vornak::qt
