// The listings behind the drive, folder and file lists. Reads directory
// entries only: no listed file is ever opened. The platform lists (see
// platform/posix, platform/win32, platform/web); what the lists make of the
// listings is here.
// Paths are UTF-8 on Windows and the native bytes on POSIX systems.
#pragma once

#include "paths.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vornak {

struct Drive {
    std::string text;  // as the drive list shows it: "c: [SYSTEM]", "/home"
    std::string root;  // "c:\", "/home"
};

// Where the drives come from: the platform's logical drives on Windows,
// the mount points a user would call drives on POSIX systems, a built-in
// set in the browser.
class DriveSource {
public:
    virtual ~DriveSource() = default;
    virtual std::vector<Drive> drives() = 0;
    // The drives' roots alone. Asked on every folder opened, so a source
    // whose texts cost something to make (a volume label read from the
    // disk, or from a server that may not answer) leaves them out; by
    // default, the roots of drives().
    virtual std::vector<std::string> roots();
    // The folder that a drive opens at. Throws RuntimeError when the drive
    // cannot be used (not ready, gone).
    virtual std::string currentFolderOf(const Drive& drive) = 0;
    // Whether a drive listed earlier is still there: by default, whether the
    // roots there are now hold its root.
    virtual bool present(const Drive& drive);
};

// One level of the folder list: the open folder's ancestry from the drive's
// root, then its subfolders.
struct FolderEntry {
    std::string name;   // what the list shows
    std::string path;   // the folder it opens
    int level = 0;      // indentation
    bool open = false;  // an ancestor (or the folder itself), not a subfolder
};

class FileSystem {
public:
    FileSystem(std::unique_ptr<DriveSource> drives, PathStyle style);
    virtual ~FileSystem() = default;

    PathStyle style() const { return style_; }

    // The drives there are now. Every drive listed is remembered, so that a
    // drive that goes away later is still known by its text.
    std::vector<Drive> drives();
    // The drive that holds a folder: the one whose root is the longest
    // prefix of it. None for a folder on no drive (a network share on
    // Windows, \\server\share\...).
    std::optional<Drive> driveOf(const std::string& folder);
    // The root of the drive that holds a folder, by the same rule, but
    // without the drives' texts; the folder's own root when none matches.
    std::string driveRootOf(const std::string& folder);
    // The program's current folder, absolute and normal. Throws
    // RuntimeError when it is gone.
    virtual std::string currentFolder() = 0;

    // Where the lists open when their window is loaded.
    struct StartFolder {
        std::string folder;
        int error = 0;  // why that is not the program's current folder; 0 when it is
    };
    // The program's current folder; the first drive's root when that
    // cannot be used: gone (the error the system reports), or given without
    // a root, as Wine gives a folder that lies outside every drive
    // ("unix\tmp\games", 76 Path not found), which no list can show the
    // way to.
    StartFolder startFolder();

    // The drive of that text among all drives listed so far, if any.
    std::optional<Drive> driveNamed(const std::string& text);
    // The folder a drive opens at, absolute and lexically normal. Throws
    // RuntimeError: 68 when the drive has gone since it was listed, or what
    // the drive source reports (71 not ready).
    std::string driveFolder(const Drive& drive);
    // Throws RuntimeError 68 when a folder list's root row is the root of a
    // drive that has gone since it was listed.
    void checkDriveAt(const std::string& root);
    // A folder path made absolute and lexically normal. Throws RuntimeError
    // unless it leads to a folder.
    std::string folderPath(const std::string& path);
    // Resolves what is written to a folder list's Path: a drive's text opens
    // that drive's current folder, anything else is taken as a folder path.
    // Throws RuntimeError.
    std::string resolveFolder(const std::string& text);

    // The folder list for an open folder. Throws RuntimeError.
    virtual std::vector<FolderEntry> folderList(const std::string& folder);
    // Only the open folder's ancestry from its drive's root, the folder
    // itself last: what the folder list shows of a folder that cannot be
    // listed, so that the user can still go up.
    std::vector<FolderEntry> ancestry(const std::string& folder);
    // Names of the plain files in a folder that match a pattern ("*.EXE",
    // several joined with ';'), case-insensitively, sorted case-insensitively.
    // Throws RuntimeError.
    virtual std::vector<std::string> fileList(const std::string& folder, const std::string& pattern);

protected:
    // A path made absolute against the current folder and lexically
    // normal. Throws RuntimeError.
    virtual std::string absolute(const std::string& path);
    // Names of the visible entries of a folder that are folders (dirs true)
    // or plain files matching a pattern (dirs false), unsorted. Throws
    // RuntimeError.
    virtual std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) = 0;
    // Throws RuntimeError unless an absolute path leads to a folder.
    virtual void checkFolder(const std::string& folder) = 0;

private:
    std::unique_ptr<DriveSource> drives_;
    PathStyle style_;
    std::vector<Drive> known_;
};

// Case-insensitive wildcard match with '*' and '?', the way file lists
// filter their names. A pattern may hold several, separated by ';'.
bool matchesPattern(const std::string& name, const std::string& pattern);

// Case-insensitive ordering of names, ties broken by the bytes.
bool lessNoCase(const std::string& a, const std::string& b);

}  // namespace vornak
