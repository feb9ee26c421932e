#include "list.h"

#include "app/errors.h"

namespace vornak {

std::string ListBase::startFolder() const
{
    FileSystem& fs = fileSystem();
    try {
        return fs.currentFolder();
    } catch (const RuntimeError&) {
        const std::vector<Drive> drives = fs.drives();
        return drives.empty() ? std::string() : drives.front().root;
    }
}

}  // namespace vornak
