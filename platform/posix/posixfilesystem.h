// The listings of a POSIX system: the mount points a user would call drives,
// and folders read with the directory calls. Used by the Qt build and by the
// core tests.
#pragma once

#include "app/filesystem.h"

#include <string>
#include <vector>

namespace vornak::posix {

// Mount points from a mounts table in the /proc/self/mounts format: the root
// filesystem first, then a separate /home and removable or mounted media
// under /media, /run/media and /mnt, sorted, each once.
std::vector<Drive> drivesFromMountTable(const std::string& table);

class DriveSource : public vornak::DriveSource {
public:
    std::vector<Drive> drives() override;
    // Like a DOS drive, each drive remembers a current folder: the
    // program's own when it lies on that drive, the drive's root otherwise.
    std::string currentFolderOf(const Drive& drive) override;
};

class FileSystem : public vornak::FileSystem {
public:
    explicit FileSystem(std::unique_ptr<vornak::DriveSource> drives);
    std::string currentFolder() override;

protected:
    std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) override;
    void checkFolder(const std::string& folder) override;
};

// The classic error number for an errno value: 71 no medium or an input
// error, 75 permission denied, 68 no such device, 76 anything else.
int errorNumberFor(int error);

}  // namespace vornak::posix
