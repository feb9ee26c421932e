#include "posixfilesystem.h"

#include "app/errors.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornak::posix {

namespace {

// "\040" and the like, as the mounts table writes a space in a name.
std::string decodeMountField(std::string_view field)
{
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size()
                        && std::all_of(field.begin() + static_cast<long>(i) + 1,
                                       field.begin() + static_cast<long>(i) + 4,
                                       [](char c) { return c >= '0' && c <= '7'; });
        if (octal) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// The second field of a line of the mounts table, empty if it has none.
std::string_view mountPointOf(std::string_view line)
{
    auto skipSpace = [&](size_t i) { return std::min(line.find_first_not_of(" \t", i), line.size()); };
    auto skipField = [&](size_t i) { return std::min(line.find_first_of(" \t", i), line.size()); };
    const size_t start = skipSpace(skipField(skipSpace(0)));
    return line.substr(start, skipField(start) - start);
}

bool aUsersDrive(const std::string& point)
{
    auto under = [&](std::string_view prefix) {
        return point.size() > prefix.size() && point.compare(0, prefix.size(), prefix) == 0;
    };
    return point == "/home" || point == "/mnt" || under("/media/") || under("/run/media/") || under("/mnt/");
}

std::string readWhole(const char* path)
{
    std::string text;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(n));
    ::close(fd);
    return text;
}

}  // namespace

int errorNumberFor(int error)
{
    switch (error) {
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
    case EIO: return kDiskNotReady;
    case EACCES:
    case EPERM: return kPathFileAccessError;
    case ENODEV:
    case ENXIO: return kDeviceUnavailable;
    default: return kPathNotFound;
    }
}

std::vector<Drive> drivesFromMountTable(const std::string& table)
{
    std::vector<std::string> points;
    for (size_t start = 0; start < table.size();) {
        const size_t end = std::min(table.find('\n', start), table.size());
        const std::string point = decodeMountField(mountPointOf(std::string_view(table).substr(start, end - start)));
        if (aUsersDrive(point) && std::find(points.begin(), points.end(), point) == points.end())
            points.push_back(point);
        start = end + 1;
    }
    std::sort(points.begin(), points.end());
    std::vector<Drive> drives{{"/", "/"}};
    for (const std::string& p : points)
        drives.push_back({p, p});
    return drives;
}

std::vector<Drive> DriveSource::drives()
{
    return drivesFromMountTable(readWhole("/proc/self/mounts"));
}

std::string DriveSource::currentFolderOf(const Drive& drive)
{
    // The root is the longest match, so /home/x belongs to "/home", not to "/".
    char buffer[PATH_MAX];
    if (!::getcwd(buffer, sizeof buffer))
        return drive.root;
    const std::string cwd = buffer;
    if (!pathIsUnder(cwd, drive.root, PathStyle::Posix))
        return drive.root;
    std::string best = "/";
    for (const Drive& d : drives())
        if (pathIsUnder(cwd, d.root, PathStyle::Posix) && d.root.size() > best.size())
            best = d.root;
    return best == drive.root ? cwd : drive.root;
}

FileSystem::FileSystem(std::unique_ptr<vornak::DriveSource> drives)
    : vornak::FileSystem(std::move(drives), PathStyle::Posix)
{
}

std::string FileSystem::currentFolder()
{
    // getcwd fails on a path longer than PATH_MAX: the system's own answer
    // then, of whatever length.
    std::string buffer(PATH_MAX, '\0');
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            throw RuntimeError(errorNumberFor(errno));
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return normalPath(buffer, PathStyle::Posix);
}

void FileSystem::checkFolder(const std::string& folder)
{
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        throw RuntimeError(errorNumberFor(errno));
    if (!S_ISDIR(st.st_mode))
        throw RuntimeError(kPathNotFound);
}

// The directory's own entry types spare a stat() for all but links and
// entries of unknown type; the name is matched before anything else, since
// a big folder holds far more names than the list shows.
std::vector<std::string> FileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        throw RuntimeError(errorNumberFor(errno));
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
        throw RuntimeError(errorNumberFor(readError));
    return names;
}

}  // namespace vornak::posix
