// Starts a program on the X display and watches it from outside, through the
// X server alone: the time from exec to the first paint of its window and the
// process's peak memory. The first paint is the first damage to the mapped
// window after which a row across it holds a picture rather than the one
// colour of a cleared window. The program is ended once it has painted.
//   paint_watch PROGRAM [ARGS...]
// prints: map_ms=… paint_ms=… maxrss_kb=…

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
#include <set>

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

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: paint_watch PROGRAM [ARGS...]\n");
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

    kill(pid, SIGTERM);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (painted < 0) {
        std::fprintf(stderr, "paint_watch: %s never painted its window\n", argv[1]);
        return 1;
    }
    std::printf("map_ms=%.1f paint_ms=%.1f maxrss_kb=%ld\n", mapped - started, painted - started, usage.ru_maxrss);
    return 0;
}
