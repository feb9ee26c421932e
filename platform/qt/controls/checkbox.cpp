// A check box: checked (1) or clear (0); a click of the user toggles it.
#include "pieces.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace vornak::qt {

namespace {

class CheckBox : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* check = new QCheckBox(toQt(c.caption()), parent);
        check->setChecked(c.value() == 1);
        check->setGeometry(box);
        QObject::connect(check, &QCheckBox::clicked, [&c] { c.userClick(); });
        return check;
    }
    void reflect(Control& c, QWidget* w, Property p) const override
    {
        auto* check = static_cast<QCheckBox*>(w);
        if (p == Property::Caption) {
            check->setText(toQt(c.caption()));
            return;
        }
        const QSignalBlocker block(check);
        check->setChecked(c.value() == 1);
    }
};

}  // namespace

const Piece& checkBoxPiece()
{
    static const CheckBox piece;
    return piece;
}

}  // namespace vornak::qt
