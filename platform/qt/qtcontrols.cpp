#include "qtcontrols.h"

#include "app/form.h"
#include "app/pictures.h"
#include "app/text.h"
#include "qtapplication.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <limits>

namespace vornak::qt {

namespace {

constexpr int kLevelRole = Qt::UserRole;
constexpr int kOpenRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 7;

// What a list or label shows of a stored text.
QString shown(const std::string& text)
{
    return toQt(shownText(text));
}

// Enter presses the button that has the focus, as it does in the era's
// dialogs; Space presses it too (Qt's own handling).
class CommandButton : public QPushButton {
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

// An option button as the era's dialogs have it: the arrow keys move round
// its group, wrapping at the ends, and the button they reach is chosen,
// raising its Click (the core may then put the choice back). Qt's own
// arrow keys move by geometry, stop at the ends and choose only when the
// button they leave was chosen.
class OptionButton : public QRadioButton {
public:
    OptionButton(Control& control, QWidget* parent) : QRadioButton(toQt(control.caption()), parent), control_(control) {}

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

// A file list that shows where the focus is without choosing a file: Tab
// puts the focus rectangle on the first row and selects nothing. Only a
// selection, by mouse or keys, is the user's choice.
class FileList : public QListWidget {
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

// A text box in which, as everywhere in the program, a key with Alt (or the
// logo key) held produces no character.
class TextBox : public QLineEdit {
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

// A line control: one pixel wide, the end point not drawn.
class LineWidget : public QWidget {
public:
    LineWidget(QPoint from, QPoint to, QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        const QRect box = QRect(from, to).normalized();
        setGeometry(box.adjusted(0, 0, 1, 1));
        from_ = from - box.topLeft();
        to_ = to - box.topLeft();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(designColour(0x80000008), 1));
        QPoint end = to_;
        // Leave out the last pixel, like the platform's own line drawing.
        if (end.x() != from_.x())
            end.rx() -= end.x() > from_.x() ? 1 : -1;
        if (end.y() != from_.y())
            end.ry() -= end.y() > from_.y() ? 1 : -1;
        p.drawLine(from_, end);
    }

private:
    QPoint from_, to_;
};

QPixmap folderMark(bool open)
{
    QPixmap pm(16, 13);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    const QColor yellow(0xFF, 0xFF, 0x00), olive(0x80, 0x80, 0x00);
    // The tab and the back of the folder.
    p.setBrush(olive);
    p.drawRect(1, 1, 5, 2);
    p.setBrush(yellow);
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

// The folder list's rows: a folder mark, indented by its level.
class FolderDelegate : public QStyledItemDelegate {
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

QPixmap picture(std::string_view name)
{
    const PictureInfo* info = findPicture(name);
    if (!info)
        return {};
    QPixmap pm(QStringLiteral(":/pictures/") + QString::fromLatin1(info->file.data(), info->file.size()));
    if (info->greyKeyed && !pm.isNull())
        pm.setMask(pm.createMaskFromColor(QColor::fromRgb(kGreyKey), Qt::MaskInColor));
    return pm;
}

void fillFolders(QListWidget* list, const Control& c)
{
    static const QIcon openMark(folderMark(true)), closedMark(folderMark(false));
    const QSignalBlocker block(list);
    list->clear();
    for (const FolderEntry& f : c.folders()) {
        auto* item = new QListWidgetItem(f.open ? openMark : closedMark, shown(f.name));
        item->setData(kLevelRole, f.level);
        item->setData(kOpenRole, f.open);
        list->addItem(item);
    }
    list->setCurrentRow(c.listIndex());
}

void fillItems(QListWidget* list, const Control& c)
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

void fillDrives(QComboBox* box, const Control& c)
{
    const QSignalBlocker block(box);
    box->clear();
    for (const std::string& d : c.items())
        box->addItem(shown(d));
    box->setCurrentIndex(c.listIndex());
}

// Tab enters an option group at its chosen button, as in the era's
// dialogs; the arrow keys move between the buttons of the group.
void setTabStop(QRadioButton* radio, bool on)
{
    radio->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
}

void setRadio(QRadioButton* radio, bool on)
{
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

}  // namespace

QString toQt(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool isGraphical(ControlType type)
{
    return type == ControlType::Label || type == ControlType::Image || type == ControlType::Line;
}

QWidget* createControl(Control& c, QWidget* parent, int dpi)
{
    const ControlDesign& d = c.design();
    auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    const QRect box(px(d.left), px(d.top), px(d.width), px(d.height));
    QWidget* w = nullptr;

    switch (d.type) {
    case ControlType::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignTop | (d.alignment == Alignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft));
        label->setText(shown(c.caption()));
        if (d.backColour != kDefaultColour || d.foreColour != kDefaultColour) {
            QPalette p = label->palette();
            if (d.backColour != kDefaultColour)
                p.setColor(QPalette::Window, designColour(d.backColour));
            if (d.foreColour != kDefaultColour)
                p.setColor(QPalette::WindowText, designColour(d.foreColour));
            label->setPalette(p);
            label->setAutoFillBackground(d.backColour != kDefaultColour);
        }
        w = label;
        break;
    }
    case ControlType::CommandButton: {
        auto* button = new CommandButton(toQt(c.caption()), parent);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, [&c] { c.userClick(); });
        w = button;
        break;
    }
    case ControlType::OptionButton: {
        auto* radio = new OptionButton(c, parent);
        radio->setAutoExclusive(true);
        radio->setChecked(c.value() != kFalse);
        setTabStop(radio, radio->isChecked());
        // A click or Space: Qt checks the button, the control raises its
        // Click.
        QObject::connect(radio, &QRadioButton::toggled, [&c, radio](bool on) {
            setTabStop(radio, on);
            if (on)
                c.userClick();
        });
        w = radio;
        break;
    }
    case ControlType::CheckBox: {
        auto* check = new QCheckBox(toQt(c.caption()), parent);
        check->setChecked(c.value() == 1);
        QObject::connect(check, &QCheckBox::clicked, [&c] { c.userClick(); });
        w = check;
        break;
    }
    case ControlType::Frame:
        w = new QGroupBox(toQt(c.caption()), parent);
        break;
    case ControlType::TextBox: {
        auto* edit = new TextBox(toQt(c.text()), parent);
        edit->setMaxLength(std::numeric_limits<int>::max());
        QObject::connect(edit, &QLineEdit::textEdited, [&c](const QString& t) { c.userEdit(t.toStdString()); });
        w = edit;
        break;
    }
    case ControlType::Image: {
        auto* image = new QLabel(parent);
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setPixmap(picture(d.picture));
        if (d.border) {
            image->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
            image->setLineWidth(2);
        }
        w = image;
        break;
    }
    case ControlType::Line:
        return new LineWidget({px(d.left), px(d.top)}, {px(d.width), px(d.height)}, parent);
    case ControlType::DriveList: {
        auto* box = new QComboBox(parent);
        fillDrives(box, c);
        QObject::connect(box, &QComboBox::activated, [&c](int index) { c.userSelect(index); });
        w = box;
        break;
    }
    case ControlType::DirList: {
        auto* list = new QListWidget(parent);
        list->setItemDelegate(new FolderDelegate(list));
        list->setIconSize(QSize(16, 13));
        list->setUniformItemSizes(true);
        fillFolders(list, c);
        QObject::connect(list, &QListWidget::itemActivated, [&c, list](QListWidgetItem* item) { c.userOpen(list->row(item)); });
        w = list;
        break;
    }
    case ControlType::FileList: {
        auto* list = new FileList(parent);
        list->setUniformItemSizes(true);
        fillItems(list, c);
        QObject::connect(list, &QListWidget::itemSelectionChanged, [&c, list] {
            const QList<QListWidgetItem*> chosen = list->selectedItems();
            c.userSelect(chosen.isEmpty() ? -1 : list->row(chosen.front()));
        });
        w = list;
        break;
    }
    }
    w->setGeometry(box);
    w->setObjectName(toQt(std::string(d.name)));
    if (!canTakeFocus(d.type))
        w->setFocusPolicy(Qt::NoFocus);
    return w;
}

void reflect(Control& c, QWidget* w, Property property)
{
    switch (c.type()) {
    case ControlType::Label:
        static_cast<QLabel*>(w)->setText(shown(c.caption()));
        break;
    case ControlType::CommandButton:
    case ControlType::CheckBox:
        if (property == Property::Caption)
            static_cast<QAbstractButton*>(w)->setText(toQt(c.caption()));
        if (c.type() == ControlType::CheckBox && property == Property::Value) {
            const QSignalBlocker block(w);
            static_cast<QCheckBox*>(w)->setChecked(c.value() == 1);
        }
        break;
    case ControlType::OptionButton:
        if (property == Property::Caption)
            static_cast<QRadioButton*>(w)->setText(toQt(c.caption()));
        else
            setRadio(static_cast<QRadioButton*>(w), c.value() != kFalse);
        break;
    case ControlType::Frame:
        static_cast<QGroupBox*>(w)->setTitle(toQt(c.caption()));
        break;
    case ControlType::TextBox: {
        auto* edit = static_cast<QLineEdit*>(w);
        const QString text = toQt(c.text());
        if (edit->text() != text)
            edit->setText(text);
        break;
    }
    case ControlType::DriveList:
        fillDrives(static_cast<QComboBox*>(w), c);
        break;
    case ControlType::DirList:
        fillFolders(static_cast<QListWidget*>(w), c);
        break;
    case ControlType::FileList:
        if (property == Property::ListIndex) {
            const QSignalBlocker block(w);
            static_cast<QListWidget*>(w)->setCurrentRow(c.listIndex());
        } else {
            fillItems(static_cast<QListWidget*>(w), c);
        }
        break;
    case ControlType::Image:
    case ControlType::Line:
        break;
    }
}

}  // namespace vornak::qt
