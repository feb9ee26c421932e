#include "placement.h"

#include <algorithm>

namespace vornak {

Point placeFrame(
    const FormDesign& design, int frameWidth, int frameHeight, const Rect* ownerFrame, const Rect& workArea)
{
    const Rect& around = ownerFrame && design.position == StartPosition::CentreOwner ? *ownerFrame : workArea;
    Point p{around.left + (around.width - frameWidth) / 2, around.top + (around.height - frameHeight) / 2};
    // Right and bottom first, so that left and top win where the frame does
    // not fit.
    p.x = std::max(workArea.left, std::min(p.x, workArea.left + workArea.width - frameWidth));
    p.y = std::max(workArea.top, std::min(p.y, workArea.top + workArea.height - frameHeight));
    return p;
}

}  // namespace vornak
