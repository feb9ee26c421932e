// The folder listings through the system's own calls: the C runtime's
// functions behind the portable listing stop at paths of 260 characters.
#pragma once

#include "app/filesystem.h"

namespace vornak::win32 {

class FileSystem : public vornak::FileSystem {
public:
    using vornak::FileSystem::FileSystem;

protected:
    std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) override;
    void checkFolder(const std::string& folder) override;
};

}  // namespace vornak::win32
