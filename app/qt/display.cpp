#include "app/qt/display.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace barmen {

namespace {

bool set(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

bool waylandReachable()
{
    if (set("WAYLAND_DISPLAY") || set("WAYLAND_SOCKET"))
        return true;
    // Without WAYLAND_DISPLAY the Wayland client library tries wayland-0 in
    // the runtime folder.
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime != '/')
        return false;
    struct stat st {};
    return ::stat((std::string(runtime) + "/wayland-0").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

// One entry of QT_QPA_PLATFORM: a plugin name, maybe followed by ":options".
bool platformReachable(std::string_view entry)
{
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name == "xcb")
        return set("DISPLAY");
    if (name.starts_with("wayland"))
        return waylandReachable();
    // offscreen, minimal, vnc, linuxfb, eglfs, ...: they need no desktop, and
    // Qt reports an unknown name itself.
    return true;
}

} // namespace

bool haveDisplay()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == nullptr || *platform == '\0') {
        // Qt picks xcb, or Wayland in a Wayland session.
        return set("DISPLAY") || set("WAYLAND_DISPLAY");
    }
    // A list separated by ';' is tried in turn: one reachable entry is enough.
    std::string_view rest(platform);
    for (;;) {
        const auto end = rest.find(';');
        if (platformReachable(rest.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            return false;
        rest.remove_prefix(end + 1);
    }
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
    if (!haveDisplay()) {
        const bool korean = koreanLocale();
        std::string why;
        if (set("QT_QPA_PLATFORM"))
            why = std::string("QT_QPA_PLATFORM=") + std::getenv("QT_QPA_PLATFORM")
                  + (korean ? "에 맞는 화면이 없음" : ", and no display for it");
        else
            why = korean ? "DISPLAY도 WAYLAND_DISPLAY도 설정되어 있지 않음"
                         : "neither DISPLAY nor WAYLAND_DISPLAY is set";
        std::fprintf(stderr,
                     korean ? "barmen: 바르멘은 그래픽 데스크톱에서 실행해야 합니다."
                              " 창을 열 화면이 없습니다 (%s).\n"
                            : "barmen: 바르멘 needs a graphical desktop;"
                              " there is no display to open its window on (%s).\n",
                     why.c_str());
        std::exit(1);
    }
    if (argc > 1) {
        argc = 1;
        argv[1] = nullptr;
    }
}

} // namespace barmen
