// The error of a video memory the Setup dialog refuses: one message and an
// "OK" that hides it.
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

void Command1_Click(Form& me)
{
    me.shell().hide("frmNO");
}

}  // namespace

const FormClass& frmNO()
{
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = T::CommandButton, .name = "Command1", .caption = "OK", .left = 1740, .top = 480, .width = 1215, .height = 375, .tabIndex = 1},
        {.type = T::Label, .name = "Label1", .caption = "Error: Only 2048 kb of main video memory were found.", .left = 360, .top = 120, .width = 3975, .height = 375, .tabIndex = 0},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmNO",
            .caption = "Error",
            .width = 4695,
            .height = 975,
            .icon = Icon::Match,
            .controls = controls,
        },
        {{"Command1", Event::Click, Command1_Click}},
    };
    return cls;
}

}  // namespace vornak::forms
