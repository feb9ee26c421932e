// The fatal driver error that every "Run EXE" ends in, after the pause it
// loads with: one message and an "OK" that hides it.
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

void Command1_Click(Form& me)
{
    me.shell().hide("frmRUN");
}

void Form_Load(Form& me)
{
    // The main window set the hourglass before asking for this dialog.
    me.shell().busyPause();
    me.shell().restoreCursor();
}

}  // namespace

const FormClass& frmRUN()
{
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = T::CommandButton, .name = "Command1", .caption = "OK", .left = 1680, .top = 840, .width = 1335, .height = 495, .tabIndex = 1},
        {.type = T::Label, .name = "Label1",
         .caption = "Fatal Error: code 003F. Obsolete Display Driver Found!, try changing the driver. You can download it from Matrox Website (www.matrox.example/support)",
         .left = 120, .top = 120, .width = 4455, .height = 735, .tabIndex = 0, .alignment = Alignment::Centre},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmRUN",
            .caption = "Error: Driver Negotitiation (0E003F)",
            .width = 4695,
            .height = 1455,
            .icon = Icon::Match,
            .controls = controls,
        },
        {
            {{}, Event::Load, Form_Load},
            {"Command1", Event::Click, Command1_Click},
        },
    };
    return cls;
}

}  // namespace vornak::forms
