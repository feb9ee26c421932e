// The pictures, icons and dialog font that travel inside the program, as
// files in memory. Made at build time by tools/embed.py from resources/.
#pragma once

#include "design.h"

#include <cstddef>
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

// The era's dialog face, "MS Sans Serif": as the classic Windows bitmap
// font file (.fon), which Windows and Wine take, and as one TrueType file
// for each of its bitmap strikes, an outline font whose outlines are
// exactly that strike's pixels, for toolkits that draw with FreeType and
// wherever a strike is enlarged by a whole number.
std::span<const unsigned char> dialogFontBitmap();

struct FaceStrike {
    int characterHeight;  // pixels: the cell less its internal leading
    // The pixel size that draws the strike's own pixels (its cell's
    // height); a whole multiple of it draws each of them as a block.
    int pixelSize;
    std::span<const unsigned char> trueType;
};
// The strikes, smallest first.
std::span<const FaceStrike> dialogFaceStrikes();
// The same outline fonts packed with zlib (RFC 1950), for the Windows
// program, which unpacks the one it needs: size is its unpacked size.
struct PackedFaceStrike {
    int characterHeight;
    int pixelSize;
    size_t size;
    std::span<const unsigned char> packed;
};
std::span<const PackedFaceStrike> dialogFaceStrikesPacked();
// The strike that draws 8 points at a resolution, as Windows picks it from
// the bitmap font: the largest whose character height is at most
// round(8 x dpi / 72) pixels, the smallest where none is (13-pixel lines at
// 96 dpi, 16 at 120, 20 at 144), so that texts grow with their boxes. Null
// when there are no strikes.
const FaceStrike* dialogFaceStrike(int dpi);

}  // namespace vornak
