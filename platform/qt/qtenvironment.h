// What the program settles before Qt starts: that neither Qt nor the
// libraries under it start another program or write a file on its behalf.
#pragma once

namespace vornak::qt {

// Closes the ways by which Qt and the libraries it loads would start a
// program or create or write a file, whatever the environment: the session
// bus's autolaunch, the runtime folder, desktop themes, input methods,
// session management and fontconfig's caches. Call before the
// QApplication exists.
void hardenEnvironment();

// Whether no runtime folder of the user's own was found, so that Qt says it
// makes one where nothing can be made (expected, and not passed on).
bool runtimeFolderMissing();

}  // namespace vornak::qt
