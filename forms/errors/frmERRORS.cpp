// The three canned failures: one message and an "OK" that hides it.
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

template <const char* Name>
void Command1_Click(Form& me)
{
    me.shell().hide(Name);
}

constexpr char kNO[] = "frmNO";
constexpr char kNO1[] = "frmNO1";
constexpr char kRUN[] = "frmRUN";

void Form_Load(Form& me)
{
    // The main window set the hourglass before asking for this dialog.
    me.shell().busyPause();
    me.shell().restoreCursor();
}

}  // namespace

const FormClass& frmNO()
{
    static const ControlDesign controls[] = {
        {.type = T::CommandButton, .name = "Command1", .caption = "OK", .left = 1740, .top = 480, .width = 1215, .height = 375, .tabIndex = 1},
        {.type = T::Label, .name = "Label1", .caption = "Error: Only 2048 kb of main video memory were found.", .left = 360, .top = 120, .width = 3975, .height = 375, .tabIndex = 0},
    };
    static const FormClass cls{
        {
            .name = kNO,
            .caption = "Error",
            .width = 4695,
            .height = 975,
            .icon = Icon::Match,
            .controls = controls,
        },
        {{"Command1", Event::Click, Command1_Click<kNO>}},
    };
    return cls;
}

const FormClass& frmNO1()
{
    static const ControlDesign controls[] = {
        {.type = T::CommandButton, .name = "Command1", .caption = "OK", .left = 1740, .top = 480, .width = 1215, .height = 375, .tabIndex = 1},
        {.type = T::Label, .name = "Label1", .caption = "Error: 170 Mhz RAMDAC Detected", .left = 1080, .top = 120, .width = 2535, .height = 375, .tabIndex = 0},
    };
    static const FormClass cls{
        {
            .name = kNO1,
            .caption = "Error",
            .width = 4695,
            .height = 975,
            .icon = Icon::Match,
            .controls = controls,
        },
        {{"Command1", Event::Click, Command1_Click<kNO1>}},
    };
    return cls;
}

const FormClass& frmRUN()
{
    static const ControlDesign controls[] = {
        {.type = T::CommandButton, .name = "Command1", .caption = "OK", .left = 1680, .top = 840, .width = 1335, .height = 495, .tabIndex = 1},
        {.type = T::Label, .name = "Label1",
         .caption = "Fatal Error: code 003F. Obsolete Display Driver Found!, try changing the driver. You can download it from Matrox Website (www.matrox.example/support)",
         .left = 120, .top = 120, .width = 4455, .height = 735, .tabIndex = 0, .alignment = Alignment::Centre},
    };
    static const FormClass cls{
        {
            .name = kRUN,
            .caption = "Error: Driver Negotitiation (0E003F)",
            .width = 4695,
            .height = 1455,
            .icon = Icon::Match,
            .controls = controls,
        },
        {
            {{}, Event::Load, Form_Load},
            {"Command1", Event::Click, Command1_Click<kRUN>},
        },
    };
    return cls;
}

}  // namespace vornak::forms
