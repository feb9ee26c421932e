#include "screen.h"

#include <cmath>

namespace vornak {

Drawing drawingFor(double dpi)
{
    constexpr int kDesigns[] = {96, 120, 144};
    constexpr int kLargestFactor = 64;
    if (!(dpi > 96))  // below the era's smallest, or not a number
        return {};
    Drawing best;
    double nearest = HUGE_VAL;
    for (int factor = 1; factor <= kLargestFactor; ++factor)
        for (int design : kDesigns) {
            const Drawing d{design, factor};
            const double distance = std::fabs(std::log(d.dpi() / dpi));
            // Within a hair counts as equal: the smaller size, and of the
            // same size the larger factor.
            const bool closer = distance < nearest - 1e-9;
            const bool tied = distance < nearest + 1e-9;
            if (closer || (tied && (d.dpi() < best.dpi() || (d.dpi() == best.dpi() && factor > best.factor)))) {
                best = d;
                nearest = distance;
            }
        }
    return best;
}

}  // namespace vornak
