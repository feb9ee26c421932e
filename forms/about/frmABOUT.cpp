// The About dialog. It has no buttons: any key that produces a character
// stalls the program and then opens the final picture.
#include "app/shell.h"
#include "forms/catalogue.h"

namespace vornak::forms {

namespace {

using T = ControlType;

void Form_KeyPress(Form& me)
{
    me.shell().setHourglass();
    me.shell().busyPause();
    me.shell().show("frmFINAL");
    me.shell().restoreCursor();
}

}  // namespace

const FormClass& frmABOUT()
{
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = T::Label, .name = "Label5", .caption = "http://www.example.com/~vornak/", .left = 120, .top = 2520, .width = 3855, .height = 255, .tabIndex = 4},
        {.type = T::Label, .name = "Label4", .caption = "Visit My Homepage at", .left = 1080, .top = 2280, .width = 1695, .height = 255, .tabIndex = 3, .backColour = 0x8000000Au, .foreColour = 0x000000FFu},
        {.type = T::Label, .name = "Label3", .caption = "Please send any problems or suggestions to Vornak: vornak@example.com", .left = 120, .top = 1320, .width = 2055, .height = 855, .tabIndex = 2},
        {.type = T::Label, .name = "Label2", .caption = "(c) 1998 Vornak", .left = 120, .top = 840, .width = 2055, .height = 495, .tabIndex = 1},
        {.type = T::Label, .name = "Label1", .caption = "This Program is FREEWARE. This means that you can give it to anyone you want.", .left = 120, .top = 120, .width = 2175, .height = 615, .tabIndex = 0},
        {.type = T::Image, .name = "Image1", .left = 2640, .top = 120, .width = 1140, .height = 1560, .picture = "portrait", .border = true},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmABOUT",
            .caption = "About",
            .width = 4035,
            .height = 2910,
            .keyPreview = true,
            .controls = controls,
        },
        {{{}, Event::KeyPress, Form_KeyPress}},
    };
    return cls;
}

}  // namespace vornak::forms
