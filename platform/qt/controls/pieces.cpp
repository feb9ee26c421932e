#include "piece.h"

#include "app/text.h"

#include <iterator>

namespace vornak::qt {

const Piece& pieceFor(ControlType type)
{
    static const Piece* const pieces[] = VORNAK_PIECE_TABLE;
    static_assert(std::size(pieces) == kControlTypeCount);
    return *pieces[static_cast<unsigned>(type)];
}

QRect toQt(const Rect& r)
{
    return QRect(r.left, r.top, r.width, r.height);
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
