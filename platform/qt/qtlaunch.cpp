#include "qtlaunch.h"

#include <QGuiApplication>
#include <QString>
#include <QtGlobal>

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// A D-Bus address value: the characters the format lets through as they
// are, the rest escaped.
std::string busAddressValue(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c) || std::strchr("-_/.\\*", c)) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

// With no session bus advertised, libdbus starts one (dbus-launch
// --autolaunch) each time something asks for the bus, and Qt's
// accessibility bridge asks for it as the first list is built. A bus that
// is there is used; one that would have to be started is not: addresses
// whose transport starts a program are dropped, and with none left the bus
// is simply missing.
void closeBusAutolaunch()
{
    std::string address = env("DBUS_SESSION_BUS_ADDRESS");
    if (address.empty()) {
        // libdbus's own next guess: the user's bus in the runtime folder.
        const std::string runtime = env("XDG_RUNTIME_DIR");
        struct stat st {};
        const std::string bus = runtime + "/bus";
        if (!runtime.empty() && ::stat(bus.c_str(), &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid())
            address = "unix:path=" + busAddressValue(bus);
    }
    std::string kept;
    size_t start = 0;
    while (start <= address.size()) {
        const size_t end = std::min(address.find(';', start), address.size());
        const std::string entry = address.substr(start, end - start);
        const std::string transport = entry.substr(0, entry.find(':'));
        if (!entry.empty() && transport != "autolaunch" && transport != "unixexec" && transport != "launchd")
            kept += (kept.empty() ? "" : ";") + entry;
        start = end + 1;
    }
    // An unknown transport: the bus cannot be reached and nothing is tried.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", kept.empty() ? "disabled:" : kept.c_str(), 1);
}

bool privateFolder(const std::string& path)
{
    struct stat st {};
    return !path.empty() && path[0] == '/' && ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)
        && st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
}

bool runtimeFallback = false;

// Qt looks the runtime folder up as it starts, and makes one
// (/tmp/runtime-$USER) when XDG_RUNTIME_DIR is unset or unsuitable: it
// wants a folder of the user's own that only the user may enter. The
// program points it at such a folder that exists already, so that nothing
// is made; the program keeps nothing there.
void settleRuntimeFolder()
{
    std::vector<std::string> candidates{env("XDG_RUNTIME_DIR"), "/run/user/" + std::to_string(::geteuid()), env("HOME")};
    if (const passwd* pw = ::getpwuid(::geteuid()))
        candidates.emplace_back(pw->pw_dir ? pw->pw_dir : "");
    for (const std::string& c : candidates)
        if (privateFolder(c)) {
            ::setenv("XDG_RUNTIME_DIR", c.c_str(), 1);
            return;
        }
    // None at all: Qt falls back to a folder under the temporary folder,
    // here one where nothing can be made, and says so; that is expected.
    ::unsetenv("XDG_RUNTIME_DIR");
    ::setenv("TMPDIR", "/proc", 1);
    runtimeFallback = true;
}

bool cachedEverywhere(FcConfig* config)
{
    std::vector<std::string> pending;
    FcStrList* dirs = FcConfigGetFontDirs(config);  // before the fonts are built: the configured folders
    while (const FcChar8* d = FcStrListNext(dirs))
        pending.emplace_back(reinterpret_cast<const char*>(d));
    FcStrListDone(dirs);
    while (!pending.empty()) {
        const std::string dir = pending.back();
        pending.pop_back();
        struct stat st {};
        if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            continue;  // fontconfig passes it by too
        FcCache* cache = FcDirCacheLoad(reinterpret_cast<const FcChar8*>(dir.c_str()), config, nullptr);
        if (!cache)
            return false;
        for (int i = 0; i < FcCacheNumSubdir(cache); ++i)
            pending.emplace_back(reinterpret_cast<const char*>(FcCacheSubdir(cache, i)));
        FcDirCacheUnload(cache);
    }
    return true;
}

// fontconfig writes a cache file for every font folder whose cache is
// missing or out of date, into the first cache folder it may write to,
// making that folder if need be. The program leaves out the user's own font
// folders (their caches live in the home folder) and uses the system's
// fonts only when every folder it would read has a valid cache; otherwise
// it does with its own dialog font, which travels inside it.
void quietFontconfig()
{
    FcConfigEnableHome(FcFalse);
    FcConfig* config = FcInitLoadConfig();
    if (config && !cachedEverywhere(config)) {
        FcConfigDestroy(config);
        config = FcConfigCreate();
    }
    if (!config)
        return;
    FcConfigBuildFonts(config);
    FcConfigSetRescanInterval(config, 0);  // no rescans, which would write again
    FcConfigSetCurrent(config);
    FcConfigDestroy(config);  // the current configuration holds its own reference
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
        std::fprintf(stderr,
                     "vornak1: the display platform \"%s\" could not start. Run Vornak1 from a desktop session, or name "
                     "a platform that works here in QT_QPA_PLATFORM.\n",
                     startingPlatform.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (runtimeFallback && text.startsWith(QLatin1String("QStandardPaths:")))
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

}  // namespace

void closeRoads()
{
    closeBusAutolaunch();  // before the runtime folder changes: libdbus looks there
    settleRuntimeFolder();
    // Desktop themes (GTK, KDE, portals) are plugins that bring their own
    // toolkits, settings daemons and caches along; the program draws the
    // classic look itself.
    QGuiApplication::setDesktopSettingsAware(false);
    ::unsetenv("QT_QPA_PLATFORMTHEME");
    // Input method plugins talk to their daemons over the session bus; the
    // compose tables are read from disk only.
    ::setenv("QT_IM_MODULE", "compose", 1);
    // A session manager would be told how to start the program again.
    ::unsetenv("SESSION_MANAGER");
    quietFontconfig();
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
    // itself; it is caught in a pipe, to become part of the one line.
    std::string reason;
    int captured[2] = {-1, -1};
    const int standardError = ::dup(STDERR_FILENO);
    const bool capturing = standardError >= 0 && ::pipe2(captured, O_CLOEXEC | O_NONBLOCK) == 0;
    if (capturing)
        ::dup2(captured[1], STDERR_FILENO);
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    const int error = xcb_connection_has_error(c);
    xcb_disconnect(c);
    if (capturing) {
        ::dup2(standardError, STDERR_FILENO);
        ::close(captured[1]);
        char text[256];
        const ssize_t n = ::read(captured[0], text, sizeof text - 1);
        if (n > 0)
            reason.assign(text, static_cast<size_t>(n));
        ::close(captured[0]);
    }
    if (standardError >= 0)
        ::close(standardError);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r'))
        reason.pop_back();
    if (error) {
        const std::string problem = reason.empty() ? connectionProblem(error) : "the X server refused the connection (" + reason + ")";
        std::fprintf(stderr,
                     "vornak1: cannot open display \"%s\": %s. Run Vornak1 from a desktop session, or set DISPLAY to "
                     "an X server that lets you in.\n",
                     display.c_str(), problem.c_str());
        return false;
    }
    return true;
}

void holdStartupMessages()
{
    passOn = qInstallMessageHandler(holdMessage);
}

void releaseStartupMessages()
{
    qInstallMessageHandler(passOn);
    for (const HeldMessage& m : held)
        passOn(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.isEmpty() ? nullptr : m.category.constData()), m.text);
    held.clear();
}

}  // namespace vornak::qt
