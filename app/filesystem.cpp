#include "filesystem.h"

#include "errors.h"

#include <algorithm>

namespace vornak {

namespace {

unsigned char foldCase(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

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

// Which of these drive roots holds a folder: the longest that does.
std::optional<size_t> holdingRoot(const std::string& folder, const std::vector<std::string>& roots, PathStyle style)
{
    std::optional<size_t> best;
    size_t bestSize = 0;
    for (size_t i = 0; i < roots.size(); ++i) {
        const std::string root = normalPath(roots[i], style);
        if (pathIsUnder(folder, root, style) && (!best || root.size() > bestSize)) {
            best = i;
            bestSize = root.size();
        }
    }
    return best;
}

}  // namespace

std::vector<std::string> DriveSource::roots()
{
    std::vector<std::string> out;
    for (Drive& d : drives())
        out.push_back(std::move(d.root));
    return out;
}

bool DriveSource::present(const Drive& drive)
{
    const std::vector<std::string> now = roots();
    return std::find(now.begin(), now.end(), drive.root) != now.end();
}

FileSystem::FileSystem(std::unique_ptr<DriveSource> drives, PathStyle style) : drives_(std::move(drives)), style_(style)
{
}

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

std::optional<Drive> FileSystem::driveOf(const std::string& folder)
{
    const std::vector<Drive> all = drives();
    std::vector<std::string> roots;
    roots.reserve(all.size());
    for (const Drive& d : all)
        roots.push_back(d.root);
    if (const std::optional<size_t> i = holdingRoot(folder, roots, style_))
        return all[*i];
    return std::nullopt;
}

std::string FileSystem::driveRootOf(const std::string& folder)
{
    const std::vector<std::string> roots = drives_->roots();
    if (const std::optional<size_t> i = holdingRoot(folder, roots, style_))
        return normalPath(roots[*i], style_);
    return pathRoot(folder, style_);
}

FileSystem::StartFolder FileSystem::startFolder()
{
    int error = kPathNotFound;
    try {
        std::string folder = currentFolder();
        if (!pathRoot(folder, style_).empty())
            return {std::move(folder), 0};
    } catch (const RuntimeError& e) {
        error = e.number();
    }
    const std::vector<Drive> all = drives();
    return {all.empty() ? std::string() : all.front().root, error};
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
    return absolute(drives_->currentFolderOf(drive));
}

void FileSystem::checkDriveAt(const std::string& root)
{
    for (const Drive& d : known_)
        if (normalPath(d.root, style_) == root && !drives_->present(d))
            throw RuntimeError(kDeviceUnavailable);
}

std::string FileSystem::folderPath(const std::string& path)
{
    if (path.empty())
        throw RuntimeError(kPathNotFound);
    std::string folder = absolute(path);
    checkFolder(folder);
    return folder;
}

std::string FileSystem::absolute(const std::string& path)
{
    if (pathRoot(path, style_).empty())
        return normalPath(joinPath(currentFolder(), path, style_), style_);
    return normalPath(path, style_);
}

std::string FileSystem::resolveFolder(const std::string& text)
{
    if (const std::optional<Drive> d = driveNamed(text))
        return driveFolder(*d);
    return folderPath(text);
}

std::vector<FolderEntry> FileSystem::ancestry(const std::string& folder)
{
    const std::string root = driveRootOf(folder);

    std::vector<FolderEntry> list;
    list.push_back({root, root, 0, true});
    // The levels below the root, taken from the text itself: drive letters
    // may differ in case between the two.
    std::string walked = root;
    for (std::string& part : pathParts(std::string_view(folder).substr(std::min(root.size(), folder.size())), style_)) {
        walked = joinPath(walked, part, style_);
        list.push_back({std::move(part), walked, static_cast<int>(list.size()), true});
    }
    return list;
}

std::vector<FolderEntry> FileSystem::folderList(const std::string& folder)
{
    std::vector<std::string> subfolders = entries(folder, true, {});
    std::sort(subfolders.begin(), subfolders.end(), lessNoCase);

    std::vector<FolderEntry> list = ancestry(folder);
    const int level = static_cast<int>(list.size());
    for (std::string& name : subfolders) {
        std::string path = joinPath(folder, name, style_);
        list.push_back({std::move(name), std::move(path), level, false});
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
