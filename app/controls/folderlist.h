// A folder list: the open folder's ancestry from its drive's root, then its
// subfolders (FileSystem::folderList); opening an entry opens that folder.
#pragma once

#include "list.h"

namespace vornak {

struct FolderListState {
    std::string path;
    Entries<FolderEntry> folders;
    int index = -1;
};

class FolderList : public ListControl<FolderListState> {
public:
    static constexpr ControlType kType = ControlType::FolderList;
    // Opens the start folder (FileSystem::startFolder). One that cannot be
    // listed still shows where it lies, so that the user can go up from
    // it. Why the list is not where the program was started, or why it
    // cannot list its folder, is reported once the window is on the screen
    // (loadError).
    FolderList(Form& form, const ControlDesign& design);

    // The open folder. Writing it opens another and raises Change; a
    // drive's text opens that drive's current folder, or its root when that
    // folder cannot be listed. Throws RuntimeError, leaving the list as it
    // was, when the folder cannot be listed.
    const std::string& path() const { return state_.path; }
    void setPath(const std::string& path);
    const std::vector<FolderEntry>& folders() const { return entries(state_.folders); }

    Shown shown() const override { return {.folders = &folders(), .index = state_.index}; }
    // An entry opened: the folder it shows, never a drive's current folder,
    // and only while the drive the list shows is still there.
    void userOpen(int index) override;

private:
    void open(const std::string& folder);
};

}  // namespace vornak
