// Vornak1 in the browser: the core and the windows compiled to WebAssembly,
// the page's script (page/*.js) drawing the windows. The script calls
// the entry points below for what the user does, one at a time: each may
// suspend the program in a busy pause or a message box and resume it later,
// and the script holds what the user does meanwhile until it returns.
#include "app/shell.h"
#include "forms/catalogue.h"
#include "protocol_entries.h"
#include "webfilesystem.h"
#include "webfrontend.h"

#include <emscripten.h>

#include <memory>
#include <string>

namespace {

vornak::web::FrontEnd* frontEnd = nullptr;

vornak::Control* control(int window, int index)
{
    vornak::Form* form = frontEnd ? frontEnd->form(window) : nullptr;
    if (!form || index < 0 || index >= static_cast<int>(form->controls().size()))
        return nullptr;
    return form->controls()[static_cast<size_t>(index)].get();
}

}  // namespace

extern "C" {

// A button pressed, an option chosen, a check box toggled.
void vornak_click(int window, int index)
{
    if (vornak::Control* c = control(window, index))
        c->userClick();
}

// An entry picked in a drive or file list (-1: none).
void vornak_select(int window, int index, int entry)
{
    if (vornak::Control* c = control(window, index))
        c->userSelect(entry);
}

// An entry of a folder list opened.
void vornak_open(int window, int index, int entry)
{
    if (vornak::Control* c = control(window, index))
        c->userOpen(entry);
}

// A text box edited: its whole text.
void vornak_edit(int window, int index, const char* text)
{
    if (vornak::Control* c = control(window, index))
        c->userEdit(text);
}

// An arrow key on a control: in an option group, the option it reaches
// gets the focus and is chosen (OptionButton::userArrow).
void vornak_arrow(int window, int index, int forward)
{
    if (vornak::Control* c = control(window, index))
        c->userArrow(forward != 0);
}

// A key that produces a character, on a window.
void vornak_key(int window, int character)
{
    if (vornak::Form* form = frontEnd ? frontEnd->form(window) : nullptr)
        form->userKeyPress(character);
}

// The close box of a window's title bar.
void vornak_close(int window)
{
    if (vornak::Form* form = frontEnd ? frontEnd->form(window) : nullptr)
        form->userClose();
}

}  // extern "C"

int main()
{
    // The program lives for as long as the page: main returns to the
    // browser, and the entry points above carry on.
    static vornak::web::FrontEnd ui;
    static vornak::web::FileSystem fileSystem;
    static vornak::Shell shell(vornak::forms::catalogue(), ui, fileSystem);
    frontEnd = &ui;
    shell.start();
    return 0;
}
