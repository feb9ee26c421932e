#include "qtdisplay.h"

#include "qtenvironment.h"

#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
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

std::string platformName(int argc, char** argv)
{
    const std::string p = forcedPlatform(argc, argv);
    return p.empty() ? "xcb" : p.substr(0, p.find(':'));
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
        xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
        error = xcb_connection_has_error(c);
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
