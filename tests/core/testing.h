// Driving the core headless: the whole program on real folder trees, its
// front end recording what the core asks of it (tests/common).
#pragma once

#include "app/controls/checkbox.h"
#include "app/controls/commandbutton.h"
#include "app/controls/drivelist.h"
#include "app/controls/filelist.h"
#include "app/controls/folderlist.h"
#include "app/controls/label.h"
#include "app/controls/optionbutton.h"
#include "app/controls/textbox.h"
#include "app/errors.h"
#include "app/filesystem.h"
#include "app/form.h"
#include "app/shell.h"
#include "common/designs.h"
#include "common/fake_drives.h"
#include "common/recording.h"
#include "common/temp_tree.h"
#include "forms/catalogue.h"
#include "platform/posix/posixfilesystem.h"

#include <filesystem>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace vornak::test {

// Real folders, some of which list as folders but cannot be read, as
// permissions do it (the tests may run as root, which reads everything).
class LockingFileSystem : public posix::FileSystem {
public:
    using posix::FileSystem::FileSystem;
    std::vector<std::string> locked;

protected:
    std::vector<std::string> entries(const std::string& folder, bool dirs, const std::string& pattern) override;
};

// The whole program, headless, started in a folder.
class Program {
public:
    // locked: folders that cannot be read from the start.
    explicit Program(const std::filesystem::path& startFolder,
                     std::vector<Drive> drives = {},
                     std::vector<std::string> locked = {});
    ~Program();

    Shell& shell() { return *shell_; }
    // A loaded window; a window that is not loaded fails the test (an
    // exception the test framework reports).
    Form& form(std::string_view name);
    template <class T = Control>
    T& control(std::string_view form, std::string_view name)
    {
        Control& c = this->form(form)[name];
        if constexpr (std::is_same_v<T, Control>)
            return c;
        else
            return c.template as<T>();
    }
    // Presses a button, as the user would.
    void click(std::string_view form, std::string_view control) { this->form(form)[control].userClick(); }

    RecordingFrontEnd ui;
    FakeClock& clock = ui.fakeClock;
    FakeDrives* drives;
    LockingFileSystem& fileSystem() { return *fs_; }

private:
    std::filesystem::path oldFolder_;
    std::unique_ptr<LockingFileSystem> fs_;
    std::unique_ptr<Shell> shell_;
};

std::string str(const std::filesystem::path& p);

}  // namespace vornak::test
