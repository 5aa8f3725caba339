#include "app/qt/display.h"

#include <QDir>
#include <QLibraryInfo>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace barmen {

namespace {

bool set(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

std::string env(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// What the player reads after "창을 열 화면이 없습니다": why, in the locale's
// language.
struct Why {
    std::string korean, english;
};

// Whether a stream socket at that address accepts a connection: the X
// server or compositor is there and listening. An address on another host
// gets five seconds, as a player would wait for a window at the most.
bool accepts(const sockaddr *address, socklen_t length, int family)
{
    const int fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    bool ok = ::connect(fd, address, length) == 0;
    if (!ok && errno == EINPROGRESS) {
        pollfd p{fd, POLLOUT, 0};
        int error = 0;
        socklen_t size = sizeof error;
        ok = ::poll(&p, 1, 5000) == 1 && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
    }
    ::close(fd);
    return ok;
}

bool unixAccepts(const std::string &path, bool abstract)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t at = abstract ? 1 : 0;
    if (path.size() + at >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path + at, path.data(), path.size());
    const auto length = socklen_t(offsetof(sockaddr_un, sun_path) + at + path.size() + (abstract ? 0 : 1));
    return accepts(reinterpret_cast<const sockaddr *>(&address), length, AF_UNIX);
}

// An X server answers at DISPLAY ([host]:number[.screen]): a local one on
// its socket in /tmp/.X11-unix (abstract first, as libxcb tries it), one on
// another host on TCP port 6000 + number. Only the connection is tried, not
// the authorisation: that Qt reports itself.
bool xServerAnswers(const std::string &display)
{
    if (display.starts_with('/'))
        return true;   // a launchd-style socket path: left to Qt
    const std::size_t colon = display.rfind(':');
    if (colon == std::string::npos)
        return false;
    std::string host = display.substr(0, colon);
    if (const std::size_t slash = host.find('/'); slash != std::string::npos)
        host = host.substr(slash + 1);
    const std::string rest = display.substr(colon + 1);
    const std::string number = rest.substr(0, rest.find('.'));
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 5)
        return false;
    if (host.empty() || host == "unix") {
        const std::string path = "/tmp/.X11-unix/X" + number;
        return unixAccepts(path, true) || unixAccepts(path, false);
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(6000 + std::stoi(number)).c_str(), &hints, &found) != 0)
        return false;
    bool ok = false;
    for (const addrinfo *a = found; a && !ok; a = a->ai_next)
        ok = accepts(a->ai_addr, a->ai_addrlen, a->ai_family);
    ::freeaddrinfo(found);
    return ok;
}

// Qt reaches Wayland only through its plugin (Debian's qt6-wayland); without
// it a Wayland session falls back on xcb, or aborts.
bool waylandPlugin()
{
    QStringList folders;
    for (const QString &f : qEnvironmentVariable("QT_PLUGIN_PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << f;
    folders << QLibraryInfo::path(QLibraryInfo::PluginsPath);
    for (const QString &f : folders)
        if (!QDir(f + QStringLiteral("/platforms")).entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty())
            return true;
    return false;
}

// A compositor answers at WAYLAND_DISPLAY (a name in XDG_RUNTIME_DIR, or a
// path), or at wayland-0 when it is not set; WAYLAND_SOCKET hands over a
// connection already made.
bool compositorAnswers()
{
    if (set("WAYLAND_SOCKET"))
        return true;
    std::string name = set("WAYLAND_DISPLAY") ? env("WAYLAND_DISPLAY") : "wayland-0";
    if (!name.starts_with('/')) {
        const std::string runtime = env("XDG_RUNTIME_DIR");
        if (!runtime.starts_with('/'))
            return false;
        name = runtime + "/" + name;
    }
    return unixAccepts(name, false);
}

// Why xcb cannot open a window; empty when it can.
Why xcbMissing()
{
    if (!set("DISPLAY"))
        return {"DISPLAY가 설정되어 있지 않음", "DISPLAY is not set"};
    if (!xServerAnswers(env("DISPLAY")))
        return {"DISPLAY=" + env("DISPLAY") + "의 X 서버에 연결할 수 없음",
                "no X server answers at DISPLAY=" + env("DISPLAY")};
    return {};
}

Why waylandMissing()
{
    const std::string named = set("WAYLAND_DISPLAY") ? "WAYLAND_DISPLAY=" + env("WAYLAND_DISPLAY") : "wayland-0";
    if (!set("WAYLAND_DISPLAY") && !set("WAYLAND_SOCKET") && !compositorAnswers())
        return {"WAYLAND_DISPLAY가 설정되어 있지 않음", "WAYLAND_DISPLAY is not set"};
    if (!compositorAnswers())
        return {named + "의 Wayland 서버에 연결할 수 없음", "no Wayland server answers at " + named};
    if (!waylandPlugin())
        return {"Wayland 서버(" + named + ")는 있지만 Qt의 Wayland 플러그인(qt6-wayland)이 없음",
                "a Wayland server answers at " + named + ", but Qt has no Wayland plugin (qt6-wayland)"};
    return {};
}

// One entry of QT_QPA_PLATFORM: a plugin name, maybe followed by ":options".
Why platformMissing(std::string_view entry)
{
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name == "xcb")
        return xcbMissing();
    if (name.starts_with("wayland"))
        return waylandMissing();
    // offscreen, minimal, vnc, linuxfb, eglfs, ...: they need no desktop, and
    // Qt reports an unknown name itself.
    return {};
}

// Why no window can open; empty when one can.
Why displayMissing()
{
    const std::string platform = env("QT_QPA_PLATFORM");
    if (platform.empty()) {
        // Qt picks xcb here; a Wayland session without xcb is reached only
        // through the Wayland plugin.
        if (!set("DISPLAY") && !set("WAYLAND_DISPLAY"))
            return {"DISPLAY도 WAYLAND_DISPLAY도 설정되어 있지 않음", "neither DISPLAY nor WAYLAND_DISPLAY is set"};
        const Why x = xcbMissing();
        if (x.korean.empty())
            return {};
        if (!set("WAYLAND_DISPLAY"))
            return x;
        const Why w = waylandMissing();
        if (w.korean.empty())
            return {};
        return set("DISPLAY") ? Why{x.korean + ", " + w.korean, x.english + ", and " + w.english} : w;
    }
    // A list separated by ';' is tried in turn: one reachable entry is enough.
    std::string_view rest(platform);
    Why first;
    for (;;) {
        const auto end = rest.find(';');
        const Why why = platformMissing(rest.substr(0, end));
        if (why.korean.empty())
            return {};
        if (first.korean.empty())
            first = why;
        if (end == std::string_view::npos)
            break;
        rest.remove_prefix(end + 1);
    }
    return {"QT_QPA_PLATFORM=" + platform + "에 맞는 화면이 없음: " + first.korean,
            "QT_QPA_PLATFORM=" + platform + ", and no display for it: " + first.english};
}

} // namespace

bool haveDisplay()
{
    return displayMissing().korean.empty();
}

bool koreanLocale()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return std::string_view(value).starts_with("ko");
    }
    return false;
}

void requireDesktop(int &argc, char **argv)
{
    const Why why = displayMissing();
    if (!why.korean.empty()) {
        const bool korean = koreanLocale();
        std::fprintf(stderr,
                     korean ? "barmen: 바르멘은 그래픽 데스크톱에서 실행해야 합니다."
                              " 창을 열 화면이 없습니다 (%s).\n"
                            : "barmen: 바르멘 needs a graphical desktop;"
                              " there is no display to open its window on (%s).\n",
                     korean ? why.korean.c_str() : why.english.c_str());
        std::exit(1);
    }
    if (argc > 1) {
        argc = 1;
        argv[1] = nullptr;
    }
}

} // namespace barmen
