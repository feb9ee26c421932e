#include "drivelist.h"

#include <algorithm>

namespace vornak {

namespace {

int indexOf(const std::vector<std::string>& list, const std::string& entry)
{
    const auto it = std::find(list.begin(), list.end(), entry);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

}  // namespace

DriveList::DriveList(Form& form, const ControlDesign& design) : ListControl(form, design)
{
    const std::string folder = startFolder();
    FileSystem& fs = fileSystem();
    auto items = std::make_shared<std::vector<std::string>>();
    for (const Drive& d : fs.drives())
        items->push_back(d.text);
    // A folder on no drive (a network share) shows no drive as chosen, so
    // that picking any drive opens it.
    if (const std::optional<Drive> d = fs.driveOf(folder)) {
        state_.drive = d->text;
        state_.index = indexOf(*items, state_.drive);
    }
    state_.items = std::move(items);
}

void DriveList::setDrive(const std::string& drive)
{
    state_.drive = drive;
    state_.index = indexOf(items(), drive);
    changed(Property::ListIndex);
    raise(Event::Change);
}

void DriveList::userSelect(int index)
{
    act([this, index] {
        const std::vector<std::string>& list = items();
        if (index >= 0 && index < static_cast<int>(list.size()) && list[index] != state_.drive)
            setDrive(list[index]);
    });
}

VORNAK_MAKES(DriveList)

}  // namespace vornak
