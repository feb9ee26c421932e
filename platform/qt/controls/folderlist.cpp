// A folder list: the open folder's ancestry, each level indented under an
// open-folder mark, then its subfolders under closed-folder marks; a
// double click (or Enter) opens an entry.
#include "pieces.h"

#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

namespace vornak::qt {

namespace {

constexpr int kLevelRole = Qt::UserRole;
constexpr int kIndentPixels = 7;

QPixmap folderMark(bool open)
{
    QPixmap pm(16, 13);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    p.setBrush(QColor(0x80, 0x80, 0x00));
    p.drawRect(1, 1, 5, 2);  // the tab and the back of the folder
    p.setBrush(QColor(0xFF, 0xFF, 0x00));
    if (open) {
        p.drawRect(1, 3, 11, 8);
        const QPoint flap[] = {{1, 11}, {4, 6}, {15, 6}, {12, 11}};
        p.setBrush(QColor(0xFF, 0xFF, 0xC0));
        p.drawPolygon(flap, 4);
    } else {
        p.drawRect(1, 3, 12, 8);
    }
    return pm;
}

// The rows: a folder mark, indented by its level.
class Indented : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        o.rect.setLeft(o.rect.left() + index.data(kLevelRole).toInt() * kIndentPixels);
        QStyledItemDelegate::paint(painter, o, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.rwidth() += index.data(kLevelRole).toInt() * kIndentPixels;
        return s;
    }
};

void fill(QListWidget* list, const Control& c)
{
    static const QIcon openMark(folderMark(true)), closedMark(folderMark(false));
    const QSignalBlocker block(list);
    list->clear();
    for (const FolderEntry& f : c.folders()) {
        auto* item = new QListWidgetItem(f.open ? openMark : closedMark, shown(f.name));
        item->setData(kLevelRole, f.level);
        list->addItem(item);
    }
    list->setCurrentRow(c.listIndex());
}

class FolderList : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const QRect& box, int) const override
    {
        auto* list = new QListWidget(parent);
        list->setItemDelegate(new Indented(list));
        list->setIconSize(QSize(16, 13));
        list->setUniformItemSizes(true);
        fill(list, c);
        list->setGeometry(box);
        QObject::connect(list, &QListWidget::itemActivated, [&c, list](QListWidgetItem* item) { c.userOpen(list->row(item)); });
        return list;
    }
    void reflect(Control& c, QWidget* w, Property) const override { fill(static_cast<QListWidget*>(w), c); }
};

}  // namespace

const Piece& folderListPiece()
{
    static const FolderList piece;
    return piece;
}

}  // namespace vornak::qt
