// The logical drives of Windows, as the drive list shows them.
#pragma once

#include "app/filesystem.h"

namespace vornak::win32 {

// "c: [SYSTEM]" for a drive with a volume label, "a:" without one. The root
// is written the way the system writes full paths ("C:\"), so folders the
// system reports compare equal with it.
class DriveSource : public vornak::DriveSource {
public:
    std::vector<Drive> drives() override;
    // The roots alone, without asking any volume for its label.
    std::vector<std::string> roots() override;
    // The drive's current folder. Throws RuntimeError 71 when the drive is
    // not ready (no disc in it), 68 when it is gone.
    std::string currentFolderOf(const Drive& drive) override;
    // Whether the drive letter still leads somewhere, asked without listing
    // every drive's label, which would spin up removable drives.
    bool present(const Drive& drive) override;
};

// The drive list's text for a drive letter and its volume label.
std::string driveText(wchar_t letter, const std::wstring& label);

}  // namespace vornak::win32
