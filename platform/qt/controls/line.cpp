// A line: one pixel wide in the design's colour, from its first point to
// its second, the end point not drawn, like the platform's own line drawing.
#include "piece.h"
#include "qtapplication.h"
#include "qtenlarged.h"

#include <QPainter>
#include <QWidget>

namespace vornak::qt {

namespace {

class LineWidget : public QWidget {
public:
    LineWidget(const ControlLayout& at, QColor colour, QWidget* parent)
        : QWidget(parent), from_(at.from.x, at.from.y), to_(at.to.x, at.to.y), colour_(colour)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(toQt(at.box));
    }

protected:
    // Drawn at the design's resolution: on a screen that enlarges it, as
    // thick as the factor.
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintAtDesign(&p, rect(), [this](QPainter* d) {
            d->setPen(QPen(colour_, 1));
            QPoint end = to_;
            if (end.x() != from_.x())
                end.rx() -= end.x() > from_.x() ? 1 : -1;
            if (end.y() != from_.y())
                end.ry() -= end.y() > from_.y() ? 1 : -1;
            d->drawLine(from_, end);
        });
    }

private:
    QPoint from_, to_;
    QColor colour_;
};

class LinePiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        return new LineWidget(at, designColour(c.design().foreColour, c.kind().foreColour), parent);
    }
    void show(Control&, QWidget*, Property) const override {}
    void report(Control&, QWidget*) const override {}
};

}  // namespace

VORNAK_PIECE(Line, LinePiece)

}  // namespace vornak::qt
