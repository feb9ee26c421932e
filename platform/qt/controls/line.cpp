// A line: one pixel wide in the design's colour, from its first point to
// its second, the end point not drawn, like the platform's own line drawing.
#include "pieces.h"
#include "qtapplication.h"

#include <QPainter>
#include <QWidget>

namespace vornak::qt {

namespace {

class LineWidget : public QWidget {
public:
    LineWidget(QPoint from, QPoint to, QColor colour, QWidget* parent) : QWidget(parent), colour_(colour)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const QRect box = QRect(from, to).normalized();
        setGeometry(box.adjusted(0, 0, 1, 1));
        from_ = from - box.topLeft();
        to_ = to - box.topLeft();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(colour_, 1));
        QPoint end = to_;
        if (end.x() != from_.x())
            end.rx() -= end.x() > from_.x() ? 1 : -1;
        if (end.y() != from_.y())
            end.ry() -= end.y() > from_.y() ? 1 : -1;
        p.drawLine(from_, end);
    }

private:
    QPoint from_, to_;
    QColor colour_;
};

class Line : public Piece {
public:
    // The design's four numbers are the two end points.
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int dpi) const override
    {
        const ControlDesign& d = c.design();
        const QPoint to = box.topLeft() - QPoint(twipsToPixels(d.left, dpi), twipsToPixels(d.top, dpi))
                        + QPoint(twipsToPixels(d.width, dpi), twipsToPixels(d.height, dpi));
        return new LineWidget(box.topLeft(), to, designColour(d.foreColour, c.kind().foreColour), parent);
    }
    void reflect(Control&, QWidget*, Property) const override {}
};

}  // namespace

const Piece& linePiece()
{
    static const Line piece;
    return piece;
}

}  // namespace vornak::qt
