#include "app/art.h"

namespace vornak {

std::span<const unsigned char> dialogFontTrueType(int dpi)
{
    const int height = (8 * dpi + 36) / 72;
    const std::span<const FaceStrike> strikes = dialogFaceStrikes();
    std::span<const unsigned char> chosen = strikes.empty() ? std::span<const unsigned char>()
                                                            : strikes.front().trueType;
    for (const FaceStrike& s : strikes)
        if (s.characterHeight <= height)
            chosen = s.trueType;
    return chosen;
}

}  // namespace vornak
