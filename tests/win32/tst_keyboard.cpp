// The keyboard and the option groups: the tab order, Enter and Space on the
// focused button, Escape doing nothing, the arrow keys in an option group,
// and what real Windows sends to an option group.
#include "support.h"

#include <cstdlib>

namespace vornak::test {

namespace {

void keyboardFollowsTheTabOrder()
{
    App app;
    HWND main = app.window("frmMAIN");
    auto focusOn = [&](const char* form, const char* name) {
        return app.waitFor([&] { return GetFocus() == app.control(form, name); });
    };
    CHECK(focusOn("frmMAIN", "Command1"));
    const char* mainOrder[] = {"Command2", "Command3", "Dir1", "Drive1", "File1", "Command1"};
    for (const char* name : mainOrder) {
        key(app, GetFocus(), VK_TAB);
        CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmMAIN", name)));
    }
    // Escape does nothing; Enter on a list opens nothing.
    key(app, GetFocus(), VK_ESCAPE);
    CHECK(app.visible("frmMAIN"));
    SetFocus(app.control("frmMAIN", "File1"));
    key(app, GetFocus(), VK_RETURN);
    CHECK(app.shell->state("frmSETUP") == WindowState::Absent && app.shell->state("frmABOUT") == WindowState::Absent);
    // Enter presses the focused button.
    SetFocus(app.control("frmMAIN", "Command2"));
    key(app, GetFocus(), VK_RETURN);
    CHECK(app.visible("frmABOUT"));
    app.shell->hide("frmABOUT");
    SetForegroundWindow(main);
    // Space presses the focused button.
    SetFocus(app.control("frmMAIN", "Command1"));
    key(app, GetFocus(), VK_SPACE);
    CHECK(app.visible("frmSETUP"));

    // Setup: an option group is entered at its chosen option. The window
    // manager hands the focus back to the main window once About has gone,
    // in its own time; when that comes after Setup was shown, Setup is
    // activated again, as a user would by clicking it, and keeps its focus.
    if (!focusOn("frmSETUP", "OK_SETUP"))
        SetForegroundWindow(app.window("frmSETUP"));
    CHECK(focusOn("frmSETUP", "OK_SETUP"));
    const char* setupOrder[] = {"HARD_SETUP", "Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Option1", "Option5", "OK_SETUP"};
    for (const char* name : setupOrder) {
        key(app, GetFocus(), VK_TAB);
        check(GetFocus() == app.control("frmSETUP", name), std::string("Tab reaches ") + name, __LINE__);
    }
    // Shift+Tab goes back.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    key(app, GetFocus(), VK_TAB);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    CHECK_EQ(static_cast<const void*>(GetFocus()), static_cast<const void*>(app.control("frmSETUP", "Option5")));
    // The arrows stay inside a frame, wrapping round.
    HWND setup = app.window("frmSETUP");
    auto next = [&](const char* from, bool back) { return GetNextDlgGroupItem(setup, app.control("frmSETUP", from), back); };
    CHECK(next("Option1", FALSE) == app.control("frmSETUP", "Option2"));
    CHECK(next("Option3", FALSE) == app.control("frmSETUP", "Option1"));
    CHECK(next("Option1", TRUE) == app.control("frmSETUP", "Option3"));
    CHECK(next("Option5", FALSE) == app.control("frmSETUP", "Option4"));
    CHECK(next("Option4", TRUE) == app.control("frmSETUP", "Option5"));
    // An arrow chooses the option it moves to: 220 Mhz, its error, and
    // 170 Mhz is chosen again.
    key(app, GetFocus(), VK_DOWN);
    CHECK(app.visible("frmNO1"));
    CHECK_EQ(SendMessageW(app.control("frmSETUP", "Option5"), BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_CHECKED));
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
    CHECK_EQ(app.form("frmSETUP")["Option1"].value(), kTrue);
    // Centred on the window it came from.
    RECT a{}, b{};
    GetWindowRect(setup, &a);
    GetWindowRect(app.window("frmNO"), &b);
    CHECK(std::abs((a.left + a.right) - (b.left + b.right)) <= 2 && std::abs((a.top + a.bottom) - (b.top + b.bottom)) <= 2);
    click(app, app.control("frmNO", "Command1"));
    CHECK(app.shell->state("frmNO") == WindowState::Hidden && !IsWindowVisible(app.window("frmNO")));
    CHECK_EQ(app.fe.errorDialogs, 1);
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
    CHECK_EQ(app.form("frmSETUP")["Check3"].value(), 1);
    CHECK(app.fe.messages.empty());
}

// What real Windows sends to an option group, besides what Wine sends: an
// option that receives the focus while it is not chosen notifies BN_CLICKED
// before anything checks it; the dialog manager's arrow keys first move the
// focus (that notification), then click the option; a window made active
// again gives the focus back to the control that had it, which on an option
// not chosen is that notification again. Each choice the user makes gives
// one error dialog, and nothing else gives one.
void optionGroupsAsRealWindowsNotifies()
{
    App app;
    SendMessageW(app.control("frmMAIN", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    HWND setup = app.window("frmSETUP");
    HWND mb2048 = app.control("frmSETUP", "Option1");
    HWND mb4096 = app.control("frmSETUP", "Option2");
    HWND mb8192 = app.control("frmSETUP", "Option3");
    auto focusNotice = [&](HWND option) {
        CHECK_EQ(SendMessageW(option, BM_GETCHECK, 0, 0), static_cast<LRESULT>(BST_UNCHECKED));
        notify(option, BN_CLICKED);
        app.drain();
    };
    auto chosen = [&](HWND option) { return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED; };

    // Focus alone, on an option not chosen: nothing.
    SetFocus(mb4096);
    focusNotice(mb4096);
    CHECK_EQ(app.fe.errorDialogs, 0);
    CHECK(chosen(mb2048) && !chosen(mb4096));
    CHECK_EQ(app.form("frmSETUP")["Option1"].value(), kTrue);

    // The mouse: one choice, one error, and "2048 k" is back.
    CHECK(app.waitFor([&] { return GetForegroundWindow() == setup; }));
    click(app, mb4096);
    CHECK_EQ(app.fe.errorDialogs, 1);
    CHECK(chosen(mb2048) && !chosen(mb4096));

    // "OK" on the error, and the dialog active again: the focus goes back to
    // the refused option, which is not chosen; no second error.
    SendMessageW(app.control("frmNO", "Command1"), BM_CLICK, 0, 0);
    app.drain();
    SetForegroundWindow(setup);
    SetActiveWindow(setup);
    SetFocus(mb4096);
    focusNotice(mb4096);
    SendMessageW(setup, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageW(setup, WM_ACTIVATE, WA_ACTIVE, 0);
    focusNotice(mb4096);
    CHECK_EQ(app.fe.errorDialogs, 1);
    CHECK_EQ(app.form("frmSETUP")["Option1"].value(), kTrue);

    // The arrow key down from there: the focus moves to "8192 k" (its
    // notification), then the dialog manager clicks it: one error.
    SetFocus(mb8192);
    focusNotice(mb8192);
    CHECK_EQ(app.fe.errorDialogs, 1);
    SendMessageW(mb8192, BM_CLICK, 0, 0);
    app.drain();
    CHECK_EQ(app.fe.errorDialogs, 2);
    CHECK(chosen(mb2048) && !chosen(mb8192));

    // The RAMDAC group the same way: focus, then the click.
    HWND fast = app.control("frmSETUP", "Option4");
    SetForegroundWindow(setup);
    SetFocus(fast);
    focusNotice(fast);
    CHECK_EQ(app.fe.errorDialogs, 2);
    SendMessageW(fast, BM_CLICK, 0, 0);
    app.drain();
    CHECK_EQ(app.fe.errorDialogs, 3);
    CHECK(chosen(app.control("frmSETUP", "Option5")) && !chosen(fast));
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
