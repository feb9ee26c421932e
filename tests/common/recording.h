// The one front end of the tests, whatever draws the windows: it records
// what the core asks of it (a log, "show frmNO owner=frmSETUP first",
// "value frmSETUP.Option1 -1", "cursor 11"; how often each window was shown
// or brought to the front), keeps every message box instead of showing it,
// so that a test never waits for a click on OK, and sleeps the pause on the
// test's clock when the test gives one. Recording<NoWindows> is the core
// alone, headless; the Qt and Win32 tests record their real front ends.
#pragma once

#include "app/control.h"
#include "app/form.h"
#include "app/frontend.h"
#include "common/fake_clock.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vornak::test {

// A front end that draws nothing, on the test's clock.
class NoWindows : public Headless {
public:
    Clock& clock() override { return fakeClock; }

    FakeClock fakeClock;
};

template <class Base>
class Recording : public Base {
public:
    using Base::Base;

    // Off for the long runs, whose log would only grow.
    bool keepLog = true;
    std::vector<std::string> log;
    std::map<std::string, int, std::less<>> showings;  // window -> shown or brought to the front
    std::vector<std::string> messages;
    std::function<void()> onMessage;
    MousePointer cursor = MousePointer::Default;
    bool flushed = false;
    MousePointer cursorAtFlush = MousePointer::Default;
    int quits = 0;
    // Whether quit() leaves the front end's input loop too; a test that
    // runs event loops of its own keeps them.
    bool leavesLoop = true;
    FakeClock* testClock = nullptr;  // the pause's clock, when the test gives one
    // Reports every change the core shows back as the user's doing, as a
    // toolkit whose controls signal their own changes does.
    bool echoes = false;

    void createWindow(Form& f) override
    {
        note("create " + name(f));
        Base::createWindow(f);
    }
    void showWindow(Form& f, Form* owner, bool firstTime) override
    {
        ++showings[name(f)];
        note("show " + name(f) + (owner ? " owner=" + name(*owner) : std::string()) + (firstTime ? " first" : ""));
        Base::showWindow(f, owner, firstTime);
    }
    void hideWindow(Form& f) override
    {
        note("hide " + name(f));
        Base::hideWindow(f);
    }
    void raiseWindow(Form& f) override
    {
        ++showings[name(f)];
        note("raise " + name(f));
        Base::raiseWindow(f);
    }
    void destroyWindow(Form& f) override
    {
        note("destroy " + name(f));
        Base::destroyWindow(f);
    }
    void propertyChanged(Control& c, Property p) override
    {
        if (p == Property::Value)
            note("value " + name(c) + " " + std::to_string(c.shown().value.value_or(0)));
        Base::propertyChanged(c, p);
        if (!echoes)
            return;
        const Shown s = c.shown();
        if (p == Property::Value)
            c.userClick();
        else if (p == Property::Text && s.caption)
            c.userEdit(*s.caption);
        else if ((p == Property::List || p == Property::ListIndex) && s.index)
            c.userSelect(*s.index);
    }
    void focus(Control& c) override
    {
        note("focus " + name(c));
        Base::focus(c);
    }
    void setCursor(MousePointer pointer) override
    {
        cursor = pointer;
        note("cursor " + std::to_string(static_cast<int>(pointer)));
        Base::setCursor(pointer);
    }
    void messageBox(std::string_view, std::string_view text) override
    {
        messages.emplace_back(text);
        note("message");
        if (onMessage)
            onMessage();
    }
    void flush() override
    {
        flushed = true;
        cursorAtFlush = cursor;
        note("flush");
        Base::flush();
    }
    void quit() override
    {
        ++quits;
        note("quit");
        if (leavesLoop)
            Base::quit();
    }
    Clock& clock() override { return testClock ? *testClock : Base::clock(); }

    // The log entries that start with a prefix.
    std::vector<std::string> entries(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const std::string& e : log)
            if (e.rfind(prefix, 0) == 0)
                out.push_back(e);
        return out;
    }
    int shown(std::string_view window) const
    {
        const auto it = showings.find(window);
        return it == showings.end() ? 0 : it->second;
    }

private:
    void note(std::string entry)
    {
        if (keepLog)
            log.push_back(std::move(entry));
    }
    static std::string name(const Form& f) { return std::string(f.name()); }
    static std::string name(const Control& c) { return name(c.form()) + "." + std::string(c.name()); }
};

using RecordingFrontEnd = Recording<NoWindows>;

}  // namespace vornak::test
