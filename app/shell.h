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

constexpr std::string_view kProgramTitle = "Vornak1";

class Shell {
public:
    // The catalogue holds every window the program has, the start-up window
    // first. A window's event table that names a control the window does
    // not have, or an event its control cannot raise, stops the program
    // here with a message saying which.
    Shell(const std::vector<const FormClass*>& catalogue, FrontEnd& frontEnd, FileSystem& fileSystem);
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
    MousePointer mousePointer() const { return mousePointer_; }
    void setMousePointer(MousePointer pointer);
    void setHourglass() { setMousePointer(MousePointer::Hourglass); }
    void restoreCursor() { setMousePointer(MousePointer::Default); }
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
    MousePointer mousePointer_ = MousePointer::Default;
    bool running_ = false;
    bool inAction_ = false;
    std::vector<Form*> running_procedures_;
    std::vector<std::string> pendingUnloads_;
    bool endPending_ = false;
};

}  // namespace vornak
