// The final picture window: one large picture and nothing else.
#include "forms/catalogue.h"

namespace vornak::forms {

const FormClass& frmFINAL()
{
    // The image is one pixel taller than the window, so the picture's last
    // row is cut off.
    // clang-format off
    static const ControlDesign controls[] = {
        {.type = ControlType::Image, .name = "Image1", .left = 0, .top = 0, .width = 9300, .height = 4605, .picture = "final"},
    };
    // clang-format on
    static const FormClass cls{
        {
            .name = "frmFINAL",
            .caption = "Hombre Carente de Pelo",
            .width = 9300,
            .height = 4590,
            .position = StartPosition::CentreScreen,
            .controls = controls,
        },
        {},
    };
    return cls;
}

}  // namespace vornak::forms
