// The application shell: one instance of each window, created on first
// use, shown, hidden and unloaded; the program-wide cursor and the busy
// pause; the dispatch of the user's actions to event procedures.
#pragma once

#include "filesystem.h"
#include "form.h"
#include "frontend.h"
#include "pause.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vornak {

enum class WindowState { Absent, Hidden, Visible };

constexpr int kDefaultPointer = 0;
constexpr int kHourglass = 11;

constexpr std::string_view kStartupForm = "frmMAIN";
constexpr std::string_view kProgramTitle = "Vornak1";

class Shell {
public:
    Shell(const std::vector<const FormClass*>& catalogue, FrontEnd& frontEnd, FileSystem& fileSystem, Clock& clock);
    ~Shell();
    Shell(const Shell&) = delete;
    Shell& operator=(const Shell&) = delete;

    // Loads and shows the start-up window.
    void start();
    bool running() const { return running_; }

    WindowState state(std::string_view name) const;
    // The loaded window of that name, or null.
    Form* form(std::string_view name) const;
    std::vector<std::string_view> names() const;

    // Loads the window if it is absent (building its controls, then running
    // Form_Load), then makes it visible, or brings it to the front.
    Form& show(std::string_view name);
    // Makes a loaded window invisible; it keeps its values.
    void hide(std::string_view name);
    // The close box: the window is destroyed and becomes absent. Closing
    // the start-up window ends the program, and so does closing the last.
    void unload(std::string_view name);

    // Screen.MousePointer.
    int mousePointer() const { return mousePointer_; }
    void setMousePointer(int pointer);
    void setHourglass() { setMousePointer(kHourglass); }
    void restoreCursor() { setMousePointer(kDefaultPointer); }
    // Stalls the program for three seconds: nothing is handled or repainted
    // meanwhile, and input waits in the platform's queue.
    void busyPause();

    FileSystem& fileSystem() const { return fileSystem_; }
    FrontEnd& frontEnd() const { return frontEnd_; }

    // Runs an event procedure of a window; Show calls inside it take that
    // window as the owner of what they open.
    void run(Form& form, Procedure procedure);

    // Handles one action of the user on a window. A drive or folder that
    // cannot be listed is reported and the window's controls go back to
    // where they were; any other failure is reported and ends the program.
    void userAction(Form& form, const std::function<void()>& action);

private:
    struct Slot {
        const FormClass* cls;
        std::unique_ptr<Form> form;
        bool visible = false;
    };
    Slot* slot(std::string_view name);
    const Slot* slot(std::string_view name) const;
    void report(int number, const std::string& description);
    void destroy(Slot& s);
    void end();
    void afterDispatch();

    std::vector<Slot> slots_;
    FrontEnd& frontEnd_;
    FileSystem& fileSystem_;
    Clock& clock_;
    int mousePointer_ = kDefaultPointer;
    bool running_ = false;
    bool inAction_ = false;
    std::vector<Form*> running_procedures_;
    std::vector<std::string> pendingUnloads_;
    bool endPending_ = false;
};

}  // namespace vornak
