#include "qtdisplay.h"

#include "qtenvironment.h"

#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vornak::qt {

namespace {

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The platform the user forces, with -platform or QT_QPA_PLATFORM; empty
// for none.
std::string forcedPlatform(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return argv[i + 1];
    return env("QT_QPA_PLATFORM");
}

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage> held;
QtMessageHandler passOn = nullptr;
std::string startingPlatform;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fprintf(
            stderr,
            "vornak1: the display platform \"%s\" could not start. Run Vornak1 from a desktop session, or name "
            "a platform that works here in QT_QPA_PLATFORM.\n",
            startingPlatform.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (runtimeFolderMissing() && text.startsWith(QLatin1String("QStandardPaths:")))
        return;
    held.push_back({type, context.category ? QByteArray(context.category) : QByteArray(), text});
}

const char* connectionProblem(int error)
{
    switch (error) {
    case XCB_CONN_CLOSED_PARSE_ERR: return "that is not a display name";
    case XCB_CONN_CLOSED_INVALID_SCREEN: return "it has no such screen";
    case XCB_CONN_CLOSED_EXT_NOTSUPPORTED: return "it lacks what the program needs";
    default: return "no X server answers there";
    }
}

// The display's Xft.dpi as displayAnswers found it; 0 before.
double answeredDpi = 0;

// The value of Xft.dpi in the text of the X resources; 0 when they give
// none.
double xftDpi(std::string_view resources)
{
    constexpr std::string_view kName = "Xft.dpi:";
    for (size_t at = 0; at < resources.size();) {
        const size_t end = std::min(resources.find('\n', at), resources.size());
        std::string_view line = resources.substr(at, end - at);
        at = end + 1;
        if (line.substr(0, kName.size()) != kName)
            continue;
        const std::string value(line.substr(kName.size()));
        char* stop = nullptr;
        const double dpi = std::strtod(value.c_str(), &stop);
        return stop != value.c_str() && std::isfinite(dpi) && dpi > 0 ? dpi : 0;
    }
    return 0;
}

// The resolution the X server's resources give a screen, as Qt reads it:
// Xft.dpi, 96 without it.
double resourceDpi(xcb_connection_t* c, int number)
{
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (; number > 0 && screen.rem; --number)
        xcb_screen_next(&screen);
    double dpi = 0;
    if (screen.rem) {
        xcb_get_property_reply_t* r = xcb_get_property_reply(
            c, xcb_get_property(c, 0, screen.data->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 20),
            nullptr);
        if (r)
            dpi = xftDpi({static_cast<const char*>(xcb_get_property_value(r)),
                          static_cast<size_t>(xcb_get_property_value_length(r))});
        std::free(r);
    }
    return dpi > 0 ? dpi : 96;
}

// Runs a call with the standard error caught in a pipe, and returns the
// line it wrote there.
std::string standardErrorOf(const std::function<void()>& call)
{
    int caught[2] = {-1, -1};
    const int standardError = ::dup(STDERR_FILENO);
    const bool capturing = standardError >= 0 && ::pipe2(caught, O_CLOEXEC | O_NONBLOCK) == 0;
    if (capturing)
        ::dup2(caught[1], STDERR_FILENO);
    call();
    std::string text;
    if (capturing) {
        ::dup2(standardError, STDERR_FILENO);
        ::close(caught[1]);
        char buffer[256];
        const ssize_t n = ::read(caught[0], buffer, sizeof buffer - 1);
        if (n > 0)
            text.assign(buffer, static_cast<size_t>(n));
        ::close(caught[0]);
    }
    if (standardError >= 0)
        ::close(standardError);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

}  // namespace

std::string platformName(int argc, char** argv)
{
    const std::string p = forcedPlatform(argc, argv);
    return p.empty() ? "xcb" : p.substr(0, p.find(':'));
}

bool displayAnswers(int argc, char** argv)
{
    // X11 unless the user forces another platform: a Wayland session would
    // otherwise be tried first, whose buffers may be files.
    if (forcedPlatform(argc, argv).empty())
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    startingPlatform = platformName(argc, argv);
    if (startingPlatform != "xcb")
        return true;
    const std::string display = env("DISPLAY");
    if (display.empty()) {
        std::fprintf(stderr,
                     "vornak1: no display to open: DISPLAY is not set. Run Vornak1 from a desktop session, or set "
                     "DISPLAY to a running X server.\n");
        return false;
    }
    // libxcb writes a refusing server's reason to the standard error
    // itself; it is caught, to become part of the one line.
    int error = 0;
    const std::string reason = standardErrorOf([&] {
        int screen = 0;
        xcb_connection_t* c = xcb_connect(display.c_str(), &screen);
        error = xcb_connection_has_error(c);
        if (!error)
            answeredDpi = resourceDpi(c, screen);  // asked now, for prepareScreen
        xcb_disconnect(c);
    });
    if (!error)
        return true;
    const std::string problem = reason.empty() ? connectionProblem(error)
                                               : "the X server refused the connection (" + reason + ")";
    std::fprintf(stderr,
                 "vornak1: cannot open display \"%s\": %s. Run Vornak1 from a desktop session, or set DISPLAY to "
                 "an X server that lets you in.\n",
                 display.c_str(), problem.c_str());
    return false;
}

double displayDpi()
{
    if (answeredDpi > 0)
        return answeredDpi;
    int screen = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screen);
    const double dpi = xcb_connection_has_error(c) ? 96 : resourceDpi(c, screen);
    xcb_disconnect(c);
    return dpi;
}

void holdStartupMessages()
{
    passOn = qInstallMessageHandler(holdMessage);
}

void releaseStartupMessages()
{
    qInstallMessageHandler(passOn);
    for (const HeldMessage& m : held)
        passOn(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.isEmpty() ? nullptr : m.category.constData()),
               m.text);
    held.clear();
}

}  // namespace vornak::qt
