// What the drive, folder and file lists share: each is filled from the
// file system when its window is loaded, at the program's current folder,
// without raising an event.
#pragma once

#include "app/control.h"

#include <memory>
#include <string>
#include <vector>

namespace vornak {

class ListControl : public Control {
public:
    int loadError() const override { return loadError_; }

protected:
    using Control::Control;
    // Where a list opens when its window is loaded: the program's current
    // folder, or the first drive's root when that folder has gone.
    std::string startFolder() const;

    int loadError_ = 0;
};

// The entries of a list, shared by its saved states and never changed in
// place, so that keeping a list of many thousand files costs nothing.
template <class T>
using Entries = std::shared_ptr<const std::vector<T>>;

template <class T>
const std::vector<T>& entries(const Entries<T>& list)
{
    static const std::vector<T> none;
    return list ? *list : none;
}

}  // namespace vornak
