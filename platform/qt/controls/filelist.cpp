// A file list: the names of the open folder's files that match the
// pattern. It shows where the focus is without choosing a file: Tab puts
// the focus rectangle on the first row and selects nothing. Only a
// selection, by mouse or keys, is the user's choice.
#include "pieces.h"

#include <QFocusEvent>
#include <QListWidget>
#include <QSignalBlocker>

namespace vornak::qt {

namespace {

class List : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        QListWidget::focusInEvent(e);
        if (!currentIndex().isValid() && count() > 0 && e->reason() != Qt::MouseFocusReason)
            selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    }
};

void fill(QListWidget* list, const Control& c)
{
    const QSignalBlocker block(list);
    QStringList names;
    names.reserve(static_cast<qsizetype>(c.items().size()));
    for (const std::string& n : c.items())
        names.push_back(shown(n));
    list->clear();
    list->addItems(names);
    list->setCurrentRow(c.listIndex());
}

class FileList : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* list = new List(parent);
        list->setUniformItemSizes(true);
        fill(list, c);
        list->setGeometry(box);
        QObject::connect(list, &QListWidget::itemSelectionChanged, [&c, list] {
            const QList<QListWidgetItem*> chosen = list->selectedItems();
            c.userSelect(chosen.isEmpty() ? -1 : list->row(chosen.front()));
        });
        return list;
    }
    void reflect(Control& c, QWidget* w, Property p) const override
    {
        auto* list = static_cast<QListWidget*>(w);
        if (p != Property::ListIndex) {
            fill(list, c);
            return;
        }
        const QSignalBlocker block(list);
        list->setCurrentRow(c.listIndex());
    }
};

}  // namespace

const Piece& fileListPiece()
{
    static const FileList piece;
    return piece;
}

}  // namespace vornak::qt
