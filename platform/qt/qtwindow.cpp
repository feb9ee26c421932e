#include "qtwindow.h"

#include "controls/piece.h"
#include "qtapplication.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include <algorithm>

namespace vornak::qt {

Window::Window(Form& form, QWidget* parent, int dpi)
    : QWidget(parent, parent ? Qt::Dialog : Qt::Window), form_(form), layout_(layOut(form.design(), dpi))
{
    const FormDesign& d = form.design();
    // A fixed single border with a close box and nothing else.
    setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(layout_.width, layout_.height);
    setWindowTitle(toQt(std::string(d.caption)));
    setWindowIcon(qt::windowIcon(d.icon));
    setObjectName(toQt(std::string(d.name)));
    setAttribute(Qt::WA_DeleteOnClose, false);
    createControls();

    auto widgetAt = [this](int index) { return widgets_.at(form_.controls()[static_cast<size_t>(index)].get()); };
    const std::vector<int>& order = layout_.tabOrder;
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgetAt(order[i - 1]), widgetAt(order[i]));
    if (!order.empty())
        widgetAt(order.front())->setFocus();

    if (d.keyPreview)
        for (auto& [control, w] : widgets_)
            w->installEventFilter(this);
}

// Controls in creation order, frames before what they contain, then
// stacked as the layout says, the bottom one first.
void Window::createControls()
{
    const auto& controls = form_.controls();
    std::vector<QWidget*> made;
    for (size_t i = 0; i < controls.size(); ++i) {
        Control& c = *controls[i];
        const ControlLayout& at = layout_.controls[i];
        QWidget* container = at.container < 0 ? this : made[static_cast<size_t>(at.container)];
        const Piece& piece = pieceFor(c.type());
        QWidget* w = piece.create(c, container, at);
        w->setObjectName(toQt(std::string(c.name())));
        if (at.tab < 0)
            w->setFocusPolicy(Qt::NoFocus);
        piece.report(c, w);
        widgets_[&c] = w;
        made.push_back(w);
    }
    std::for_each(layout_.stacking.rbegin(), layout_.stacking.rend(),
                  [&made](int i) { made[static_cast<size_t>(i)]->raise(); });
}

QWidget* Window::widget(const Control& control) const
{
    const auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

void Window::detach()
{
    detached_ = true;
    for (auto& [control, w] : widgets_)
        w->blockSignals(true);
}

void Window::closeEvent(QCloseEvent* e)
{
    // The core decides: it unloads the window, and destroys this widget.
    e->ignore();
    if (!detached_)
        form_.userClose();
}

// A key that produces a character goes to a form that previews keys. With
// Alt (or the logo key) held a key produces none: it is a command for the
// menus and the window manager, whatever text the keyboard gives it.
bool Window::keyPress(QKeyEvent* e)
{
    if (detached_ || !form_.design().keyPreview)
        return false;
    if (e->modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = e->text();
    if (text.isEmpty())
        return false;
    const char16_t ch = text.at(0).unicode();
    if (ch == 0x7F)
        return false;  // Delete produces no character on the platform of the era
    form_.userKeyPress(ch);
    return true;
}

void Window::keyPressEvent(QKeyEvent* e)
{
    if (!keyPress(e))
        QWidget::keyPressEvent(e);
}

bool Window::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress && keyPress(static_cast<QKeyEvent*>(e)))
        return true;
    return QWidget::eventFilter(watched, e);
}

}  // namespace vornak::qt
