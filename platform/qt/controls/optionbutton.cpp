// An option button as the era's dialogs have it: Tab enters its group at
// the chosen button; the arrow keys go round the group (the core's
// OptionButton::userArrow). Qt's own arrow keys move by geometry, stop at
// the ends and choose only when the button they leave was chosen.
#include "piece.h"

#include "app/controls/optionbutton.h"

#include <QKeyEvent>
#include <QRadioButton>

namespace vornak::qt {

namespace {

void setTabStop(QRadioButton* radio, bool on)
{
    radio->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

class Radio : public QRadioButton {
public:
    Radio(Control& control, QWidget* parent) : QRadioButton(parent), control_(control) {}

protected:
    // The whole box takes the click, as the system's own control does.
    bool hitButton(const QPoint& at) const override { return rect().contains(at); }

    void keyPressEvent(QKeyEvent* e) override
    {
        const int key = e->key();
        const bool arrow = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
        if (!arrow || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            QRadioButton::keyPressEvent(e);
            return;
        }
        e->accept();
        control_.userArrow(key == Qt::Key_Down || key == Qt::Key_Right);
    }

private:
    Control& control_;
};

class OptionButtonPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* radio = new Radio(c, parent);
        radio->setAutoExclusive(true);
        radio->setGeometry(toQt(at.box));
        show(c, radio, Property::Caption);
        show(c, radio, Property::Value);
        return radio;
    }
    void show(Control& c, QWidget* w, Property p) const override
    {
        auto* radio = static_cast<QRadioButton*>(w);
        const OptionButton& option = c.as<OptionButton>();
        if (p == Property::Caption) {
            radio->setText(toQt(option.shownCaption()));
            return;
        }
        const bool on = option.value() != kFalse;
        setTabStop(radio, on);
        if (on) {
            radio->setChecked(true);
        } else if (radio->isChecked()) {
            // An exclusive group never lets its checked button go by itself.
            radio->setAutoExclusive(false);
            radio->setChecked(false);
            radio->setAutoExclusive(true);
        }
    }
    // A click or Space: Qt checks the button, the control raises its Click.
    void report(Control& c, QWidget* w) const override
    {
        auto* radio = static_cast<QRadioButton*>(w);
        QObject::connect(radio, &QRadioButton::toggled, [&c, radio](bool on) {
            setTabStop(radio, on);
            if (on)
                c.userClick();
        });
    }
};

}  // namespace

VORNAK_PIECE(OptionButton, OptionButtonPiece)

}  // namespace vornak::qt
