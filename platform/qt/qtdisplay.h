// The display the program starts on: that it answers, and one line with
// status 1 instead of an abort when no platform can start.
#pragma once

namespace vornak::qt {

// Whether the display the program is about to open answers. When it does
// not, prints one line naming it and what to do, and returns false. A
// platform the user forces other than X11 is left to Qt.
bool displayAnswers(int argc, char** argv);

// Around the QApplication's construction: Qt's warnings wait, and a fatal
// error (no platform could start) ends the program with one line and
// status 1 instead of an abort. The warnings are passed on afterwards.
void holdStartupMessages();
void releaseStartupMessages();

}  // namespace vornak::qt
