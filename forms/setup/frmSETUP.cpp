// The configuration dialog. Only the smallest video memory and the slower
// RAMDAC can be kept: any other choice shows an error and is put back.
#include "app/controls/optionbutton.h"
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

void Option2_Click(Form& me)
{
    me.shell().show("frmNO");
    me.get<OptionButton>("Option1").setValue(kTrue);
}

void Option3_Click(Form& me)
{
    me.shell().show("frmNO");
    me.get<OptionButton>("Option1").setValue(kTrue);
}

void Option4_Click(Form& me)
{
    me.get<OptionButton>("Option5").setValue(kTrue);
    me.shell().show("frmNO1");
}

void HARD_SETUP_Click(Form& me)
{
    me.shell().show("frmHARD");
}

void OK_SETUP_Click(Form& me)
{
    me.shell().hide("frmSETUP");
}

}  // namespace

const FormClass& frmSETUP()
{
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = T::Frame, .name = "Frame2", .caption = "Select RAMDAC", .left = 2520, .top = 1680, .width = 2535, .height = 855, .tabIndex = 14},
        {.type = T::OptionButton, .name = "Option5", .container = "Frame2", .caption = "170 Mhz", .left = 1320, .top = 360, .width = 1095, .height = 255, .tabIndex = 16, .value = 1},
        {.type = T::OptionButton, .name = "Option4", .container = "Frame2", .caption = "220 Mhz", .left = 240, .top = 360, .width = 975, .height = 255, .tabIndex = 15},
        {.type = T::Frame, .name = "Frame1", .caption = "Select Video Memory Available", .left = 2520, .top = 120, .width = 2535, .height = 1455, .tabIndex = 10},
        {.type = T::OptionButton, .name = "Option3", .container = "Frame1", .caption = "8192 k", .left = 240, .top = 1080, .width = 1575, .height = 255, .tabIndex = 13},
        {.type = T::OptionButton, .name = "Option2", .container = "Frame1", .caption = "4096 k", .left = 240, .top = 720, .width = 1695, .height = 255, .tabIndex = 12},
        {.type = T::OptionButton, .name = "Option1", .container = "Frame1", .caption = "2048 k", .left = 240, .top = 360, .width = 1815, .height = 255, .tabIndex = 11, .value = 1},
        {.type = T::CheckBox, .name = "Check6", .caption = "Texture Filtering", .left = 120, .top = 2280, .width = 2175, .height = 255, .tabIndex = 9},
        {.type = T::CheckBox, .name = "Check5", .caption = "Z - Buffering", .left = 120, .top = 1920, .width = 2175, .height = 255, .tabIndex = 8, .value = 1},
        {.type = T::CheckBox, .name = "Check4", .caption = "Perspective Correction", .left = 120, .top = 1560, .width = 2175, .height = 255, .tabIndex = 7},
        {.type = T::CheckBox, .name = "Check3", .caption = "RGB Trilinear Multimapping", .left = 120, .top = 1200, .width = 2295, .height = 255, .tabIndex = 6},
        {.type = T::CheckBox, .name = "Check2", .caption = "Alpha Blending", .left = 120, .top = 840, .width = 2175, .height = 255, .tabIndex = 5, .value = 1},
        {.type = T::CheckBox, .name = "Check1", .caption = "Texture Mapping", .left = 120, .top = 480, .width = 2175, .height = 255, .tabIndex = 4, .value = 1},
        {.type = T::CommandButton, .name = "HARD_SETUP", .caption = "Hardware Detection", .left = 2280, .top = 3360, .width = 1695, .height = 375, .tabIndex = 3},
        {.type = T::CommandButton, .name = "OK_SETUP", .caption = "OK", .left = 4200, .top = 3360, .width = 975, .height = 375, .tabIndex = 0},
        {.type = T::Label, .name = "Label8", .caption = "WARNING: Texture Filtering may cause a major slow down in frame rate. Pentium 166 Mhz MMX or faster CPU is recommended.", .left = 120, .top = 2760, .width = 5055, .height = 495, .tabIndex = 2},
        {.type = T::Label, .name = "Label1", .caption = "Emulate:", .left = 120, .top = 120, .width = 2415, .height = 255, .tabIndex = 1},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmSETUP",
            .caption = "Configuration",
            .width = 5385,
            .height = 3930,
            .controls = controls,
        },
        {
            {"Option2", Event::Click, Option2_Click},
            {"Option3", Event::Click, Option3_Click},
            {"Option4", Event::Click, Option4_Click},
            {"HARD_SETUP", Event::Click, HARD_SETUP_Click},
            {"OK_SETUP", Event::Click, OK_SETUP_Click},
        },
    };
    return cls;
}

}  // namespace vornak::forms
