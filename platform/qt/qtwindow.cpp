#include "qtwindow.h"

#include "app/controlkind.h"
#include "controls/piece.h"
#include "qtapplication.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace vornak::qt {

Window::Window(Form& form, QWidget* parent, int dpi)
    : QWidget(parent, parent ? Qt::Dialog : Qt::Window), form_(form)
{
    const FormDesign& d = form.design();
    // A fixed single border with a close box and nothing else.
    setWindowFlags(windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    setFixedSize(twipsToPixels(d.width, dpi), twipsToPixels(d.height, dpi));
    setWindowTitle(toQt(std::string(d.caption)));
    setWindowIcon(qt::windowIcon(d.icon));
    setObjectName(toQt(std::string(d.name)));
    setAttribute(Qt::WA_DeleteOnClose, false);
    createControls(dpi);

    const std::vector<Control*> order = form.tabOrder();
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widgets_.at(order[i - 1]), widgets_.at(order[i]));
    if (Control* first = form.firstFocus())
        widgets_.at(first)->setFocus();

    if (d.keyPreview)
        for (auto& [control, w] : widgets_)
            w->installEventFilter(this);
}

// Controls in creation order, frames before what they contain; those drawn
// on the window lie under everything else, in creation order.
void Window::createControls(int dpi)
{
    auto px = [dpi](int twips) { return twipsToPixels(twips, dpi); };
    for (const auto& c : form_.controls()) {
        const ControlDesign& d = c->design();
        QWidget* container = d.container.empty() ? this : widgets_.at(form_.find(d.container));
        QWidget* w = pieceFor(c->type()).create(*c, container, QRect(px(d.left), px(d.top), px(d.width), px(d.height)), dpi);
        w->setObjectName(toQt(std::string(d.name)));
        if (!c->kind().takesFocus)
            w->setFocusPolicy(Qt::NoFocus);
        widgets_[c.get()] = w;
    }
    const auto& controls = form_.controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if ((*it)->kind().drawnOnWindow)
            widgets_.at(it->get())->lower();
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
