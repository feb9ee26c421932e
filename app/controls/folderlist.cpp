#include "folderlist.h"

#include "app/errors.h"

namespace vornak {

namespace {

// The open folder is the last entry of the ancestry.
int openIndex(const std::vector<FolderEntry>& folders)
{
    int index = -1;
    for (size_t i = 0; i < folders.size() && folders[i].open; ++i)
        index = static_cast<int>(i);
    return index;
}

}  // namespace

FolderList::FolderList(Form& form, const ControlDesign& design) : ListControl(form, design)
{
    FileSystem& fs = fileSystem();
    // The folder list says why it does not open where the program was
    // started: it shows where the user is instead.
    const FileSystem::StartFolder start = fs.startFolder();
    state_.path = start.folder;
    loadError_ = start.error;
    try {
        state_.folders = std::make_shared<std::vector<FolderEntry>>(fs.folderList(state_.path));
    } catch (const RuntimeError& e) {
        state_.folders = std::make_shared<std::vector<FolderEntry>>(fs.ancestry(state_.path));
        if (!loadError_)
            loadError_ = e.number();
    }
    state_.index = openIndex(*state_.folders);
}

void FolderList::setPath(const std::string& path)
{
    FileSystem& fs = fileSystem();
    const std::optional<Drive> drive = fs.driveNamed(path);
    if (!drive) {
        open(fs.folderPath(path));
        return;
    }
    const std::string folder = fs.driveFolder(*drive);
    try {
        open(folder);
    } catch (const RuntimeError&) {
        const std::string root = fs.folderPath(drive->root);
        if (root == folder)
            throw;
        open(root);
    }
}

void FolderList::open(const std::string& folder)
{
    auto folders = std::make_shared<std::vector<FolderEntry>>(fileSystem().folderList(folder));
    state_.path = folder;
    state_.index = openIndex(*folders);
    state_.folders = std::move(folders);
    changed(Property::List);
    raise(Event::Change);
}

void FolderList::userOpen(int index)
{
    act([this, index] {
        const std::vector<FolderEntry>& list = folders();
        if (index < 0 || index >= static_cast<int>(list.size()))
            return;
        FileSystem& fs = fileSystem();
        fs.checkDriveAt(list.front().path);
        const std::string target = fs.folderPath(list[index].path);  // the list is replaced while opening
        open(target);
    });
}

VORNAK_MAKES(FolderList)

}  // namespace vornak
