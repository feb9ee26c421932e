// The classic Windows colour scheme, for the front ends that draw the
// program's windows themselves rather than with the system's colours.
#pragma once

#include <cstdint>

namespace vornak {

// A design colour (0x00BBGGRR, or a system colour 0x800000nn) as the
// classic scheme shows it, as 0xRRGGBB; typeDefault (a design colour, the
// control type's own) where the design gives none.
uint32_t classicRgb(uint32_t colour, uint32_t typeDefault);

}  // namespace vornak
