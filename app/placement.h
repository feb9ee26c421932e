// Where a window goes on the screen when it is first shown.
#pragma once

#include "design.h"
#include "geometry.h"

namespace vornak {

// The top left corner of a window's frame (title bar and border included)
// when the window is first shown: the frame centred on its owner's frame
// when the design says so and there is an owner (the window whose event
// procedure showed it), on the work area otherwise; then moved into the
// work area. A frame larger than the work area keeps its top left corner
// inside, so that its title bar can always be grabbed.
Point placeFrame(
    const FormDesign& design, int frameWidth, int frameHeight, const Rect* ownerFrame, const Rect& workArea);

}  // namespace vornak
