// The folder listings of Windows through the system's own calls, which take
// paths past the old limit of 260 characters.
#pragma once

#include "app/filesystem.h"

namespace vornak::win32 {

class FileSystem : public vornak::FileSystem {
public:
    explicit FileSystem(std::unique_ptr<vornak::DriveSource> drives);
    std::string currentFolder() override;

protected:
    // A relative path as the system reads it ("c:" is drive C's current
    // folder).
    std::string absolute(const std::string& path) override;
    std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) override;
    void checkFolder(const std::string& folder) override;
};

}  // namespace vornak::win32
