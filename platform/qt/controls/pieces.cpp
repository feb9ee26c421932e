#include "pieces.h"

#include "app/text.h"

#include <iterator>

namespace vornak::qt {

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

QString toQt(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString shown(const std::string& text)
{
    return toQt(shownText(text));
}

}  // namespace vornak::qt
