// Helpers for driving the core headless: a front end that records what the
// core asks of it, a clock that does not wait, and real folder trees.
#pragma once

#include "app/errors.h"
#include "app/filesystem.h"
#include "app/form.h"
#include "app/frontend.h"
#include "app/pause.h"
#include "app/shell.h"
#include "common/fake_clock.h"
#include "forms/catalogue.h"
#include "platform/posix/posixfilesystem.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vornak::test {

class RecordingFrontEnd : public FrontEnd {
public:
    std::vector<std::string> log;  // "show frmNO owner=frmSETUP first", "cursor 11", ...
    std::vector<std::string> messages;
    MousePointer cursor = MousePointer::Default;
    bool flushed = false;
    MousePointer cursorAtFlush = MousePointer::Default;
    std::function<void()> onMessage;
    FakeClock fakeClock;

    void createWindow(Form& f) override;
    void showWindow(Form& f, Form* owner, bool firstTime) override;
    void hideWindow(Form& f) override;
    void raiseWindow(Form& f) override;
    void destroyWindow(Form& f) override;
    void propertyChanged(Control& c, Property p) override;
    void setCursor(MousePointer pointer) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void flush() override;
    void quit() override;
    Clock& clock() override { return fakeClock; }

    // The log entries that start with a prefix.
    std::vector<std::string> entries(const std::string& prefix) const;
};

// A folder tree under the system's temporary folder, removed afterwards.
class TempTree {
public:
    TempTree();
    ~TempTree();
    std::filesystem::path root() const { return root_; }
    std::filesystem::path dir(const std::string& relative) const;   // created
    std::filesystem::path file(const std::string& relative) const;  // created, empty

private:
    std::filesystem::path root_;
};

// Drives that are folders of a temporary tree; any of them can be made
// not ready, and any can remember a current folder other than its root.
class FakeDrives : public DriveSource {
public:
    std::vector<Drive> list;
    std::vector<std::string> notReady;  // roots
    std::map<std::string, std::string> current;  // root -> current folder
    int listed = 0;  // how often the drives were listed with their texts
    std::vector<Drive> drives() override
    {
        ++listed;
        return list;
    }
    std::vector<std::string> roots() override
    {
        std::vector<std::string> out;
        for (const Drive& d : list)
            out.push_back(d.root);
        return out;
    }
    std::string currentFolderOf(const Drive& drive) override;
};

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
    explicit Program(const std::filesystem::path& startFolder, std::vector<Drive> drives = {},
                     std::vector<std::string> locked = {});
    ~Program();

    Shell& shell() { return *shell_; }
    // A loaded window; a window that is not loaded fails the test (an
    // exception the test framework reports).
    Form& form(std::string_view name);
    Control& control(std::string_view form, std::string_view name) { return this->form(form)[name]; }
    // Presses a button, as the user would.
    void click(std::string_view form, std::string_view control) { this->control(form, control).userClick(); }

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
