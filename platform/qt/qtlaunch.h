// What the program settles before Qt starts: that neither Qt nor the
// libraries under it start another program or write a file on its behalf,
// and that there is a display to start on.
#pragma once

namespace vornak::qt {

// Closes the roads by which Qt and the libraries it loads would start a
// program or create or write a file, whatever the environment: the session
// bus's autolaunch, the runtime folder, desktop themes, input methods,
// session management and fontconfig's caches. Call before the
// QApplication exists.
void closeRoads();

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
