// A frame: a group box around the options it holds.
#include "piece.h"

#include "app/controls/frame.h"

#include <QGroupBox>

namespace vornak::qt {

namespace {

class FramePiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* frame = new QGroupBox(parent);
        frame->setGeometry(toQt(at.box));
        show(c, frame, Property::Caption);
        return frame;
    }
    void show(Control& c, QWidget* w, Property) const override
    {
        static_cast<QGroupBox*>(w)->setTitle(toQt(c.as<Frame>().shownCaption()));
    }
    void report(Control&, QWidget*) const override {}
};

}  // namespace

VORNAK_PIECE(Frame, FramePiece)

}  // namespace vornak::qt
