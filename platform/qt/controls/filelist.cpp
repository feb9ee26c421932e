// A file list: the names of the open folder's files that match the
// pattern. It shows where the focus is without choosing a file: Tab puts
// the focus rectangle on the first row and selects nothing. Only a
// selection, by mouse or keys, is the user's choice.
#include "piece.h"

#include "app/controls/filelist.h"

#include <QFocusEvent>
#include <QListWidget>

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

class FileListPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* list = new List(parent);
        list->setUniformItemSizes(true);
        list->setGeometry(toQt(at.box));
        show(c, list, Property::List);
        return list;
    }
    void show(Control& c, QWidget* w, Property p) const override
    {
        auto* list = static_cast<QListWidget*>(w);
        const FileList& files = c.as<FileList>();
        if (p != Property::ListIndex) {
            QStringList names;
            names.reserve(static_cast<qsizetype>(files.items().size()));
            for (const std::string& n : files.items())
                names.push_back(shown(n));
            list->clear();
            list->addItems(names);
        }
        list->setCurrentRow(files.listIndex());
    }
    void report(Control& c, QWidget* w) const override
    {
        auto* list = static_cast<QListWidget*>(w);
        QObject::connect(list, &QListWidget::itemSelectionChanged, [&c, list] {
            const QList<QListWidgetItem*> chosen = list->selectedItems();
            c.userSelect(chosen.isEmpty() ? -1 : list->row(chosen.front()));
        });
    }
};

}  // namespace

VORNAK_PIECE(FileList, FileListPiece)

}  // namespace vornak::qt
