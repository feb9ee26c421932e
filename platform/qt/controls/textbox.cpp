// A text box: one line, editable, without a length limit beyond Qt's own.
// As everywhere in the program, a key with Alt (or the logo key) held
// produces no character.
#include "piece.h"

#include "app/controls/textbox.h"

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

class TextBoxPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* edit = new Edit(parent);
        edit->setMaxLength(std::numeric_limits<int>::max());
        edit->setGeometry(toQt(at.box));
        show(c, edit, Property::Text);
        return edit;
    }
    void show(Control& c, QWidget* w, Property) const override
    {
        auto* edit = static_cast<QLineEdit*>(w);
        const QString text = toQt(c.as<TextBox>().text());
        if (edit->text() != text)
            edit->setText(text);
    }
    void report(Control& c, QWidget* w) const override
    {
        QObject::connect(static_cast<QLineEdit*>(w), &QLineEdit::textEdited,
                         [&c](const QString& t) { c.userEdit(t.toStdString()); });
    }
};

}  // namespace

VORNAK_PIECE(TextBox, TextBoxPiece)

}  // namespace vornak::qt
