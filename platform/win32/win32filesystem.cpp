#include "win32filesystem.h"

#include "app/errors.h"
#include "win32text.h"

#include <algorithm>

namespace vornak::win32 {

namespace {

// An absolute path with the extended-length prefix, which lets the system's
// calls take paths past the old limit of 260 characters. Relative paths
// cannot carry it and stay as they are.
std::wstring extendedPath(const std::string& path)
{
    std::wstring p = widen(path);
    std::replace(p.begin(), p.end(), L'/', L'\\');
    if (p.rfind(L"\\\\?\\", 0) == 0)
        return p;
    if (p.size() >= 3 && p[1] == L':' && p[2] == L'\\')
        return L"\\\\?\\" + p;
    if (p.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + p.substr(2);
    return p;
}

// "A device which does not exist was specified", which the SDK headers of
// the cross-compiler do not name.
constexpr DWORD kNoSuchDevice = 433;

int errorNumberForSystem(DWORD e)
{
    switch (e) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return kPathFileAccessError;
    case ERROR_NOT_READY:
    case ERROR_NO_MEDIA_IN_DRIVE:
    case ERROR_MEDIA_CHANGED:
    case ERROR_UNRECOGNIZED_MEDIA:
    case ERROR_CRC:
    case ERROR_SECTOR_NOT_FOUND:
    case ERROR_READ_FAULT: return kDiskNotReady;
    case ERROR_BAD_UNIT:
    case ERROR_INVALID_DRIVE:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_BAD_NETPATH:
    case ERROR_NETNAME_DELETED:
    case ERROR_BAD_NET_NAME:
    case kNoSuchDevice: return kDeviceUnavailable;
    default: return kPathNotFound;
    }
}

// The attributes of what a link leads to; false when it leads nowhere.
// GetLastError says why. The handle asks for no access at all, so nothing
// of the file is read, only what the directory says of it.
bool attributesOf(const std::wstring& path, DWORD& attributes)
{
    HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info) != 0;
    const DWORD e = GetLastError();
    CloseHandle(h);
    SetLastError(e);
    attributes = info.dwFileAttributes;
    return ok;
}

}  // namespace

FileSystem::FileSystem(std::unique_ptr<vornak::DriveSource> drives)
    : vornak::FileSystem(std::move(drives), PathStyle::Dos)
{
}

std::string FileSystem::currentFolder()
{
    const DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(n, L'\0');
    const DWORD got = n ? GetCurrentDirectoryW(n, folder.data()) : 0;
    if (got == 0 || got >= n)
        throw RuntimeError(errorNumberForSystem(GetLastError()));
    folder.resize(got);
    return normalPath(narrow(folder), PathStyle::Dos);
}

std::string FileSystem::absolute(const std::string& path)
{
    if (!pathRoot(path, PathStyle::Dos).empty())
        return normalPath(path, PathStyle::Dos);
    const std::wstring p = widen(path);
    const DWORD n = GetFullPathNameW(p.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    const DWORD got = n ? GetFullPathNameW(p.c_str(), n, full.data(), nullptr) : 0;
    if (got == 0 || got >= n)
        throw RuntimeError(errorNumberForSystem(GetLastError()));
    full.resize(got);
    return normalPath(narrow(full), PathStyle::Dos);
}

void FileSystem::checkFolder(const std::string& folder)
{
    // Not the C runtime's stat, which stops at 260 characters.
    const DWORD attributes = GetFileAttributesW(extendedPath(folder).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        throw RuntimeError(errorNumberForSystem(GetLastError()));
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw RuntimeError(kPathNotFound);
}

// The system's own search, with the extended-length prefix: the C runtime's
// directory functions behind std::filesystem cannot open a folder past 260
// characters, and fail on the root of an empty drive, which has no "." entry
// to find.
std::vector<std::string> FileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    std::vector<std::string> names;
    std::wstring base = extendedPath(folder);
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    WIN32_FIND_DATAW found{};
    // FindExInfoStandard: the short names are not wanted, but the basic
    // level is unknown before Windows 7.
    HANDLE search = FindFirstFileExW((base + L"*").c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr,
                                     0);
    if (search == INVALID_HANDLE_VALUE) {
        DWORD e = GetLastError();
        if (e == ERROR_FILE_NOT_FOUND || e == ERROR_NO_MORE_FILES) {
            // Nothing at all: an empty root, when it is a folder.
            const DWORD attributes = GetFileAttributesW(base.c_str());
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                return names;
            e = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_PATH_NOT_FOUND;
        }
        throw RuntimeError(errorNumberForSystem(e));
    }
    do {
        std::string name = narrow(found.cFileName);
        if (name.empty() || name[0] == '.' || (!dirs && !matchesPattern(name, pattern)))
            continue;
        DWORD attributes = found.dwFileAttributes;
        // Follows links; a dangling link or a link loop is neither.
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !attributesOf(base + found.cFileName, attributes))
            continue;
        const bool isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (dirs ? isFolder : !isFolder && !(attributes & FILE_ATTRIBUTE_DEVICE))
            names.push_back(std::move(name));
    } while (FindNextFileW(search, &found));
    const DWORD readError = GetLastError();
    FindClose(search);
    if (readError != ERROR_NO_MORE_FILES)
        throw RuntimeError(errorNumberForSystem(readError));
    return names;
}

}  // namespace vornak::win32
