// A folder list: the open folder's ancestry, each level indented under an
// open-folder mark, then its subfolders under closed-folder marks
// (app/foldermarks.h); a double click (or Enter) opens an entry.
#include "piece.h"

#include "app/controls/folderlist.h"
#include "app/foldermarks.h"

#include <QImage>
#include <QListWidget>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace vornak::qt {

namespace {

constexpr int kLevelRole = Qt::UserRole;

QIcon markIcon(bool open)
{
    QImage image(kFolderMarkWidth, kFolderMarkHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const std::string_view* rows = folderMark(open);
    for (int y = 0; y < kFolderMarkHeight; ++y)
        for (int x = 0; x < kFolderMarkWidth; ++x)
            if (uint32_t rgb = 0; folderMarkColour(rows[y][static_cast<size_t>(x)], rgb))
                image.setPixel(x, y, 0xFF000000u | rgb);
    return QIcon(QPixmap::fromImage(image));
}

// The rows: a folder mark, indented by its level.
class Indented : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o = option;
        o.rect.setLeft(o.rect.left() + index.data(kLevelRole).toInt() * kFolderIndent);
        QStyledItemDelegate::paint(painter, o, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.rwidth() += index.data(kLevelRole).toInt() * kFolderIndent;
        return s;
    }
};

class FolderListPiece : public Piece {
public:
    QWidget* create(Control& c, QWidget* parent, const ControlLayout& at) const override
    {
        auto* list = new QListWidget(parent);
        list->setItemDelegate(new Indented(list));
        list->setIconSize(QSize(kFolderMarkWidth, kFolderMarkHeight));
        list->setUniformItemSizes(true);
        list->setGeometry(toQt(at.box));
        show(c, list, Property::List);
        return list;
    }
    void show(Control& c, QWidget* w, Property) const override
    {
        static const QIcon openMark = markIcon(true), closedMark = markIcon(false);
        auto* list = static_cast<QListWidget*>(w);
        const FolderList& folders = c.as<FolderList>();
        list->clear();
        for (const FolderEntry& f : folders.folders()) {
            auto* item = new QListWidgetItem(f.open ? openMark : closedMark, shown(f.name));
            item->setData(kLevelRole, f.level);
            list->addItem(item);
        }
        list->setCurrentRow(folders.listIndex());
    }
    void report(Control& c, QWidget* w) const override
    {
        auto* list = static_cast<QListWidget*>(w);
        QObject::connect(list, &QListWidget::itemActivated,
                         [&c, list](QListWidgetItem* item) { c.userOpen(list->row(item)); });
    }
};

}  // namespace

VORNAK_PIECE(FolderList, FolderListPiece)

}  // namespace vornak::qt
