// A label: plain text, wrapped within its box, in the design's colours
// where it has colours of its own.
#include "pieces.h"
#include "qtapplication.h"

#include <QLabel>

namespace vornak::qt {

namespace {

class Label : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        const ControlDesign& d = c.design();
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | (d.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
        label->setText(shown(c.caption()));
        label->setGeometry(box);
        if (d.backColour != kDefaultColour || d.foreColour != kDefaultColour) {
            QPalette p = label->palette();
            p.setColor(QPalette::Window, designColour(d.backColour, c.kind().backColour));
            p.setColor(QPalette::WindowText, designColour(d.foreColour, c.kind().foreColour));
            label->setPalette(p);
            label->setAutoFillBackground(d.backColour != kDefaultColour);
        }
        return label;
    }
    void reflect(Control& c, QWidget* w, Property) const override { static_cast<QLabel*>(w)->setText(shown(c.caption())); }
};

}  // namespace

const Piece& labelPiece()
{
    static const Label piece;
    return piece;
}

}  // namespace vornak::qt
