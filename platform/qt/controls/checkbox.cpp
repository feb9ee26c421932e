// A check box: checked (1) or clear (0); a click of the user toggles it.
#include "piece.h"

#include "app/controls/checkbox.h"

#include <QCheckBox>

namespace vornak::qt {

namespace {

// The whole box takes the click, as the system's own control does.
class Check : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& at) const override { return rect().contains(at); }
};

class CheckBoxPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* check = new Check(parent);
        check->setGeometry(toQt(at.box));
        show(c, check, Property::Caption);
        show(c, check, Property::Value);
        return check;
    }
    void show(Control& c, QWidget* w, Property p) const override
    {
        auto* check = static_cast<QCheckBox*>(w);
        const CheckBox& box = c.as<CheckBox>();
        if (p == Property::Caption) {
            check->setText(toQt(box.shownCaption()));
            return;
        }
        check->setChecked(box.value() == 1);
    }
    void report(Control& c, QWidget* w) const override
    {
        QObject::connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, [&c] { c.userClick(); });
    }
};

}  // namespace

VORNAK_PIECE(CheckBox, CheckBoxPiece)

}  // namespace vornak::qt
