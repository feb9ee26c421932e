// The hardware detection dialog: "Test System" pretends to examine the
// computer and writes fixed descriptions of one machine.
#include "app/controls/textbox.h"
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

void TEST_Click(Form& me)
{
    me.shell().setHourglass();
    me.shell().busyPause();
    me.get<TextBox>("Text1").setText("INTEL P55 MMX 200 Mhz, Stepping 3");
    me.get<TextBox>("Text2").setText("64 mb SDRAM, 10 ns");
    me.get<TextBox>("Text3").setText("Quantum Pioneer 2.1 Gb");
    me.get<TextBox>("Text4").setText("BCD BTC 8x");
    me.get<TextBox>("Text5").setText("SB16, SB32 or AWE32 Compatible");
    me.get<TextBox>("Text6").setText("VX Chipset Compatible");
    me.shell().restoreCursor();
}

void Command2_Click(Form& me)
{
    me.shell().hide("frmHARD");
}

}  // namespace

const FormClass& frmHARD()
{
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = T::CommandButton, .name = "Command2", .caption = "Cancel", .left = 2160, .top = 3000, .width = 1215, .height = 375, .tabIndex = 13},
        {.type = T::CommandButton, .name = "TEST", .caption = "Test System", .left = 3600, .top = 3000, .width = 1215, .height = 375, .tabIndex = 12},
        {.type = T::TextBox, .name = "Text6", .left = 1440, .top = 2160, .width = 3375, .height = 285, .tabIndex = 11},
        {.type = T::TextBox, .name = "Text5", .left = 1440, .top = 1800, .width = 3375, .height = 285, .tabIndex = 10},
        {.type = T::TextBox, .name = "Text4", .left = 1440, .top = 1440, .width = 3375, .height = 285, .tabIndex = 9},
        {.type = T::TextBox, .name = "Text3", .left = 1440, .top = 1080, .width = 3375, .height = 285, .tabIndex = 8},
        {.type = T::TextBox, .name = "Text2", .left = 1440, .top = 720, .width = 3375, .height = 285, .tabIndex = 7},
        {.type = T::TextBox, .name = "Text1", .left = 1440, .top = 360, .width = 3375, .height = 285, .tabIndex = 6},
        {.type = T::Label, .name = "Label7", .caption = "Disclaimer: This may take a few seconds so please wait, also can crash your System, so do it at your own risk.", .left = 120, .top = 2520, .width = 4695, .height = 855, .tabIndex = 14},
        {.type = T::Label, .name = "Label6", .caption = "Motherboard", .left = 240, .top = 2160, .width = 1095, .height = 255, .tabIndex = 5},
        {.type = T::Label, .name = "Label5", .caption = "Sound Card", .left = 240, .top = 1800, .width = 1095, .height = 255, .tabIndex = 4},
        {.type = T::Label, .name = "Label4", .caption = "CD-ROM", .left = 240, .top = 1440, .width = 1095, .height = 255, .tabIndex = 3},
        {.type = T::Label, .name = "Label3", .caption = "Hard Disks", .left = 240, .top = 1080, .width = 1095, .height = 255, .tabIndex = 2},
        {.type = T::Label, .name = "Label2", .caption = "Memory", .left = 240, .top = 720, .width = 1095, .height = 255, .tabIndex = 1},
        {.type = T::Label, .name = "Label1", .caption = "CPU", .left = 240, .top = 360, .width = 1095, .height = 255, .tabIndex = 0},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmHARD",
            .caption = "Hardware Detection",
            .width = 4995,
            .height = 3600,
            .controls = controls,
        },
        {
            {"TEST", Event::Click, TEST_Click},
            {"Command2", Event::Click, Command2_Click},
        },
    };
    return cls;
}

}  // namespace vornak::forms
