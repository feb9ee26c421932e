// The pictures, icons and dialog font that travel inside the program, as
// files in memory. Made at build time by tools/embed.py from resources/.
#pragma once

#include "design.h"

#include <span>
#include <string_view>

namespace vornak {

// A picture of app/pictures.h by the name a design gives it, as a PNG file
// (24-bit colour, lossless); empty for a name there is none of.
std::span<const unsigned char> picturePng(std::string_view name);

// An icon as an .ico file with its 32 x 32 and 16 x 16 images in 16 colours,
// and each image as a PNG file with transparency.
std::span<const unsigned char> iconFile(Icon icon);
std::span<const unsigned char> iconPng(Icon icon, int size);

// The era's 8-point dialog face, "MS Sans Serif": as a TrueType file of
// bitmap strikes, which toolkits that draw with FreeType take, and as the
// classic Windows bitmap font file (.fon), which Windows and Wine take.
std::span<const unsigned char> dialogFontTrueType();
std::span<const unsigned char> dialogFontBitmap();

}  // namespace vornak
