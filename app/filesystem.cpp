#include "filesystem.h"

#include "errors.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#ifndef _WIN32
#include <dirent.h>
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace vornak {

namespace {

fs::path toPath(const std::string& s)
{
#ifdef _WIN32
    return fs::path(std::u8string(s.begin(), s.end()));
#else
    return fs::path(s);
#endif
}

std::string fromPath(const fs::path& p)
{
#ifdef _WIN32
    const std::u8string u = p.u8string();
    return std::string(u.begin(), u.end());
#else
    return p.native();
#endif
}

int errorNumberFor(const std::error_code& ec)
{
#ifdef ENOMEDIUM
    if (ec.category() == std::generic_category() || ec.category() == std::system_category()) {
        if (ec.value() == ENOMEDIUM)
            return kDiskNotReady;
    }
#endif
    if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted)
        return kPathFileAccessError;
    if (ec == std::errc::no_such_device || ec == std::errc::no_such_device_or_address)
        return kDeviceUnavailable;
    if (ec == std::errc::io_error)
        return kDiskNotReady;
    return kPathNotFound;
}

// A path with its trailing separators removed, except on a root.
fs::path tidy(fs::path p)
{
    p = p.lexically_normal();
    std::string s = fromPath(p);
    while (s.size() > 1 && (s.back() == '/' || s.back() == '\\')) {
        const fs::path stripped = toPath(s.substr(0, s.size() - 1));
        if (stripped == stripped.root_name() || stripped.empty())
            break;  // "c:\" stays a root
        s.pop_back();
    }
    return toPath(s);
}

std::string decodeMountField(const std::string& field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string oct = field.substr(i + 1, 3);
            if (oct.size() == 3 && std::all_of(oct.begin(), oct.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>(std::stoi(oct, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isUnder(const std::string& path, const std::string& root)
{
    if (root == "/")
        return !path.empty() && path[0] == '/';
    if (path.size() < root.size())
        return false;
#ifdef _WIN32
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    const std::string p = lower(path), r = lower(root);
#else
    const std::string& p = path;
    const std::string& r = root;
#endif
    if (p.compare(0, r.size(), r) != 0)
        return false;
    const char last = r.back();
    return p.size() == r.size() || last == '/' || last == '\\' || p[r.size()] == '/' || p[r.size()] == '\\';
}

unsigned char foldCase(unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c; }

bool wildcard(const char* n, const char* p)
{
    // Iterative match with backtracking to the last '*'.
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*n) {
        if (*p == '?' || (*p != '*' && *p && foldCase(*p) == foldCase(*n))) {
            ++n;
            ++p;
        } else if (*p == '*') {
            star = p++;
            resume = n;
        } else if (star) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return *p == '\0';
}

}  // namespace

std::vector<Drive> drivesFromMountTable(const std::string& table)
{
    std::set<std::string> points;
    std::istringstream in(table);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint;
        if (!(fields >> device >> mountPoint))
            continue;
        mountPoint = decodeMountField(mountPoint);
        auto under = [&](const char* prefix) {
            const std::string pre(prefix);
            return mountPoint.size() > pre.size() && mountPoint.compare(0, pre.size(), pre) == 0;
        };
        if (mountPoint == "/home" || mountPoint == "/mnt" || under("/media/") || under("/run/media/") || under("/mnt/"))
            points.insert(mountPoint);
    }
    std::vector<Drive> drives{{"/", "/"}};
    for (const std::string& p : points)
        drives.push_back({p, p});
    return drives;
}

std::vector<Drive> PosixDriveSource::drives()
{
    std::ifstream in("/proc/self/mounts");
    std::stringstream table;
    table << in.rdbuf();
    return drivesFromMountTable(table.str());
}

std::string PosixDriveSource::currentFolderOf(const Drive& drive)
{
    // Like a DOS drive, each drive remembers a current folder: the program's
    // own when it lies on that drive, the drive's root otherwise. The root
    // is the longest match, so /home/x belongs to "/home", not to "/".
    std::error_code ec;
    const std::string cwd = fromPath(fs::current_path(ec));
    if (!ec && isUnder(cwd, drive.root)) {
        std::string best = "/";
        for (const Drive& d : drives())
            if (isUnder(cwd, d.root) && d.root.size() > best.size())
                best = d.root;
        if (best == drive.root)
            return cwd;
    }
    return drive.root;
}

bool DriveSource::present(const Drive& drive)
{
    for (const Drive& d : drives())
        if (d.root == drive.root)
            return true;
    return false;
}

FileSystem::FileSystem(std::unique_ptr<DriveSource> drives) : drives_(std::move(drives)) {}

std::vector<Drive> FileSystem::drives()
{
    std::vector<Drive> now = drives_->drives();
    for (const Drive& d : now) {
        const bool seen = std::any_of(known_.begin(), known_.end(),
                                      [&](const Drive& k) { return k.text == d.text && k.root == d.root; });
        if (!seen)
            known_.push_back(d);
    }
    return now;
}

Drive FileSystem::driveOf(const std::string& folder)
{
    const std::vector<Drive> all = drives();
    const Drive* best = nullptr;
    for (const Drive& d : all)
        if (isUnder(folder, d.root) && (!best || d.root.size() > best->root.size()))
            best = &d;
    if (best)
        return *best;
    if (!all.empty())
        return all.front();
    return {fromPath(toPath(folder).root_path()), fromPath(toPath(folder).root_path())};
}

std::string FileSystem::currentFolder()
{
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec)
        throw RuntimeError(errorNumberFor(ec));
    return fromPath(tidy(cwd));
}

std::optional<Drive> FileSystem::driveNamed(const std::string& text)
{
    drives();
    for (const Drive& d : known_)
        if (d.text == text)
            return d;
    return std::nullopt;
}

std::string FileSystem::driveFolder(const Drive& drive)
{
    // A volume unmounted or a drive removed while the program runs: its
    // mount point, if any is left, is not the drive.
    if (!drives_->present(drive))
        throw RuntimeError(kDeviceUnavailable);
    return fromPath(tidy(toPath(drives_->currentFolderOf(drive))));
}

void FileSystem::checkDriveAt(const std::string& root)
{
    for (const Drive& d : known_)
        if (fromPath(tidy(toPath(d.root))) == root && !drives_->present(d))
            throw RuntimeError(kDeviceUnavailable);
}

std::string FileSystem::folderPath(const std::string& path)
{
    if (path.empty())
        throw RuntimeError(kPathNotFound);
    std::error_code ec;
    fs::path p = fs::absolute(toPath(path), ec);
    if (ec)
        throw RuntimeError(errorNumberFor(ec));
    p = tidy(p);
    checkFolder(fromPath(p));
    return fromPath(p);
}

std::string FileSystem::resolveFolder(const std::string& text)
{
    if (const std::optional<Drive> d = driveNamed(text))
        return driveFolder(*d);
    return folderPath(text);
}

void FileSystem::checkFolder(const std::string& folder)
{
    std::error_code ec;
    const fs::file_status st = fs::status(toPath(folder), ec);
    if (ec)
        throw RuntimeError(errorNumberFor(ec));
    if (!fs::is_directory(st))
        throw RuntimeError(kPathNotFound);
}

#ifdef _WIN32
std::vector<std::string> FileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(toPath(folder), ec);
    if (ec)
        throw RuntimeError(errorNumberFor(ec));
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        std::string name = fromPath(it->path().filename());
        if (name.empty() || name[0] == '.' || (!dirs && !matchesPattern(name, pattern)))
            continue;
        std::error_code typeError;
        // Follows symbolic links; a dangling link or a link loop is neither.
        const bool wanted = dirs ? it->is_directory(typeError) : it->is_regular_file(typeError);
        if (wanted && !typeError)
            names.push_back(std::move(name));
    }
    if (ec)
        throw RuntimeError(errorNumberFor(ec));
    return names;
}
#else
// The directory's own entry types spare a stat() for all but links and
// entries of unknown type; the name is matched before anything else, since
// a big folder holds far more names than the list shows.
std::vector<std::string> FileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        throw RuntimeError(errorNumberFor(std::error_code(errno, std::generic_category())));
    const int dirFd = ::dirfd(d);
    std::vector<std::string> names;
    int readError = 0;
    for (;;) {
        errno = 0;
        const dirent* e = ::readdir(d);
        if (!e) {
            readError = errno;
            break;
        }
        const char* name = e->d_name;
        if (name[0] == '.' || (!dirs && !matchesPattern(name, pattern)))
            continue;
        unsigned char type = e->d_type;
        if (type == DT_LNK || type == DT_UNKNOWN) {
            // Follows symbolic links; a dangling link or a link loop is neither.
            struct stat st {};
            if (::fstatat(dirFd, name, &st, 0) != 0)
                continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == (dirs ? DT_DIR : DT_REG))
            names.emplace_back(name);
    }
    ::closedir(d);
    if (readError)
        throw RuntimeError(errorNumberFor(std::error_code(readError, std::generic_category())));
    return names;
}
#endif

std::vector<FolderEntry> FileSystem::ancestry(const std::string& folder)
{
    std::string root = fromPath(tidy(toPath(driveOf(folder).root)));
    if (!isUnder(folder, root))
        root = fromPath(toPath(folder).root_path());

    std::vector<FolderEntry> list;
    list.push_back({root, root, 0, true});
    // The levels below the root, taken from the text itself: drive letters
    // may differ in case between the two, which path comparison would not
    // forgive.
    fs::path walked = toPath(root);
    for (const fs::path& part : toPath(folder.substr(std::min(root.size(), folder.size()))).relative_path()) {
        if (part.empty())
            continue;
        walked /= part;
        list.push_back({fromPath(part), fromPath(walked), static_cast<int>(list.size()), true});
    }
    return list;
}

std::vector<FolderEntry> FileSystem::folderList(const std::string& folder)
{
    std::vector<std::string> subfolders = entries(folder, true, {});
    std::sort(subfolders.begin(), subfolders.end(), lessNoCase);

    std::vector<FolderEntry> list = ancestry(folder);
    const fs::path open = toPath(folder);
    const int level = static_cast<int>(list.size());
    for (std::string& name : subfolders) {
        const std::string path = fromPath(open / toPath(name));
        list.push_back({std::move(name), path, level, false});
    }
    return list;
}

std::vector<std::string> FileSystem::fileList(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names = entries(folder, false, pattern);
    std::sort(names.begin(), names.end(), lessNoCase);
    return names;
}

bool matchesPattern(const std::string& name, const std::string& pattern)
{
    size_t start = 0;
    while (start <= pattern.size()) {
        const size_t end = std::min(pattern.find(';', start), pattern.size());
        const std::string one = pattern.substr(start, end - start);
        if (!one.empty() && wildcard(name.c_str(), one.c_str()))
            return true;
        start = end + 1;
    }
    return false;
}

bool lessNoCase(const std::string& a, const std::string& b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = foldCase(static_cast<unsigned char>(a[i]));
        const unsigned char y = foldCase(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

}  // namespace vornak
