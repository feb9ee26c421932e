// A file list: the names of the files of a folder that match its pattern;
// picking one selects it.
#pragma once

#include "list.h"

namespace vornak {

struct FileListState {
    std::string path;
    Entries<std::string> items;
    int index = -1;
};

class FileList : public ListControl<FileListState> {
public:
    static constexpr ControlType kType = ControlType::FileList;
    // Lists the start folder; one that cannot be listed lists nothing, and
    // the error is reported once the window is on the screen (loadError).
    FileList(Form& form, const ControlDesign& design);

    // The folder listed. Writing it lists that folder, even one whose path
    // reads like a drive's text (the root "/" on POSIX systems), selects
    // nothing and raises PathChange. Throws RuntimeError, leaving the list
    // as it was, when the folder cannot be listed.
    const std::string& path() const { return state_.path; }
    void setPath(const std::string& path);
    const std::string& pattern() const { return pattern_; }
    const std::vector<std::string>& items() const { return entries(state_.items); }
    // Selects a file (-1: none); a new one raises Click.
    void setListIndex(int index);

    Shown shown() const override { return {.items = &items(), .index = state_.index}; }
    // A file picked, or none (-1).
    void userSelect(int index) override;

private:
    const std::string pattern_;
};

}  // namespace vornak
