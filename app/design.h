// Window designs as data: what a window and each of its controls look like
// when the window is loaded. Positions and sizes are in twips.
// Portable: standard library only, no toolkit header.
#pragma once

#include "controltypes.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace vornak {

enum class ControlType {
#define VORNAK_CONTROL_TYPE(type, ...) type,
    VORNAK_CONTROL_TYPES(VORNAK_CONTROL_TYPE)
#undef VORNAK_CONTROL_TYPE
};
// How many control types there are: tables indexed by ControlType have
// this many rows.
constexpr unsigned kControlTypeCount = 0
#define VORNAK_CONTROL_TYPE(type, ...) +1  // NOLINT(bugprone-macro-parentheses): summed as 0 +1 +1 ...
    VORNAK_CONTROL_TYPES(VORNAK_CONTROL_TYPE)
#undef VORNAK_CONTROL_TYPE
    ;

enum class Alignment { Left, Centre };

enum class Icon { Bolt, Match };

// Colours are 0x00BBGGRR, or a system colour 0x800000nn.
constexpr uint32_t kDefaultColour = 0xFFFFFFFFu;
constexpr bool isSystemColour(uint32_t c)
{
    return (c & 0xFF000000u) == 0x80000000u;
}

struct ControlDesign {
    ControlType type = ControlType::Label;
    std::string_view name = {};
    std::string_view container = {};  // empty: the window itself
    std::string_view caption = {};    // caption, or a text box's text
    // Left, top, width, height; for a line: x1, y1, x2, y2.
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = -1;  // -1: not in the tab order (image, line)
    int value = 0;      // option button: 1 selected; check box: 1 checked
    Alignment alignment = Alignment::Left;
    uint32_t backColour = kDefaultColour;
    uint32_t foreColour = kDefaultColour;
    std::string_view picture = {};  // resource name of an image's picture
    bool border = false;            // image: fixed single (sunken) border
    std::string_view pattern = {};  // file list
};

enum class StartPosition { CentreOwner, CentreScreen };

struct FormDesign {
    std::string_view name = {};
    std::string_view caption = {};
    int width = 0, height = 0;  // client area
    Icon icon = Icon::Bolt;
    StartPosition position = StartPosition::CentreOwner;
    bool keyPreview = false;
    bool showInTaskbar = false;
    std::span<const ControlDesign> controls = {};  // in creation order
};

// Twips to pixels at a given resolution, rounded to nearest.
constexpr int twipsToPixels(int twips, int dpi)
{
    const long long scaled = static_cast<long long>(twips) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

}  // namespace vornak
