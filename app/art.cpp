#include "app/art.h"

namespace vornak {

const FaceStrike* dialogFaceStrike(int dpi)
{
    const int height = (8 * dpi + 36) / 72;
    const std::span<const FaceStrike> strikes = dialogFaceStrikes();
    const FaceStrike* chosen = strikes.empty() ? nullptr : &strikes.front();
    for (const FaceStrike& s : strikes)
        if (s.characterHeight <= height)
            chosen = &s;
    return chosen;
}

}  // namespace vornak
