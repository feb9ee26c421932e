// The marks of the folder list, drawn once, here, as pixel art that every
// front end turns into its own picture: an open folder before the open
// folder and its ancestors, a closed one before each subfolder. Each level
// is indented by kFolderIndent pixels more than the one above.
#pragma once

#include <cstdint>
#include <string_view>

namespace vornak {

constexpr int kFolderMarkWidth = 16;
constexpr int kFolderMarkHeight = 13;
constexpr int kFolderIndent = 7;

// One character a pixel: '.' lets the list show through, the others are
// folderMarkColour's.
// clang-format off
constexpr std::string_view kOpenFolderMark[kFolderMarkHeight] = {
    "................",
    ".KKKKKK.........",
    ".KOOOOK.........",
    ".KKKKKKKKKKKK...",
    ".KYYYYYYYYYYK...",
    ".KYYYYYYYYYYK...",
    ".KYYKKKKKKKKKKKK",
    ".KYKPPPPPPPPPPK.",
    ".KYKPPPPPPPPPPK.",
    ".KKPPPPPPPPPPK..",
    ".KKPPPPPPPPPPK..",
    ".KKKKKKKKKKKK...",
    "................",
};

constexpr std::string_view kClosedFolderMark[kFolderMarkHeight] = {
    "................",
    ".KKKKKK.........",
    ".KOOOOK.........",
    ".KKKKKKKKKKKKK..",
    ".KYYYYYYYYYYYK..",
    ".KYYYYYYYYYYYK..",
    ".KYYYYYYYYYYYK..",
    ".KYYYYYYYYYYYK..",
    ".KYYYYYYYYYYYK..",
    ".KYYYYYYYYYYYK..",
    ".KYYYYYYYYYYYK..",
    ".KKKKKKKKKKKKK..",
    "................",
};
// clang-format on

constexpr const std::string_view* folderMark(bool open)
{
    return open ? kOpenFolderMark : kClosedFolderMark;
}

// A mark's pixel as 0xRRGGBB; false for one that lets the list show through.
constexpr bool folderMarkColour(char pixel, uint32_t& rgb)
{
    switch (pixel) {
    case 'K': rgb = 0x000000; return true;  // outline
    case 'O': rgb = 0x808000; return true;  // the tab and the back
    case 'Y': rgb = 0xFFFF00; return true;  // the folder
    case 'P': rgb = 0xFFFFC0; return true;  // the open folder's flap
    default: return false;
    }
}

}  // namespace vornak
