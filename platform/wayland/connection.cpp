// libwayland's own complaints (an unset XDG_RUNTIME_DIR, a protocol error)
// go through its log handler: here they get norvex's prefix, and are kept
// quiet while connecting, where our one line says it all.
#include "platform/wayland/connection.h"

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/quit_signals.h"

namespace plat::wl {
namespace {

bool g_quiet = false;

void OnLog(const char* format, va_list arguments)
{
    if (g_quiet) return;
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    std::fprintf(stderr, "norvex: wayland: %s", text);  // libwayland ends its lines itself
}

// Where libwayland looked for the compositor, in its own order.
std::string Tried()
{
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string display = name ? name : "wayland-0";
    std::string where = display[0] == '/' ? display
                        : (runtime && runtime[0] ? std::string(runtime) : "$XDG_RUNTIME_DIR") + "/" + display;
    if (!name) where += ", as WAYLAND_DISPLAY is not set";
    if (display[0] != '/' && (!runtime || !runtime[0])) where += ", and XDG_RUNTIME_DIR is not set";
    return where;
}

}  // namespace

wl_display* Connect(const char* option)
{
    wl_log_set_handler_client(OnLog);
    g_quiet = true;
    errno = 0;
    wl_display* display = wl_display_connect(nullptr);
    const int error = errno;
    g_quiet = false;
    if (display) return display;
    const char* socket = std::getenv("WAYLAND_SOCKET");
    if (socket && socket[0])
        std::fprintf(stderr, "norvex: %s needs a Wayland compositor; WAYLAND_SOCKET=%s is no connection to one\n",
                     option, socket);
    else
        std::fprintf(stderr, "norvex: %s needs a Wayland compositor; there is none at %s (%s)\n", option,
                     Tried().c_str(), std::strerror(error ? error : ENOENT));
    return nullptr;
}

Wait WaitAndDispatch(wl_display* display, int timeoutMs)
{
    while (wl_display_prepare_read(display) != 0)
        if (wl_display_dispatch_pending(display) < 0) return Wait::Lost;
    // A full socket (a compositor slow to read) is waited on with the rest.
    short toDisplay = POLLIN;
    if (wl_display_flush(display) < 0) {
        if (errno != EAGAIN) {
            wl_display_cancel_read(display);
            return Wait::Lost;
        }
        toDisplay |= POLLOUT;
    }
    pollfd fds[2] = {{wl_display_get_fd(display), toDisplay, 0}, {quit::WakeFd(), POLLIN, 0}};
    const int ready = poll(fds, fds[1].fd >= 0 ? 2 : 1, timeoutMs);
    if (ready > 0 && (fds[0].revents & (POLLIN | POLLERR | POLLHUP))) {
        if (wl_display_read_events(display) < 0) return Wait::Lost;
    } else {
        wl_display_cancel_read(display);
    }
    if (wl_display_dispatch_pending(display) < 0) return Wait::Lost;
    if (ready > 0 && (fds[1].revents & POLLIN)) {
        quit::DrainWake();
        return Wait::Woken;
    }
    return Wait::Events;
}

void SayLost(wl_display* display)
{
    const int error = wl_display_get_error(display);
    if (error == EPROTO) {
        const wl_interface* interface = nullptr;
        uint32_t id = 0;
        const uint32_t code = wl_display_get_protocol_error(display, &interface, &id);
        std::fprintf(stderr, "norvex: the Wayland compositor refused a request: %s error %u\n",
                     interface ? interface->name : "unknown interface", code);
        return;
    }
    std::fprintf(stderr, "norvex: lost the connection to the Wayland compositor (%s)\n",
                 std::strerror(error ? error : EPIPE));
}

}  // namespace plat::wl
