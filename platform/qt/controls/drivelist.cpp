// A drive list: a drop-down list of the drives.
#include "piece.h"

#include "app/controls/drivelist.h"

#include <QComboBox>

namespace vornak::qt {

namespace {

class DriveListPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* combo = new QComboBox(parent);
        combo->setGeometry(toQt(at.box));
        show(c, combo, Property::List);
        return combo;
    }
    void show(Control& c, QWidget* w, Property) const override
    {
        auto* combo = static_cast<QComboBox*>(w);
        const DriveList& list = c.as<DriveList>();
        combo->clear();
        for (const std::string& d : list.items())
            combo->addItem(shown(d));
        combo->setCurrentIndex(list.listIndex());
    }
    void report(Control& c, QWidget* w) const override
    {
        QObject::connect(static_cast<QComboBox*>(w), &QComboBox::activated, [&c](int index) { c.userSelect(index); });
    }
};

}  // namespace

VORNAK_PIECE(DriveList, DriveListPiece)

}  // namespace vornak::qt
