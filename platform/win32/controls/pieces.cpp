#include "piece.h"

#include "pieces.h"

#include <iterator>

namespace vornak::win32 {

const Piece& pieceFor(ControlType type)
{
    // In the order of ControlType.
    static const Piece* const pieces[] = {
        &labelPiece(),     &commandButtonPiece(), &optionButtonPiece(), &checkBoxPiece(),
        &framePiece(),     &textBoxPiece(),       &imagePiece(),        &linePiece(),
        &driveListPiece(), &folderListPiece(),    &fileListPiece(),
    };
    static_assert(std::size(pieces) == kControlTypeCount, "one piece a control type");
    return *pieces[static_cast<unsigned>(type)];
}

COLORREF colourOf(uint32_t design, uint32_t typeDefault)
{
    const uint32_t c = design == kDefaultColour ? typeDefault : design;
    if (isSystemColour(c))
        return GetSysColor(static_cast<int>(c & 0xFFu));
    return static_cast<COLORREF>(c & 0x00FFFFFFu);
}

}  // namespace vornak::win32
