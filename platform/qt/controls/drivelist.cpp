// A drive list: a drop-down list of the drives.
#include "pieces.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace vornak::qt {

namespace {

void fill(QComboBox* box, const Control& c)
{
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& d : c.items())
        box->addItem(shown(d));
    box->setCurrentIndex(c.listIndex());
}

class DriveList : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* combo = new QComboBox(parent);
        fill(combo, c);
        combo->setGeometry(box);
        QObject::connect(combo, &QComboBox::activated, [&c](int index) { c.userSelect(index); });
        return combo;
    }
    void reflect(Control& c, QWidget* w, Property) const override { fill(static_cast<QComboBox*>(w), c); }
};

}  // namespace

const Piece& driveListPiece()
{
    static const DriveList piece;
    return piece;
}

}  // namespace vornak::qt
