#include "control.h"

#include "controlkind.h"
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
    // An option's value is a boolean, a check box's 0 or 1.
    if (kind().click == ClickAction::Choose)
        state_.value = design.value ? kTrue : kFalse;
    else if (kind().click == ClickAction::Toggle)
        state_.value = design.value;
    loadList();
}

// A list opens at the program's current folder and drive when its window is
// loaded, without raising an event.
void Control::loadList()
{
    if (kind().list == ListKind::None)
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
    if (kind().list == ListKind::Drives) {
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
        if (kind().list == ListKind::Folders) {
            state_.folders = std::make_shared<std::vector<FolderEntry>>(fs.folderList(folder));
            state_.listIndex = openIndex(*state_.folders);
        } else {
            state_.items = std::make_shared<std::vector<std::string>>(fs.fileList(folder, pattern_));
        }
    } catch (const RuntimeError& e) {
        // A start folder that cannot be listed still shows where it lies,
        // so that the user can go up from it; the error is reported once
        // the window is on the screen.
        if (kind().list == ListKind::Folders) {
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

void Control::raise(Event event)
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
    raise(Event::Change);
}

void Control::setValue(int value)
{
    if (kind().click == ClickAction::Choose) {
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
            if (other != this && other->kind().click == ClickAction::Choose && other->state_.value != kFalse) {
                other->state_.value = kFalse;
                other->changed(Property::Value);
            }
        }
        state_.value = kTrue;
        changed(Property::Value);
        raise(Event::Click);
        return;
    }
    if (state_.value == value)
        return;
    state_.value = value;
    changed(Property::Value);
    if (kind().click == ClickAction::Toggle)
        raise(Event::Click);
}

void Control::setDrive(const std::string& drive)
{
    const std::vector<std::string>& list = items();
    const auto it = std::find(list.begin(), list.end(), drive);
    state_.drive = drive;
    state_.listIndex = it == list.end() ? -1 : static_cast<int>(it - list.begin());
    changed(Property::ListIndex);
    raise(Event::Change);
}

void Control::setPath(const std::string& path)
{
    FileSystem& fs = form_.shell().fileSystem();
    if (kind().list == ListKind::Folders) {
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
    } else if (kind().list == ListKind::Files) {
        // Always a folder, even one whose path reads like a drive's text
        // (the root "/" on POSIX systems).
        const std::string folder = fs.folderPath(path);
        auto files = std::make_shared<std::vector<std::string>>(fs.fileList(folder, pattern_));
        state_.path = folder;
        state_.items = std::move(files);
        state_.listIndex = -1;
        changed(Property::List);
        raise(Event::PathChange);
    }
}

void Control::openFolder(const std::string& folder)
{
    auto folders = std::make_shared<std::vector<FolderEntry>>(form_.shell().fileSystem().folderList(folder));
    state_.path = folder;
    state_.listIndex = openIndex(*folders);
    state_.folders = std::move(folders);
    changed(Property::List);
    raise(Event::Change);
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
    raise(Event::Click);
}

void Control::restore(const State& state)
{
    state_ = state;
    switch (kind().shown) {
    case Shown::Caption: changed(Property::Caption); break;
    case Shown::Text: changed(Property::Text); break;
    case Shown::Value: changed(Property::Value); break;
    case Shown::List: changed(Property::List); break;
    }
}

void Control::userClick()
{
    form_.shell().userAction(form_, [this] {
        switch (kind().click) {
        case ClickAction::None: break;
        case ClickAction::Raise: raise(Event::Click); break;
        case ClickAction::Choose: setValue(kTrue); break;
        case ClickAction::Toggle: setValue(state_.value == 1 ? 0 : 1); break;
        }
    });
}

void Control::userSelect(int index)
{
    form_.shell().userAction(form_, [this, index] {
        if (kind().list == ListKind::Drives) {
            const std::vector<std::string>& list = items();
            if (index >= 0 && index < static_cast<int>(list.size()) && list[index] != state_.drive)
                setDrive(list[index]);
        } else if (kind().list == ListKind::Files) {
            if (index >= -1 && index < static_cast<int>(items().size()))
                setListIndex(index);
        }
    });
}

void Control::userOpen(int index)
{
    form_.shell().userAction(form_, [this, index] {
        const std::vector<FolderEntry>& list = folders();
        if (kind().list != ListKind::Folders || index < 0 || index >= static_cast<int>(list.size()))
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
        if (kind().shown != Shown::Text)
            return;
        // The front end already shows the text; only keep it.
        state_.caption = std::move(text);
        raise(Event::Change);
    });
}

}  // namespace vornak
