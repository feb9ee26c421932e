// An option button as the era's dialogs have it: Tab enters its group at
// the chosen button; the arrow keys move round the group, wrapping at the
// ends, and the button they reach is chosen, raising its Click (the core
// may then put the choice back). Qt's own arrow keys move by geometry,
// stop at the ends and choose only when the button they leave was chosen.
#include "pieces.h"

#include "app/form.h"

#include <QKeyEvent>
#include <QRadioButton>
#include <QSignalBlocker>

namespace vornak::qt {

namespace {

void setTabStop(QRadioButton* radio, bool on)
{
    radio->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

class Radio : public QRadioButton {
public:
    Radio(Control& control, QWidget* parent) : QRadioButton(toQt(control.caption()), parent), control_(control) {}

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        const int key = e->key();
        const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
        if (!arrow || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            QRadioButton::keyPressEvent(e);
            return;
        }
        e->accept();
        const bool forward = key == Qt::Key_Down || key == Qt::Key_Right;
        Control* to = control_.form().nextInGroup(control_, forward);
        if (!to)
            return;
        // The buttons of one group share a frame, and so a parent widget.
        if (auto* target = parentWidget()->findChild<QRadioButton*>(toQt(std::string(to->name())), Qt::FindDirectChildrenOnly))
            target->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        to->userClick();
    }

private:
    Control& control_;
};

class OptionButton : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* radio = new Radio(c, parent);
        radio->setAutoExclusive(true);
        radio->setChecked(c.value() != kFalse);
        radio->setGeometry(box);
        setTabStop(radio, radio->isChecked());
        // A click or Space: Qt checks the button, the control raises its
        // Click.
        QObject::connect(radio, &QRadioButton::toggled, [&c, radio](bool on) {
            setTabStop(radio, on);
            if (on)
                c.userClick();
        });
        return radio;
    }
    void reflect(Control& c, QWidget* w, Property p) const override
    {
        auto* radio = static_cast<QRadioButton*>(w);
        if (p == Property::Caption) {
            radio->setText(toQt(c.caption()));
            return;
        }
        const bool on = c.value() != kFalse;
        setTabStop(radio, on);
        const QSignalBlocker block(radio);
        if (on) {
            radio->setChecked(true);
        } else if (radio->isChecked()) {
            // An exclusive group never lets its checked button go by itself.
            radio->setAutoExclusive(false);
            radio->setChecked(false);
            radio->setAutoExclusive(true);
        }
    }
};

}  // namespace

const Piece& optionButtonPiece()
{
    static const OptionButton piece;
    return piece;
}

}  // namespace vornak::qt
