#include "webfilesystem.h"

#include "app/errors.h"

#include <algorithm>
#include <memory>

namespace vornak::web {

namespace {

// Drive c:, one path a line; a folder ends in '\'. The folders each file
// lies in are folders too.
constexpr const char* kTree[] = {
    "AUTOEXEC.BAT",
    "CONFIG.SYS",
    "COMMAND.COM",
    "VORNAK1\\VORNAK1.EXE",
    "VORNAK1\\LEEME.TXT",
    "GAMES\\ASTRORUN\\ASTRORUN.EXE",
    "GAMES\\ASTRORUN\\SETUP.EXE",
    "GAMES\\ASTRORUN\\LEVELS.DAT",
    "GAMES\\KARTZONE\\KARTZONE.EXE",
    "GAMES\\KARTZONE\\INSTALL.EXE",
    "GAMES\\KARTZONE\\TRACKS\\",
    "GAMES\\PINBALL7\\PINBALL7.EXE",
    "GAMES\\ROBOBRWL\\ROBOBRWL.EXE",
    "GAMES\\ROBOBRWL\\RBSETUP.EXE",
    "GAMES\\ROBOBRWL\\SAVES\\",
    "GAMES\\SKYPILOT\\SKYPILOT.EXE",
    "GAMES\\SKYPILOT\\CONFIG.EXE",
    "GAMES\\SKYPILOT\\MISSIONS\\DESERT.MIS",
    "GAMES\\DUNGEONX\\DUNGEONX.EXE",
    "GAMES\\DUNGEONX\\README.TXT",
    "Program Files\\PixelPad\\PIXELPAD.EXE",
    "Program Files\\PixelPad\\BRUSHES\\",
    "Program Files\\Tune Mixer\\TUNEMIX.EXE",
    "Program Files\\Voxel Studio\\VOXEL.EXE",
    "Program Files\\Voxel Studio\\VXDEMO.EXE",
    "Program Files\\Voxel Studio\\SAMPLES\\",
    "UTILS\\DISKSORT.EXE",
    "UTILS\\CLEANUP.EXE",
    "UTILS\\HEXVIEW.EXE",
    "UTILS\\UNPACK.EXE",
    "DRIVERS\\VIDEO\\VGASETUP.EXE",
    "DRIVERS\\VIDEO\\OEMVID.INF",
    "DRIVERS\\SOUND\\SNDCFG.EXE",
    "DRIVERS\\CDROM\\CDINIT.EXE",
    "TEMP\\",
};

constexpr char kStartFolder[] = "C:\\VORNAK1";
constexpr char kRoot[] = "C:\\";

bool sameNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
               return fold(x) == fold(y);
           });
}

// The path of a folder below the root of c:, as the tree writes it
// ("GAMES\KARTZONE"), or none when the path is not on c:.
bool belowRoot(const std::string& folder, std::string& below)
{
    if (folder.size() < 3 || !sameNoCase(folder.substr(0, 3), kRoot))
        return false;
    below = normalPath(folder, PathStyle::Dos).substr(3);
    return true;
}

// Whether one path of the tree lies inside a folder (empty: the root), and
// the name of the entry there with whether it is a folder.
bool entryIn(std::string_view path, std::string_view folder, std::string& name, bool& isFolder)
{
    if (!folder.empty()) {
        if (path.size() <= folder.size() || !sameNoCase(path.substr(0, folder.size()), folder)
            || path[folder.size()] != '\\')
            return false;
        path.remove_prefix(folder.size() + 1);
    }
    const size_t slash = path.find('\\');
    isFolder = slash != std::string_view::npos;
    name = std::string(path.substr(0, slash));
    return !name.empty();
}

// Whether a path below the root of c: is a folder of the tree.
bool isFolder(const std::string& below)
{
    if (below.empty())
        return true;
    return std::any_of(std::begin(kTree), std::end(kTree), [&](std::string_view p) {
        return p.size() > below.size() && sameNoCase(p.substr(0, below.size()), below) && p[below.size()] == '\\';
    });
}

}  // namespace

std::vector<Drive> DriveSource::drives()
{
    return {{"a:", "A:\\"}, {"c: [HARDDISK]", kRoot}, {"d:", "D:\\"}};
}

std::string DriveSource::currentFolderOf(const Drive& drive)
{
    if (drive.root != kRoot)
        throw RuntimeError(kDiskNotReady);
    return kStartFolder;
}

FileSystem::FileSystem() : vornak::FileSystem(std::make_unique<DriveSource>(), PathStyle::Dos) {}

std::string FileSystem::currentFolder()
{
    return kStartFolder;
}

void FileSystem::checkFolder(const std::string& folder)
{
    std::string below;
    if (belowRoot(folder, below)) {
        if (!isFolder(below))
            throw RuntimeError(kPathNotFound);
        return;
    }
    // The floppy and CD drives have no disk in them.
    const std::string root = pathRoot(folder, PathStyle::Dos);
    throw RuntimeError(sameNoCase(root, "A:\\") || sameNoCase(root, "D:\\") ? kDiskNotReady : kPathNotFound);
}

std::vector<std::string> FileSystem::entries(const std::string& folder, bool dirs, const std::string& pattern)
{
    checkFolder(folder);
    std::string below;
    belowRoot(folder, below);
    std::vector<std::string> names;
    for (const char* path : kTree) {
        std::string name;
        bool folderEntry = false;
        if (!entryIn(path, below, name, folderEntry) || folderEntry != dirs
            || (!dirs && !matchesPattern(name, pattern)))
            continue;
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> builtInTree()
{
    return {std::begin(kTree), std::end(kTree)};
}

}  // namespace vornak::web
