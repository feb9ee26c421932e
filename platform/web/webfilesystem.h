// The drives of the page: built into the program, never the visitor's
// disk. A floppy drive a: and a CD drive d: with no disk in them, and a
// hard disk c: holding a folder tree of the late 1990s, every name in it
// invented.
#pragma once

#include "app/filesystem.h"

#include <string>
#include <vector>

namespace vornak::web {

class DriveSource : public vornak::DriveSource {
public:
    std::vector<Drive> drives() override;
    // a: and d: are not ready (71); c: opens at the program's own folder.
    std::string currentFolderOf(const Drive& drive) override;
};

class FileSystem : public vornak::FileSystem {
public:
    FileSystem();
    // The folder the program was "started" in.
    std::string currentFolder() override;

protected:
    std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) override;
    void checkFolder(const std::string& folder) override;
};

// The paths of every file and folder of drive c:, folders ending in '\',
// for the tests of what the page lists.
std::vector<std::string> builtInTree();

}  // namespace vornak::web
