// A text box: one line, editable, without a length limit beyond Qt's own.
// As everywhere in the program, a key with Alt (or the logo key) held
// produces no character.
#include "pieces.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

namespace vornak::qt {

namespace {

class Edit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if ((e->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) && !e->text().isEmpty()) {
            e->ignore();
            return;
        }
        QLineEdit::keyPressEvent(e);
    }
};

class TextBox : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* edit = new Edit(toQt(c.text()), parent);
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setGeometry(box);
        QObject::connect(edit, &QLineEdit::textEdited, [&c](const QString& t) { c.userEdit(t.toStdString()); });
        return edit;
    }
    void reflect(Control& c, QWidget* w, Property) const override
    {
        auto* edit = static_cast<QLineEdit*>(w);
        const QString text = toQt(c.text());
        if (edit->text() != text)
            edit->setText(text);
    }
};

}  // namespace

const Piece& textBoxPiece()
{
    static const TextBox piece;
    return piece;
}

}  // namespace vornak::qt
