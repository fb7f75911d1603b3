// Starts a program and reports how long it took to map its first top-level
// window on the X display, then ends it: the start-up a user waits through,
// measured from outside and the same way for any program.
//
//   zeltomir-startup-watch PROGRAM [ARGUMENTS...]
//
// Prints on one line the milliseconds it took and the processor time the
// program had used by then (its own and the system's for it, milliseconds);
// exits 1 when no window appears within 30 seconds.

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Disconnect {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

// Asks for the root window's map events before the program starts, so that
// its first window cannot be missed.
bool WatchRoot(xcb_connection_t* connection)
{
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(xcb_request_check(connection, cookie), &std::free);
    return !error;
}

// Waits for a map of a window that is not a menu or tooltip (those bypass
// the window manager) and returns it; none at the deadline.
xcb_window_t AwaitTopLevelMap(xcb_connection_t* connection, Clock::time_point deadline)
{
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            const xcb_window_t window =
                (event->response_type & 0x7f) == XCB_MAP_NOTIFY && !map->override_redirect ? map->window : XCB_NONE;
            std::free(event);
            if (window != XCB_NONE)
                return window;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || xcb_connection_has_error(connection))
            return XCB_NONE;
        poll(&descriptor, 1, static_cast<int>(left));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()) || !WatchRoot(connection.get())) {
        std::fprintf(stderr, "%s: cannot watch the X display\n", argv[0]);
        return 2;
    }
    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    const xcb_window_t shown = AwaitTopLevelMap(connection.get(), start + std::chrono::seconds(30));
    const auto elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    kill(child, SIGTERM);
    rusage usage{};
    wait4(child, nullptr, 0, &usage);
    const auto milliseconds = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    if (shown == XCB_NONE) {
        std::fprintf(stderr, "%s: no window within 30 seconds\n", argv[1]);
        return 1;
    }
    std::printf("%.1f %.1f\n", elapsed, milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime));
    return 0;
}
