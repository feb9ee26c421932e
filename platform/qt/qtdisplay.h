// The display the program starts on: that it answers, and one line with
// status 1 instead of an abort when no platform can start.
#pragma once

#include <string>

namespace vornak::qt {

// The platform Qt is about to start on ("xcb", "offscreen"): the one the
// user forces with -platform or QT_QPA_PLATFORM, X11 otherwise.
std::string platformName(int argc, char** argv);

// Whether the display the program is about to open answers. When it does
// not, prints one line naming it and what to do, and returns false. A
// platform the user forces other than X11 is left to Qt.
bool displayAnswers(int argc, char** argv);

// The resolution the X display's resources give its default screen, as Qt
// reads it: Xft.dpi, 96 without it. Read by displayAnswers as it tries the
// display, or else asked now.
double displayDpi();

// Around the QApplication's construction: Qt's warnings wait, and a fatal
// error (no platform could start) ends the program with one line and
// status 1 instead of an abort. The warnings are passed on afterwards.
void holdStartupMessages();
void releaseStartupMessages();

}  // namespace vornak::qt
