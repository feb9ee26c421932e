// The classic look for the whole program: Qt's "Windows" style, the
// button-face grey palette and the 8-point dialog font.
#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

namespace vornak::qt {

// Call once, after the QApplication exists.
void setupApplication();

QFont dialogFont();

// A design colour (0x00BBGGRR, or a system colour 0x800000nn) as the
// classic Windows colour scheme shows it.
QColor designColour(uint32_t colour);

// Dots per inch of the screen the program runs on.
int screenDpi();

}  // namespace vornak::qt
