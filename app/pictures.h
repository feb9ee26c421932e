// The pictures and icons that the windows show, as the front ends find
// them among the program's resources.
#pragma once

#include "design.h"

#include <string_view>

namespace vornak {

struct PictureInfo {
    std::string_view name;  // as a design names it
    std::string_view file;  // under resources/pictures
    int width, height;      // pixels
    // Painted on the classic button-face grey 0xC0C0C0: that grey is shown
    // as the window's own background, so the edges never show.
    bool greyKeyed;
};

constexpr PictureInfo kPictures[] = {
    {"model", "model.bmp", 100, 43, true},
    {"starburst", "starburst.bmp", 97, 65, true},
    {"portrait", "portrait.bmp", 72, 100, false},
    {"final", "final.bmp", 620, 307, false},
};

constexpr unsigned kGreyKey = 0xC0C0C0;  // 0xRRGGBB

constexpr const PictureInfo* findPicture(std::string_view name)
{
    for (const PictureInfo& p : kPictures)
        if (p.name == name)
            return &p;
    return nullptr;
}

// Base name of an icon's files under resources/icons.
constexpr std::string_view iconName(Icon icon)
{
    return icon == Icon::Bolt ? "bolt" : "match";
}

}  // namespace vornak
