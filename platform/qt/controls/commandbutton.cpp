// A command button: a push button that raises Click. Enter presses the
// button that has the focus, as it does in the era's dialogs; Space
// presses it too (Qt's own handling).
#include "pieces.h"

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

class CommandButton : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* button = new Button(toQt(c.caption()), parent);
        button->setAutoDefault(false);
        button->setGeometry(box);
        QObject::connect(button, &QPushButton::clicked, [&c] { c.userClick(); });
        return button;
    }
    void reflect(Control& c, QWidget* w, Property) const override
    {
        static_cast<QPushButton*>(w)->setText(toQt(c.caption()));
    }
};

}  // namespace

const Piece& commandButtonPiece()
{
    static const CommandButton piece;
    return piece;
}

}  // namespace vornak::qt
