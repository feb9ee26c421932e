// A command button: a push button that raises Click. Enter presses the
// button that has the focus, as it does in the era's dialogs; Space
// presses it too (Qt's own handling).
#include "piece.h"

#include "app/controls/commandbutton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace vornak::qt {

namespace {

class Button : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && e->modifiers() == Qt::NoModifier) {
            click();
            return;
        }
        QPushButton::keyPressEvent(e);
    }
};

class CommandButtonPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* button = new Button(parent);
        button->setAutoDefault(false);
        button->setGeometry(toQt(at.box));
        show(c, button, Property::Caption);
        return button;
    }
    void show(Control& c, QWidget* w, Property) const override
    {
        static_cast<QPushButton*>(w)->setText(toQt(c.as<CommandButton>().shownCaption()));
    }
    void report(Control& c, QWidget* w) const override
    {
        QObject::connect(static_cast<QPushButton*>(w), &QPushButton::clicked, [&c] { c.userClick(); });
    }
};

}  // namespace

VORNAK_PIECE(CommandButton, CommandButtonPiece)

}  // namespace vornak::qt
