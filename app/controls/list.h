// What the drive, folder and file lists share: each is filled from the
// file system when its window is loaded, at the program's current folder,
// without raising an event; what it holds (its State: the entries and the
// selected one) is kept and put back as a whole.
#pragma once

#include "app/control.h"

#include <memory>
#include <string>
#include <vector>

namespace vornak {

class ListBase : public Control {
public:
    int loadError() const override { return loadError_; }

protected:
    using Control::Control;
    // Where a list opens when its window is loaded (FileSystem::startFolder).
    std::string startFolder() const;

    int loadError_ = 0;
};

template <class State>
class ListControl : public ListBase {
public:
    // The selected entry, -1 for none.
    int listIndex() const { return state_.index; }

    std::any saved() const override { return state_; }
    void restore(const std::any& saved) override
    {
        state_ = std::any_cast<const State&>(saved);
        changed(Property::List);
    }

protected:
    using ListBase::ListBase;

    State state_;
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
