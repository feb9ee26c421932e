#include "control.h"

#include "errors.h"
#include "form.h"
#include "shell.h"

#include <algorithm>

namespace vornak {

namespace {

const std::vector<std::string> kNoItems;
const std::vector<FolderEntry> kNoFolders;

int openIndex(const std::vector<FolderEntry>& folders)
{
    int index = -1;
    for (size_t i = 0; i < folders.size() && folders[i].open; ++i)
        index = static_cast<int>(i);
    return index;
}

}  // namespace

Control::Control(Form& form, const ControlDesign& design)
    : form_(form), design_(design), pattern_(design.pattern)
{
    state_.caption = std::string(design.caption);
    if (design.type == ControlType::OptionButton)
        state_.value = design.value ? kTrue : kFalse;
    else if (design.type == ControlType::CheckBox)
        state_.value = design.value;
    loadList();
}

// A list opens at the program's current folder and drive when its window is
// loaded, without raising an event.
void Control::loadList()
{
    if (type() != ControlType::DriveList && type() != ControlType::DirList && type() != ControlType::FileList)
        return;
    FileSystem& fs = form_.shell().fileSystem();
    std::string folder;
    try {
        folder = fs.currentFolder();
    } catch (const RuntimeError&) {
        // The current folder is gone: start at the first drive.
        const std::vector<Drive> drives = fs.drives();
        folder = drives.empty() ? std::string() : drives.front().root;
    }
    if (type() == ControlType::DriveList) {
        auto items = std::make_shared<std::vector<std::string>>();
        for (const Drive& d : fs.drives())
            items->push_back(d.text);
        state_.drive = fs.driveOf(folder).text;
        const auto it = std::find(items->begin(), items->end(), state_.drive);
        state_.listIndex = it == items->end() ? -1 : static_cast<int>(it - items->begin());
        state_.items = std::move(items);
        return;
    }
    state_.path = folder;
    try {
        if (type() == ControlType::DirList) {
            state_.folders = std::make_shared<std::vector<FolderEntry>>(fs.folderList(folder));
            state_.listIndex = openIndex(*state_.folders);
        } else {
            state_.items = std::make_shared<std::vector<std::string>>(fs.fileList(folder, pattern_));
        }
    } catch (const RuntimeError& e) {
        // A start folder that cannot be listed still shows where it lies,
        // so that the user can go up from it; the error is reported once
        // the window is on the screen.
        if (type() == ControlType::DirList) {
            state_.folders = std::make_shared<std::vector<FolderEntry>>(fs.ancestry(folder));
            state_.listIndex = openIndex(*state_.folders);
        }
        loadError_ = e.number();
    }
}

void Control::changed(Property property)
{
    form_.shell().frontEnd().propertyChanged(*this, property);
}

void Control::raise(std::string_view event)
{
    form_.raise(name(), event);
}

void Control::setCaption(std::string caption)
{
    state_.caption = std::move(caption);
    changed(Property::Caption);
}

void Control::setText(std::string text)
{
    state_.caption = std::move(text);
    changed(Property::Text);
    raise("Change");
}

void Control::setValue(int value)
{
    if (type() == ControlType::OptionButton) {
        const bool select = value != kFalse;
        if (!select) {
            if (state_.value != kFalse) {
                state_.value = kFalse;
                changed(Property::Value);
            }
            return;
        }
        if (state_.value == kTrue)
            return;
        // A frame, or the window itself, is one exclusive group.
        for (Control* other : form_.contained(design_.container)) {
            if (other != this && other->type() == ControlType::OptionButton && other->state_.value != kFalse) {
                other->state_.value = kFalse;
                other->changed(Property::Value);
            }
        }
        state_.value = kTrue;
        changed(Property::Value);
        raise("Click");
        return;
    }
    if (state_.value == value)
        return;
    state_.value = value;
    changed(Property::Value);
    if (type() == ControlType::CheckBox)
        raise("Click");
}

void Control::setDrive(const std::string& drive)
{
    const std::vector<std::string>& list = items();
    const auto it = std::find(list.begin(), list.end(), drive);
    state_.drive = drive;
    state_.listIndex = it == list.end() ? -1 : static_cast<int>(it - list.begin());
    changed(Property::ListIndex);
    raise("Change");
}

void Control::setPath(const std::string& path)
{
    FileSystem& fs = form_.shell().fileSystem();
    if (type() == ControlType::DirList) {
        // A drive's text opens that drive's current folder; when that folder
        // cannot be listed, the drive's root, so that every drive that can be
        // read at all can be reached from the drive list.
        if (const std::optional<Drive> drive = fs.driveNamed(path)) {
            const std::string folder = fs.driveFolder(*drive);
            try {
                openFolder(folder);
            } catch (const RuntimeError&) {
                const std::string root = fs.folderPath(drive->root);
                if (root == folder)
                    throw;
                openFolder(root);
            }
            return;
        }
        openFolder(fs.folderPath(path));
    } else if (type() == ControlType::FileList) {
        // Always a folder, even one whose path reads like a drive's text
        // (the root "/" on POSIX systems).
        const std::string folder = fs.folderPath(path);
        auto files = std::make_shared<std::vector<std::string>>(fs.fileList(folder, pattern_));
        state_.path = folder;
        state_.items = std::move(files);
        state_.listIndex = -1;
        changed(Property::List);
        raise("PathChange");
    }
}

void Control::openFolder(const std::string& folder)
{
    auto folders = std::make_shared<std::vector<FolderEntry>>(form_.shell().fileSystem().folderList(folder));
    state_.path = folder;
    state_.listIndex = openIndex(*folders);
    state_.folders = std::move(folders);
    changed(Property::List);
    raise("Change");
}

const std::vector<std::string>& Control::items() const
{
    return state_.items ? *state_.items : kNoItems;
}

const std::vector<FolderEntry>& Control::folders() const
{
    return state_.folders ? *state_.folders : kNoFolders;
}

void Control::setListIndex(int index)
{
    if (state_.listIndex == index)
        return;
    state_.listIndex = index;
    changed(Property::ListIndex);
    raise("Click");
}

void Control::restore(const State& state)
{
    state_ = state;
    switch (type()) {
    case ControlType::TextBox: changed(Property::Text); break;
    case ControlType::OptionButton:
    case ControlType::CheckBox: changed(Property::Value); break;
    case ControlType::DriveList:
    case ControlType::DirList:
    case ControlType::FileList: changed(Property::List); break;
    default: changed(Property::Caption); break;
    }
}

void Control::userClick()
{
    form_.shell().userAction(form_, [this] {
        switch (type()) {
        case ControlType::CommandButton: raise("Click"); break;
        case ControlType::OptionButton: setValue(kTrue); break;
        case ControlType::CheckBox: setValue(state_.value == 1 ? 0 : 1); break;
        default: break;
        }
    });
}

void Control::userSelect(int index)
{
    form_.shell().userAction(form_, [this, index] {
        if (type() == ControlType::DriveList) {
            const std::vector<std::string>& list = items();
            if (index >= 0 && index < static_cast<int>(list.size()) && list[index] != state_.drive)
                setDrive(list[index]);
        } else if (type() == ControlType::FileList) {
            if (index >= -1 && index < static_cast<int>(items().size()))
                setListIndex(index);
        }
    });
}

void Control::userOpen(int index)
{
    form_.shell().userAction(form_, [this, index] {
        const std::vector<FolderEntry>& list = folders();
        if (type() != ControlType::DirList || index < 0 || index >= static_cast<int>(list.size()))
            return;
        // A row opens the folder it shows, never a drive's current folder,
        // and only while the drive the list shows is still there.
        FileSystem& fs = form_.shell().fileSystem();
        fs.checkDriveAt(list.front().path);
        const std::string target = fs.folderPath(list[index].path);  // the list is replaced while opening
        openFolder(target);
    });
}

void Control::userEdit(std::string text)
{
    form_.shell().userAction(form_, [this, &text] {
        if (type() != ControlType::TextBox)
            return;
        // The front end already shows the text; only keep it.
        state_.caption = std::move(text);
        raise("Change");
    });
}

}  // namespace vornak
