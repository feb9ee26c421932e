// A frame: a group box around the options it holds.
#include "pieces.h"

#include <QGroupBox>

namespace vornak::qt {

namespace {

class Frame : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* frame = new QGroupBox(toQt(c.caption()), parent);
        frame->setGeometry(box);
        return frame;
    }
    void reflect(Control& c, QWidget* w, Property) const override { static_cast<QGroupBox*>(w)->setTitle(toQt(c.caption())); }
};

}  // namespace

const Piece& framePiece()
{
    static const Frame piece;
    return piece;
}

}  // namespace vornak::qt
