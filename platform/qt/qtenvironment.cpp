#include "qtenvironment.h"

#include <QGuiApplication>

#include <fontconfig/fontconfig.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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
    std::vector<std::string> candidates{env("XDG_RUNTIME_DIR"), "/run/user/" + std::to_string(::geteuid()),
                                        env("HOME")};
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

}  // namespace

void hardenEnvironment()
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

bool runtimeFolderMissing()
{
    return runtimeFallback;
}

}  // namespace vornak::qt
