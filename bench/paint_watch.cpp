// Starts a program on the X display and watches it from outside, through the
// X server alone: the time from exec to the first paint of its window and the
// process's peak memory. The first paint is the first damage to the mapped
// window after which a row across it holds a picture rather than the one
// colour of a cleared window. Then, if asked, the window is clicked at each
// point given, as a player clicks (xdotool, through the XTEST extension),
// each click followed by a quarter of a second without damage to the window,
// so that what it did is drawn. The program is ended after that; its peak
// memory is over the start and every click.
//   paint_watch [--press X,Y]... PROGRAM [ARGS...]
// prints: map_ms=… paint_ms=… presses=… maxrss_kb=…

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

double nowMs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Whether the row across the window's middle shows more than a plain fill.
bool looksPainted(Display *display, Window window, int width, int height)
{
    XImage *row = XGetImage(display, window, 0, height / 2, unsigned(width), 1, AllPlanes, ZPixmap);
    if (!row)
        return false;
    std::set<unsigned long> colours;
    for (int x = 0; x < width; ++x)
        colours.insert(XGetPixel(row, x, 0));
    XDestroyImage(row);
    return colours.size() >= 16;
}

} // namespace

// Waits until the window has had no damage for a quarter of a second, or
// three seconds have passed.
void settle(Display *display, int damageEvent)
{
    const double until = nowMs() + 3000;
    double quietSince = nowMs();
    while (nowMs() < until && nowMs() - quietSince < 250) {
        if (!XPending(display)) {
            pollfd p{ConnectionNumber(display), POLLIN, 0};
            poll(&p, 1, 20);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == damageEvent + XDamageNotify)
            quietSince = nowMs();
    }
}

// One click of the first button at (x, y) in the window.
bool click(Window window, int x, int y)
{
    const std::string id = std::to_string(window), xs = std::to_string(x), ys = std::to_string(y);
    const pid_t pid = fork();
    if (pid == 0) {
        execlp("xdotool", "xdotool", "mousemove", "--window", id.c_str(), xs.c_str(), ys.c_str(), "click", "1",
               static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int main(int argc, char **argv)
{
    std::vector<std::pair<int, int>> presses;
    while (argc > 2 && std::strcmp(argv[1], "--press") == 0) {
        int x = 0, y = 0;
        if (std::sscanf(argv[2], "%d,%d", &x, &y) != 2) {
            std::fprintf(stderr, "paint_watch: --press X,Y\n");
            return 2;
        }
        presses.emplace_back(x, y);
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: paint_watch [--press X,Y]... PROGRAM [ARGS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "paint_watch: no X display\n");
        return 2;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "paint_watch: the X server has no DAMAGE extension\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double started = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    double mapped = -1, painted = -1;
    Window window = 0;
    int width = 0, height = 0;
    const double deadline = started + 20000;
    while (painted < 0 && nowMs() < deadline) {
        if (!XPending(display)) {
            pollfd p{ConnectionNumber(display), POLLIN, 0};
            poll(&p, 1, 50);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && !window && !event.xmap.override_redirect) {
            XWindowAttributes a;
            if (XGetWindowAttributes(display, event.xmap.window, &a) && a.width >= 100 && a.height >= 100) {
                window = event.xmap.window;
                width = a.width;
                height = a.height;
                mapped = nowMs();
                XDamageCreate(display, window, XDamageReportRawRectangles);
                XSync(display, False);
            }
        } else if (event.type == damageEvent + XDamageNotify) {
            const auto *d = reinterpret_cast<XDamageNotifyEvent *>(&event);
            const double at = nowMs();
            if (d->drawable == window && looksPainted(display, window, width, height))
                painted = at;
        }
    }

    int pressed = 0;
    if (painted >= 0) {
        settle(display, damageEvent);
        for (const auto &[x, y] : presses) {
            if (!click(window, x, y))
                break;
            settle(display, damageEvent);
            ++pressed;
        }
    }

    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (painted < 0) {
        std::fprintf(stderr, "paint_watch: %s never painted its window\n", argv[1]);
        return 1;
    }
    std::printf("map_ms=%.1f paint_ms=%.1f presses=%d maxrss_kb=%ld\n", mapped - started, painted - started, pressed,
                usage.ru_maxrss);
    return 0;
}
