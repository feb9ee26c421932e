#include "qtfrontend.h"

#include "app/placement.h"
#include "app/shell.h"
#include "qtapplication.h"
#include "controls/piece.h"
#include "qtwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

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
    if (firstTime)
        place(*w, owner);
    w->show();
    w->raise();
    w->activateWindow();
}

void FrontEnd::place(Window& w, Form* owner)
{
    w.winId();  // the window exists for the system, which can tell its frame
    const QMargins m = frameMargins(w);
    const Window* o = owner ? window(*owner) : nullptr;
    QScreen* screen = o && o->isVisible() ? o->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect work = screen->availableGeometry();
    Rect ownerFrame;
    if (o && o->isVisible()) {
        const QRect f = o->frameGeometry();
        ownerFrame = {f.x(), f.y(), f.width(), f.height()};
    }
    const Point at = placeFrame(w.form().design(), w.width() + m.left() + m.right(), w.height() + m.top() + m.bottom(),
                                o && o->isVisible() ? &ownerFrame : nullptr,
                                {work.x(), work.y(), work.width(), work.height()});
    // The client area goes inside the frame; the window manager puts the
    // frame round it.
    w.setGeometry(QRect(QPoint(at.x + m.left(), at.y + m.top()), w.size()));
}

QMargins FrontEnd::frameMargins(Window& w)
{
    QMargins m = w.windowHandle() ? w.windowHandle()->frameMargins() : QMargins();
    if (m.isNull())
        m = requestedFrame(w);
    if (m.isNull() && mainWindow_ && mainWindow_->isVisible() && mainWindow_->windowHandle())
        m = mainWindow_->windowHandle()->frameMargins();  // dialogs are framed alike
    return m;
}

namespace {

xcb_intern_atom_cookie_t intern(xcb_connection_t* c, const char* name)
{
    return xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atom(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

// The four cardinals of a window property, when it holds them.
bool cardinals(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, uint32_t (&out)[4])
{
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, XCB_ATOM_CARDINAL, 0, 4), nullptr);
    const bool ok = r && r->format == 32 && xcb_get_property_value_length(r) == 16;
    if (ok)
        std::memcpy(out, xcb_get_property_value(r), sizeof out);
    std::free(r);
    return ok;
}

// Whether the window manager offers _NET_REQUEST_FRAME_EXTENTS.
bool frameRequestOffered(xcb_connection_t* c, xcb_window_t root, xcb_atom_t supported, xcb_atom_t request)
{
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr);
    if (!r)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
    const int n = xcb_get_property_value_length(r) / static_cast<int>(sizeof(xcb_atom_t));
    const bool offered = r->format == 32 && std::find(atoms, atoms + n, request) != atoms + n;
    std::free(r);
    return offered;
}

}  // namespace

// The frame an X11 window manager will put round a window it has not
// mapped yet, asked for with _NET_REQUEST_FRAME_EXTENTS: with it the frame,
// not only the client area, can be centred before the window appears.
// Nothing when no window manager that offers it is running.
QMargins FrontEnd::requestedFrame(Window& w)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return {};
    const auto window = static_cast<xcb_window_t>(w.winId());
    // The first questions go out together and are answered in one trip.
    const xcb_get_geometry_cookie_t geometry = xcb_get_geometry(c, window);
    const xcb_intern_atom_cookie_t names[] = {intern(c, "_NET_SUPPORTED"), intern(c, "_NET_REQUEST_FRAME_EXTENTS"),
                                              intern(c, "_NET_FRAME_EXTENTS")};
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, geometry, nullptr);
    const xcb_window_t root = g ? g->root : xcb_window_t{XCB_WINDOW_NONE};
    std::free(g);
    const xcb_atom_t supported = atom(c, names[0]), request = atom(c, names[1]), extents = atom(c, names[2]);
    if (root == XCB_WINDOW_NONE || !frameRequestOffered(c, root, supported, request))
        return {};
    xcb_client_message_event_t e{};
    e.response_type = XCB_CLIENT_MESSAGE;
    e.format = 32;
    e.window = window;
    e.type = request;
    xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&e));
    xcb_flush(c);
    // The window manager answers by setting the property, as a rule within
    // a millisecond; it is given a tenth of a second, and asked again every
    // quarter of a millisecond.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
    uint32_t px[4];
    do {
        if (cardinals(c, window, extents, px)) {
            const qreal ratio = w.devicePixelRatioF();
            auto dip = [ratio](uint32_t v) { return qRound(v / ratio); };
            return QMargins(dip(px[0]), dip(px[2]), dip(px[1]), dip(px[3]));  // left, right, top, bottom
        }
        std::this_thread::sleep_for(std::chrono::microseconds(250));
    } while (std::chrono::steady_clock::now() < deadline);
    return {};
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
            pieceFor(control.type()).show(control, widget, property);
}

void FrontEnd::focus(Control& control)
{
    if (Window* w = window(control.form()))
        if (QWidget* widget = w->widget(control))
            widget->setFocus(Qt::OtherFocusReason);
}

void FrontEnd::setCursor(MousePointer pointer)
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    if (pointer == MousePointer::Hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void FrontEnd::messageBox(std::string_view title, std::string_view text)
{
    QMessageBox box(QMessageBox::Critical, toQt(std::string(title)), toQt(std::string(text)), QMessageBox::Ok,
                    mainWindow_);
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
