// A label: plain text, wrapped within its box, in the design's colours
// where it has colours of its own.
#include "piece.h"
#include "qtapplication.h"

#include "app/controls/label.h"

#include <QLabel>

namespace vornak::qt {

namespace {

class LabelPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        const ControlDesign& d = c.design();
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | (d.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
        label->setGeometry(toQt(at.box));
        if (d.backColour != kDefaultColour || d.foreColour != kDefaultColour) {
            QPalette p = label->palette();
            p.setColor(QPalette::Window, designColour(d.backColour, c.kind().backColour));
            p.setColor(QPalette::WindowText, designColour(d.foreColour, c.kind().foreColour));
            label->setPalette(p);
            label->setAutoFillBackground(d.backColour != kDefaultColour);
        }
        show(c, label, Property::Caption);
        return label;
    }
    void show(Control& c, QWidget* w, Property) const override
    {
        static_cast<QLabel*>(w)->setText(toQt(c.as<Label>().shownCaption()));
    }
    void report(Control&, QWidget*) const override {}
};

}  // namespace

VORNAK_PIECE(Label, LabelPiece)

}  // namespace vornak::qt
