#include "filelist.h"

#include "app/errors.h"

namespace vornak {

FileList::FileList(Form& form, const ControlDesign& design) : ListControl(form, design), pattern_(design.pattern)
{
    state_.path = startFolder();
    try {
        state_.items = std::make_shared<std::vector<std::string>>(fileSystem().fileList(state_.path, pattern_));
    } catch (const RuntimeError& e) {
        loadError_ = e.number();
    }
}

void FileList::setPath(const std::string& path)
{
    FileSystem& fs = fileSystem();
    const std::string folder = fs.folderPath(path);
    auto files = std::make_shared<std::vector<std::string>>(fs.fileList(folder, pattern_));
    state_ = {folder, std::move(files), -1};
    changed(Property::List);
    raise(Event::PathChange);
}

void FileList::setListIndex(int index)
{
    if (state_.index == index)
        return;
    state_.index = index;
    changed(Property::ListIndex);
    raise(Event::Click);
}

void FileList::userSelect(int index)
{
    act([this, index] {
        if (index >= -1 && index < static_cast<int>(items().size()))
            setListIndex(index);
    });
}

VORNAK_MAKES(FileList)

}  // namespace vornak
