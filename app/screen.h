// How a screen of any resolution shows the windows. The designs and the
// dialog face exist at the three resolutions of the era, 96, 120 and 144
// dots per inch; any other screen gets the nearest of those enlarged by a
// whole number, every pixel a square block of pixels, never smoothed: what
// a sharp display of an old program looks like today. "Nearest" is by
// proportion, and of two ways to the same size the one with the larger
// factor wins, so that 288 is the 96-dpi design tripled.
//
//   screen dpi   device-pixel ratio   usual setting        drawn as
//      -  107       - 1.11            100%                  96 x 1
//    108 -  131    1.125 - 1.37       125%                 120 x 1
//    132 -  166    1.375 - 1.73       150%                 144 x 1
//    167 -  214    1.74  - 2.23       175%, 200%            96 x 2
//    215 -  262    2.24  - 2.73       225%, 250%, 2.625    120 x 2
//    263 -  321    2.74  - 3.34       275%, 300%            96 x 3
//    322 -  371    3.35  - 3.86       350%                 120 x 3
//    372 -  407    3.87  - 4.24       400%                  96 x 4
//   and so on: 144 x 3 from 408, 96 x 5 from 456, ...
#pragma once

namespace vornak {

struct Drawing {
    int designDpi = 96;  // the resolution the designs and the face are drawn at: 96, 120 or 144
    int factor = 1;      // every pixel of that drawing a block of factor x factor pixels
    constexpr int dpi() const { return designDpi * factor; }
    constexpr bool operator==(const Drawing&) const = default;
};

// The drawing for a screen of the given dots per inch (96 times its
// device-pixel ratio); 96 x 1 for anything below 96, or nothing sensible.
Drawing drawingFor(double dpi);

}  // namespace vornak
