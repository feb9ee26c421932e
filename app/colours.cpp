#include "colours.h"

#include "design.h"

#include <iterator>

namespace vornak {

namespace {

// The classic scheme's system colours, by index (0xRRGGBB).
constexpr uint32_t kSystemColours[] = {
    0xC0C0C0,  //  0 scroll bar
    0x008080,  //  1 desktop
    0x000080,  //  2 active caption
    0x808080,  //  3 inactive caption
    0xC0C0C0,  //  4 menu
    0xFFFFFF,  //  5 window
    0x000000,  //  6 window frame
    0x000000,  //  7 menu text
    0x000000,  //  8 window text
    0xFFFFFF,  //  9 caption text
    0xC0C0C0,  // 10 active border
    0xC0C0C0,  // 11 inactive border
    0x808080,  // 12 application workspace
    0x000080,  // 13 highlight
    0xFFFFFF,  // 14 highlighted text
    0xC0C0C0,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC0C0C0,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x000000,  // 21 3D dark shadow
    0xDFDFDF,  // 22 3D light
    0x000000,  // 23 tooltip text
    0xFFFFE1,  // 24 tooltip background
};

}  // namespace

uint32_t classicRgb(uint32_t colour, uint32_t typeDefault)
{
    if (colour == kDefaultColour)
        colour = typeDefault;
    if (isSystemColour(colour)) {
        const uint32_t index = colour & 0xFFu;
        return index < std::size(kSystemColours) ? kSystemColours[index] : 0;
    }
    return (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}

}  // namespace vornak
