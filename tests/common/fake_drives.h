// Drives that are folders of a test's own: any of them can be made not
// ready, and any can remember a current folder other than its root.
#pragma once

#include "app/errors.h"
#include "app/filesystem.h"

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace vornak::test {

class FakeDrives : public DriveSource {
public:
    std::vector<Drive> list;
    std::vector<std::string> notReady;           // roots
    std::map<std::string, std::string> current;  // root -> current folder
    int listed = 0;                              // how often the drives were listed with their texts

    std::vector<Drive> drives() override
    {
        ++listed;
        return list;
    }
    std::vector<std::string> roots() override
    {
        std::vector<std::string> out;
        for (const Drive& d : list)
            out.push_back(d.root);
        return out;
    }
    std::string currentFolderOf(const Drive& drive) override
    {
        if (std::find(notReady.begin(), notReady.end(), drive.root) != notReady.end())
            throw RuntimeError(kDiskNotReady);
        const auto it = current.find(drive.root);
        return it == current.end() ? drive.root : it->second;
    }
};

}  // namespace vornak::test
