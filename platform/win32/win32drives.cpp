#include "win32drives.h"

#include "app/errors.h"
#include "win32text.h"

#include <windows.h>

#include <cwctype>

namespace vornak::win32 {

namespace {

// Removable and optical drives are not touched while listing: asking a
// floppy drive for its label spins it up, and an empty one stalls.
bool labelIsCheap(UINT type)
{
    return type == DRIVE_FIXED || type == DRIVE_RAMDISK || type == DRIVE_REMOTE;
}

// The logical drives' roots as the system gives them ("C:\"), upper case.
std::vector<std::wstring> logicalRoots()
{
    std::vector<std::wstring> out;
    wchar_t buffer[512];
    const DWORD n = GetLogicalDriveStringsW(static_cast<DWORD>(std::size(buffer) - 1), buffer);
    if (n == 0 || n >= std::size(buffer))
        return out;
    for (const wchar_t* p = buffer; *p; p += wcslen(p) + 1) {
        std::wstring root(p);
        if (root.size() < 3 || root[1] != L':')
            continue;
        root[0] = static_cast<wchar_t>(std::towupper(root[0]));
        out.push_back(std::move(root));
    }
    return out;
}

}  // namespace

std::string driveText(wchar_t letter, const std::wstring& label)
{
    std::wstring text;
    text += static_cast<wchar_t>(std::towlower(letter));
    text += L':';
    if (!label.empty())
        text += L" [" + label + L"]";
    return narrow(text);
}

std::vector<Drive> DriveSource::drives()
{
    std::vector<Drive> out;
    for (const std::wstring& root : logicalRoots()) {
        std::wstring label;
        if (labelIsCheap(GetDriveTypeW(root.c_str()))) {
            wchar_t name[MAX_PATH + 1] = {};
            if (GetVolumeInformationW(root.c_str(), name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
                label = name;
        }
        out.push_back({driveText(root[0], label), narrow(root)});
    }
    return out;
}

std::vector<std::string> DriveSource::roots()
{
    std::vector<std::string> out;
    for (const std::wstring& root : logicalRoots())
        out.push_back(narrow(root));
    return out;
}

bool DriveSource::present(const Drive& drive)
{
    const UINT type = GetDriveTypeW(widen(drive.root).c_str());
    return type != DRIVE_NO_ROOT_DIR && type != DRIVE_UNKNOWN;
}

std::string DriveSource::currentFolderOf(const Drive& drive)
{
    const std::wstring root = widen(drive.root);
    const UINT type = GetDriveTypeW(root.c_str());
    if (type == DRIVE_NO_ROOT_DIR || type == DRIVE_UNKNOWN)
        throw RuntimeError(kDeviceUnavailable);
    // The volume is asked for first: an empty drive answers "not ready"
    // here, without the system's own error box (the program turns that off
    // at start-up).
    if (!GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0)) {
        const DWORD e = GetLastError();
        if (e == ERROR_NOT_READY || e == ERROR_NO_MEDIA_IN_DRIVE || e == ERROR_MEDIA_CHANGED
            || e == ERROR_UNRECOGNIZED_MEDIA)
            throw RuntimeError(kDiskNotReady);
        if (e == ERROR_PATH_NOT_FOUND || e == ERROR_INVALID_DRIVE || e == ERROR_BAD_NETPATH || e == ERROR_DEV_NOT_EXIST
            || e == ERROR_BAD_UNIT)
            throw RuntimeError(kDeviceUnavailable);
        // Other failures (access denied on a network drive, ...) are left to
        // the listing, which reports them as it reads the folder.
    }
    // "c:" alone names the drive's current folder.
    const std::wstring spec = root.substr(0, 2);
    wchar_t full[MAX_PATH * 4];
    const DWORD n = GetFullPathNameW(spec.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    if (n == 0 || n >= std::size(full))
        return drive.root;
    std::wstring path(full, n);
    if (path.size() >= 2 && path[1] == L':')
        path[0] = static_cast<wchar_t>(std::towupper(path[0]));
    return narrow(path);
}

}  // namespace vornak::win32
