// The keyboard and the option groups: the tab order, Enter and Space on the
// focused button, Escape doing nothing, the arrow keys in an option group,
// and what real Windows sends to an option group.
#include "support.h"

#include <cstdlib>

namespace vornak::test {

namespace {

bool focusOn(App& app, const char* form, const std::string& name)
{
    return app.waitFor([&] { return GetFocus() == app.control(form, name.c_str()); });
}

// Tab walks a window as its design says, from where the focus starts round
// to it again. The window manager hands the focus back to the main window
// once a dialog has gone, in its own time; when that comes after the window
// was shown, the window is activated again, as a user would by clicking
// it, and keeps its focus.
void tabWalks(App& app, const char* form)
{
    const std::vector<std::string> walk = tabWalk(app.form(form).design());
    if (!focusOn(app, form, walk.front()))
        SetForegroundWindow(app.window(form));
    CHECK(focusOn(app, form, walk.front()));
    for (size_t i = 1; i < walk.size(); ++i) {
        key(app, GetFocus(), VK_TAB);
        check(GetFocus() == app.control(form, walk[i].c_str()), "Tab reaches " + walk[i], __LINE__);
    }
}

// Escape does nothing; Enter on a list opens nothing; Enter and Space press
// the focused button.
void keysOfTheMainWindow(App& app)
{
    key(app, GetFocus(), VK_ESCAPE);
    CHECK(app.visible("frmMAIN"));
    SetFocus(app.control("frmMAIN", "File1"));
    key(app, GetFocus(), VK_RETURN);
    CHECK(app.shell->state("frmSETUP") == WindowState::Absent && app.shell->state("frmABOUT") == WindowState::Absent);
    SetFocus(app.control("frmMAIN", "Command2"));
    key(app, GetFocus(), VK_RETURN);
    CHECK(app.visible("frmABOUT"));
    app.shell->hide("frmABOUT");
    SetForegroundWindow(app.window("frmMAIN"));
    SetFocus(app.control("frmMAIN", "Command1"));
    key(app, GetFocus(), VK_SPACE);
    CHECK(app.visible("frmSETUP"));
}

// Shift+Tab goes back; the arrows stay inside a frame, wrapping round, and
// choose the option they move to: 220 Mhz, its error, and 170 Mhz is
// chosen again.
void keysOfTheOptionGroups(App& app)
{
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    key(app, GetFocus(), VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmSETUP", "Option5")));
    HWND setup = app.window("frmSETUP");
    auto next = [&](const char* from, bool back) {
        return GetNextDlgGroupItem(setup, app.control("frmSETUP", from), back);
    };
    CHECK(next("Option1", FALSE) == app.control("frmSETUP", "Option2"));
    CHECK(next("Option3", FALSE) == app.control("frmSETUP", "Option1"));
    CHECK(next("Option1", TRUE) == app.control("frmSETUP", "Option3"));
    CHECK(next("Option5", FALSE) == app.control("frmSETUP", "Option4"));
    CHECK(next("Option4", TRUE) == app.control("frmSETUP", "Option5"));
    key(app, GetFocus(), VK_DOWN);
    CHECK(app.visible("frmNO1"));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option5"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
}

void keyboardFollowsTheTabOrder()
{
    App app;
    tabWalks(app, "frmMAIN");
    keysOfTheMainWindow(app);
    // Setup: an option group is entered at its chosen option.
    tabWalks(app, "frmSETUP");
    keysOfTheOptionGroups(app);
    CHECK(app.fe.messages.empty());
}

void setupPutsTheOptionBack()
{
    App app;
    click(app, app.control("frmMAIN", "Command1"));
    CHECK(app.waitFor([&] { return app.visible("frmSETUP") && GetForegroundWindow() == app.window("frmSETUP"); }));
    HWND setup = app.window("frmSETUP");
    // 4096 k: an error, and 2048 k is chosen again.
    click(app, app.control("frmSETUP", "Option2"));
    CHECK(app.waitFor([&] { return app.visible("frmNO") && GetForegroundWindow() == app.window("frmNO"); }));
    CHECK_EQ(text(app.control("frmNO", "Label1")), std::string("Error: Only 2048 kb of main video memory were found."));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option1"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option2"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    CHECK_EQ(app.form("frmSETUP").get<OptionButton>("Option1").value(), kTrue);
    // Centred on the window it came from (once the window manager has
    // placed both: under load its word on a window's place can come late).
    CHECK(app.waitFor([&] {
        RECT a{}, b{};
        GetWindowRect(setup, &a);
        GetWindowRect(app.window("frmNO"), &b);
        return std::abs((a.left + a.right) - (b.left + b.right)) <= 2
            && std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2;
    }));
    click(app, app.control("frmNO", "Command1"));
    CHECK(app.shell->state("frmNO") == WindowState::Hidden && !IsWindowVisible(app.window("frmNO")));
    CHECK_EQ(app.fe.errorDialogs(), 1);
    // 220 Mhz: the RAMDAC error, and 170 Mhz is chosen again.
    CHECK(app.waitFor([&] { return GetForegroundWindow() == setup; }));
    click(app, app.control("frmSETUP", "Option4"));
    CHECK(app.waitFor([&] { return app.visible("frmNO1"); }));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option5"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option4"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    // A check box keeps what it is given.
    HWND check3 = app.control("frmSETUP", "Check3");
    click(app, app.control("frmNO1", "Command1"));
    CHECK(app.waitFor([&] { return GetForegroundWindow() == setup; }));
    click(app, check3);
    CHECK_EQ(SendMessageW(check3, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
    CHECK_EQ(app.form("frmSETUP").get<CheckBox>("Check3").value(), 1);
    CHECK(app.fe.messages.empty());
}

// What real Windows sends to an option group, besides what Wine sends: an
// option that receives the focus while it is not chosen notifies BN_CLICKED
// before anything checks it; the dialog manager's arrow keys first move the
// focus (that notification), then click the option; a window made active
// again gives the focus back to the control that had it, which on an option
// not chosen is that notification again. Each choice the user makes gives
// one error dialog, and nothing else gives one.
// What Windows sends an option that receives the focus while it is not
// chosen.
void focusNotice(App& app, HWND option)
{
    CHECK_EQ(SendMessageW(option, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
    notify(option, BN_CLICKED);
    app.drain();
}

bool chosen(HWND option)
{
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The dialog manager's arrow key: the focus moves to the option (its
// notification), then it clicks the option: one error, and the option the
// group keeps is chosen again.
void focusThenClick(App& app, HWND option, HWND kept)
{
    const int errors = app.fe.errorDialogs();
    SetForegroundWindow(app.window("frmSETUP"));
    SetFocus(option);
    focusNotice(app, option);
    CHECK_EQ(app.fe.errorDialogs(), errors);
    SendMessageW(option, BM_CLICK, 0, 0);
    app.drain();
    CHECK_EQ(app.fe.errorDialogs(), errors + 1);
    CHECK(chosen(kept) && !chosen(option));
}

void optionGroupsAsRealWindowsNotifies()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    HWND setup = app.window("frmSETUP");
    HWND mb2048 = app.control("frmSETUP", "Option1");
    HWND mb4096 = app.control("frmSETUP", "Option2");

    // Focus alone, on an option not chosen: nothing.
    SetFocus(mb4096);
    focusNotice(app, mb4096);
    CHECK_EQ(app.fe.errorDialogs(), 0);
    CHECK(chosen(mb2048) && !chosen(mb4096));
    CHECK_EQ(app.form("frmSETUP").get<OptionButton>("Option1").value(), kTrue);
    // The mouse: one choice, one error, and "2048 k" is back.
    CHECK(app.waitFor([&] { return GetForegroundWindow() == setup; }));
    click(app, mb4096);
    CHECK_EQ(app.fe.errorDialogs(), 1);
    CHECK(chosen(mb2048) && !chosen(mb4096));
    // "OK" on the error, and the dialog active again: the focus goes back to
    // the refused option, which is not chosen; no second error.
    SendMessageW(app.control("frmNO", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    SetForegroundWindow(setup);
    SetActiveWindow(setup);
    SetFocus(mb4096);
    focusNotice(app, mb4096);
    SendMessageW(setup, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(setup, WM_ACTIVATE, WA_ACTIVE, 0);
    focusNotice(app, mb4096);
    CHECK_EQ(app.fe.errorDialogs(), 1);
    CHECK_EQ(app.form("frmSETUP").get<OptionButton>("Option1").value(), kTrue);

    // The arrow key down from there to "8192 k", and the RAMDAC group the
    // same way.
    focusThenClick(app, app.control("frmSETUP", "Option3"), mb2048);
    focusThenClick(app, app.control("frmSETUP", "Option4"), app.control("frmSETUP", "Option5"));
    CHECK(app.fe.messages.empty());
}

}  // namespace

std::vector<TestCase> keyboardTests()
{
    return {
        {"keyboard follows the tab order", keyboardFollowsTheTabOrder},
        {"Setup puts the option back", setupPutsTheOptionBack},
        {"option groups as real Windows notifies them", optionGroupsAsRealWindowsNotifies},
    };
}

}  // namespace vornak::test
