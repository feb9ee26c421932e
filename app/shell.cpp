#include "shell.h"

#include "errors.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace vornak {

Shell::Shell(const std::vector<const FormClass*>& catalogue, FrontEnd& frontEnd, FileSystem& fileSystem)
    : frontEnd_(frontEnd), fileSystem_(fileSystem)
{
    for (const FormClass* cls : catalogue) {
        const std::string error = bindingError(*cls);
        if (!error.empty()) {
            std::fprintf(stderr, "%s\n", error.c_str());
            std::abort();
        }
        slots_.push_back({cls, nullptr, false});
    }
}

Shell::~Shell() = default;

Shell::Slot* Shell::slot(std::string_view name)
{
    for (Slot& s : slots_)
        if (s.cls->design.name == name)
            return &s;
    std::fprintf(stderr, "no window named %.*s\n", static_cast<int>(name.size()), name.data());
    std::abort();
}

const Shell::Slot* Shell::slot(std::string_view name) const
{
    return const_cast<Shell*>(this)->slot(name);
}

std::vector<std::string_view> Shell::names() const
{
    std::vector<std::string_view> out;
    for (const Slot& s : slots_)
        out.push_back(s.cls->design.name);
    return out;
}

WindowState Shell::state(std::string_view name) const
{
    const Slot* s = slot(name);
    if (!s->form)
        return WindowState::Absent;
    return s->visible ? WindowState::Visible : WindowState::Hidden;
}

Form* Shell::form(std::string_view name) const
{
    return slot(name)->form.get();
}

void Shell::start()
{
    running_ = true;
    try {
        if (!slots_.empty())
            show(slots_.front().cls->design.name);
    } catch (const RuntimeError& e) {
        report(e.number(), e.what());
        end();
    } catch (const std::exception& e) {
        report(0, e.what());
        end();
    }
}

Form& Shell::show(std::string_view name)
{
    Slot* s = slot(name);
    Form* owner = running_procedures_.empty() ? nullptr : running_procedures_.back();
    if (!s->form) {
        s->form = std::make_unique<Form>(*this, *s->cls);
        Form& f = *s->form;
        frontEnd_.createWindow(f);
        f.raise({}, Event::Load);
        s->visible = true;
        frontEnd_.showWindow(f, owner, true);
        // A list that could not be listed is reported once the window is
        // there to show where the user is.
        if (const int error = f.loadError())
            report(error, errorDescription(error));
        return f;
    }
    if (!s->visible) {
        s->visible = true;
        frontEnd_.showWindow(*s->form, owner, false);
    } else {
        frontEnd_.raiseWindow(*s->form);
    }
    return *s->form;
}

void Shell::hide(std::string_view name)
{
    Slot* s = slot(name);
    if (!s->form || !s->visible)
        return;
    s->visible = false;
    frontEnd_.hideWindow(*s->form);
}

void Shell::destroy(Slot& s)
{
    if (!s.form)
        return;
    frontEnd_.destroyWindow(*s.form);
    s.form.reset();
    s.visible = false;
}

void Shell::unload(std::string_view name)
{
    if (!running_procedures_.empty() || inAction_) {
        // A window is never destroyed under a running event procedure.
        pendingUnloads_.emplace_back(name);
        return;
    }
    Slot* s = slot(name);
    if (!s->form)
        return;
    if (s == &slots_.front()) {
        end();
        return;
    }
    destroy(*s);
    for (const Slot& other : slots_)
        if (other.form)
            return;
    end();
}

void Shell::end()
{
    if (!running_procedures_.empty() || inAction_) {
        endPending_ = true;
        return;
    }
    for (Slot& s : slots_)
        destroy(s);
    if (running_) {
        running_ = false;
        frontEnd_.quit();
    }
}

void Shell::setMousePointer(MousePointer pointer)
{
    mousePointer_ = pointer;
    frontEnd_.setCursor(pointer);
}

void Shell::busyPause()
{
    frontEnd_.flush();
    stall(frontEnd_.clock());
}

void Shell::run(Form& form, Procedure procedure)
{
    struct Frame {
        std::vector<Form*>& stack;
        Frame(std::vector<Form*>& s, Form* f) : stack(s) { stack.push_back(f); }
        ~Frame() { stack.pop_back(); }
    } frame(running_procedures_, &form);
    procedure(form);
}

void Shell::report(int number, const std::string& description)
{
    frontEnd_.messageBox(kProgramTitle, errorReport(number, description));
}

void Shell::userAction(Form& form, const std::function<void()>& action)
{
    // Input reaches the core only between event procedures: what a front
    // end reports while the core is at work is the core's own change shown
    // and coming back (app/frontend.h), and is ignored here.
    if (!running_ || inAction_ || !running_procedures_.empty())
        return;
    inAction_ = true;
    const std::vector<std::any> before = form.snapshot();
    try {
        action();
    } catch (const RuntimeError& e) {
        if (e.recoverable()) {
            form.restore(before);
            report(e.number(), e.what());
        } else {
            report(e.number(), e.what());
            endPending_ = true;
        }
    } catch (const std::bad_alloc&) {
        report(7, errorDescription(7));
        endPending_ = true;
    } catch (const std::exception& e) {
        report(0, e.what());
        endPending_ = true;
    }
    inAction_ = false;
    afterDispatch();
}

void Shell::afterDispatch()
{
    std::vector<std::string> unloads;
    unloads.swap(pendingUnloads_);
    for (const std::string& name : unloads)
        unload(name);
    if (endPending_) {
        endPending_ = false;
        end();
    }
}

}  // namespace vornak
