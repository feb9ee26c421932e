// The screen the program starts on, and how Qt draws the windows there: the
// designs and the face at the era's nearest resolution, enlarged by a whole
// number (app/screen.h).
#pragma once

namespace vornak::qt {

// Call before the QApplication exists. Works out the screen's resolution as
// the platform gives it, its logical dots per inch times Qt's scale factor,
// and has Qt draw the drawing for it: the design's resolution as Qt's
// logical dots per inch, and its factor as every window's device-pixel
// ratio, exactly. On X11 the resolution is the X resources' Xft.dpi (96
// without it); QT_FONT_DPI, where set, takes its place on any platform, as
// it does for Qt. Another platform keeps its own resolution unscaled, as
// only Qt can ask it.
void prepareScreen(int argc, char** argv);

}  // namespace vornak::qt
