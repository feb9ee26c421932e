#include "qtfrontend.h"

#include "app/shell.h"
#include "qtapplication.h"
#include "qtcontrols.h"
#include "qtwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

#include <xcb/xcb.h>

namespace vornak::qt {

FrontEnd::FrontEnd() : dpi_(screenDpi()) {}

FrontEnd::~FrontEnd()
{
    for (auto& [form, w] : windows_) {
        w->detach();
        delete w;
    }
}

Window* FrontEnd::window(const Form& form) const
{
    const auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second;
}

void FrontEnd::createWindow(Form& form)
{
    // Dialogs belong to the main window, which keeps them out of the taskbar.
    QWidget* parent = form.design().showInTaskbar ? nullptr : mainWindow_;
    auto* w = new Window(form, parent, dpi_);
    if (form.design().showInTaskbar && !mainWindow_)
        mainWindow_ = w;
    windows_[&form] = w;
}

void FrontEnd::showWindow(Form& form, Form* owner, bool firstTime)
{
    Window* w = window(form);
    if (!w)
        return;
    if (firstTime) {
        QRect area;
        Window* o = owner ? window(*owner) : nullptr;
        if (o && form.design().position == StartPosition::CentreOwner)
            area = o->geometry();
        else if (QScreen* s = QGuiApplication::primaryScreen())
            area = s->availableGeometry();
        if (area.isValid()) {
            QRect r(QPoint(0, 0), w->size());
            r.moveCenter(area.center());
            w->setGeometry(r);
        }
    }
    w->show();
    w->raise();
    w->activateWindow();
}

void FrontEnd::hideWindow(Form& form)
{
    if (Window* w = window(form))
        w->hide();
}

void FrontEnd::raiseWindow(Form& form)
{
    if (Window* w = window(form)) {
        w->raise();
        w->activateWindow();
    }
}

void FrontEnd::destroyWindow(Form& form)
{
    Window* w = window(form);
    if (!w)
        return;
    windows_.erase(&form);
    w->detach();
    w->hide();
    if (w == mainWindow_) {
        mainWindow_ = nullptr;
        // Dialogs are its children; they go with it.
        for (auto& [f, other] : windows_)
            other->detach();
        windows_.clear();
    }
    w->deleteLater();
}

void FrontEnd::propertyChanged(Control& control, Property property)
{
    if (Window* w = window(control.form()))
        if (QWidget* widget = w->widget(control))
            reflect(control, widget, property);
}

void FrontEnd::setCursor(int mousePointer)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (mousePointer == kHourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void FrontEnd::messageBox(std::string_view title, std::string_view text)
{
    QMessageBox box(QMessageBox::Critical, toQt(std::string(title)), toQt(std::string(text)), QMessageBox::Ok, mainWindow_);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void FrontEnd::flush()
{
    // Paint what is pending now, then hand every request, the cursor's
    // included, to the display server: the event loop will not run until
    // the pause is over.
    for (auto& [form, w] : windows_)
        if (w->isVisible())
            w->repaint();
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        if (xcb_connection_t* connection = x11->connection())
            xcb_flush(connection);
}

void FrontEnd::quit()
{
    QCoreApplication::exit(0);
}

}  // namespace vornak::qt
