// SPDX-License-Identifier: GPL-3.0-or-later
// Starts a program and reports, from the X server's own events, when each of
// its top-level windows is mapped, first drawn and unmapped, in milliseconds
// since the program was started:
//
//   firstmap [--input] [--close-after MS] [--timeout S] -- command [argument...]
//
// One line per event, flushed at once so that a script can follow the run:
//   map MS WINDOW TITLE     a top-level window was mapped (the first is the start-up time)
//   paint MS WINDOW         the program drew into the window for the first time since its map
//   unmap MS WINDOW         a top-level window was unmapped
//   input MS                a key or button was pressed (with --input; raw events, any client's)
//   exit STATUS CPU         the program ended: its exit status, or 128 + its signal, and
//                           the processor time it used, user and system, in milliseconds
// With --close-after, the first window mapped is asked to close (WM_DELETE_WINDOW)
// MS milliseconds after its map. The program is killed after --timeout seconds (60).

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <sys/resource.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <utility>

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "firstmap: %s\n", what);
    std::exit(2);
}

// The window's title as UTF-8: _NET_WM_NAME, else WM_NAME.
std::string titleOf(Display *display, Window window)
{
    for (const char *name : {"_NET_WM_NAME", "WM_NAME"}) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char *data = nullptr;
        const Atom property = XInternAtom(display, name, False);
        if (XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType, &type, &format, &count,
                               &after, &data) == Success && data && format == 8 && count > 0) {
            std::string title(reinterpret_cast<char *>(data), count);
            XFree(data);
            return title;
        }
        if (data)
            XFree(data);
    }
    return {};
}

// Asks the raw key and button presses of every device, which reach this client whatever window they go to.
bool selectRawPresses(Display *display)
{
    int opcode = 0, event = 0, error = 0, major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)
        || XIQueryVersion(display, &major, &minor) != Success)
        return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    return XISelectEvents(display, DefaultRootWindow(display), &mask, 1) == Success;
}

void closeWindow(Display *display, Window window)
{
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = window;
    message.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    message.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &message);
    XFlush(display);
}

} // namespace

int main(int argc, char *argv[])
{
    bool input = false;
    double closeAfter = -1, timeout = 60;
    int first = 1;
    for (; first < argc && std::strcmp(argv[first], "--") != 0; ++first) {
        const std::string option = argv[first];
        if (option == "--input")
            input = true;
        else if ((option == "--close-after" || option == "--timeout") && first + 1 < argc)
            (option == "--timeout" ? timeout : closeAfter) = std::atof(argv[++first]);
        else
            fail("usage: firstmap [--input] [--close-after MS] [--timeout S] -- command [argument...]");
    }
    if (first + 1 >= argc)
        fail("no command");

    Display *display = XOpenDisplay(nullptr);
    if (!display)
        fail("cannot open the display");
    // A window can be gone before a request about it arrives: no error ends the watch.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    if (input && !selectRawPresses(display))
        fail("the X server has no XInput 2.2");
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError))
        fail("the X server has no DAMAGE extension");
    // Each top-level window's damage, watched from its creation; true while its first drawing since its map is awaited.
    std::map<Window, bool> awaitingPaint;
    XSync(display, False);

    // Each event is timed when this watcher reads it: it runs ahead of the
    // program on a busy machine, where it can (as root), and the program at the
    // priority it would have had.
    const int niceness = getpriority(PRIO_PROCESS, 0);
    setpriority(PRIO_PROCESS, 0, niceness - 10);
    const double start = nowMs();
    const pid_t child = fork();
    if (child < 0)
        fail("cannot fork");
    if (child == 0) {
        close(ConnectionNumber(display));
        setpriority(PRIO_PROCESS, 0, niceness);
        execvp(argv[first + 1], argv + first + 1);
        std::perror(argv[first + 1]);
        _exit(127);
    }

    Window firstWindow = None;
    double closeAt = -1;
    int status = 0;
    rusage usage{};
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            const double at = nowMs() - start;
            if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
            } else if (event.type == damageEvent + XDamageNotify) {
                const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
                XDamageSubtract(display, damage.damage, None, None);
                if (std::exchange(awaitingPaint[damage.drawable], false))
                    std::printf("paint %.1f 0x%lx\n", at, damage.drawable);
            } else if (event.type == MapNotify && event.xmap.event == root && !event.xmap.override_redirect) {
                const Window window = event.xmap.window;
                awaitingPaint[window] = true;
                std::printf("map %.1f 0x%lx %s\n", at, window, titleOf(display, window).c_str());
                if (firstWindow == None) {
                    firstWindow = window;
                    if (closeAfter >= 0)
                        closeAt = at + closeAfter;
                }
            } else if (event.type == UnmapNotify && event.xunmap.event == root && !event.xunmap.send_event) {
                std::printf("unmap %.1f 0x%lx\n", at, event.xunmap.window);
            } else if (event.type == GenericEvent && XGetEventData(display, &event.xcookie)) {
                std::printf("input %.1f\n", at);
                XFreeEventData(display, &event.xcookie);
            }
            std::fflush(stdout);
        }
        const double at = nowMs() - start;
        if (closeAt >= 0 && at >= closeAt) {
            closeWindow(display, firstWindow);
            closeAt = -1;
        }
        if (at > timeout * 1e3) {
            std::fprintf(stderr, "firstmap: no end after %g s; killing the program\n", timeout);
            kill(child, SIGKILL);
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 5);
    }
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    const auto ms = [](const timeval &t) { return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3; };
    std::printf("exit %d %.1f\n", code, ms(usage.ru_utime) + ms(usage.ru_stime));
    XCloseDisplay(display);
    return code;
}
