// The connection to the Wayland compositor that both sides of the layer roles
// make: the watcher of outputs and each output's drawing process. Connecting
// with one clear line when there is no compositor, waiting for its events
// together with the signal wake-up, and saying how a connection was lost.
#pragma once

struct wl_display;

namespace plat::wl {

// Connects to the compositor named by WAYLAND_SOCKET or WAYLAND_DISPLAY (else
// wayland-0 in XDG_RUNTIME_DIR). Null when there is none, with one line on
// stderr saying that `option` needs one and where it looked.
wl_display* Connect(const char* option);

enum class Wait {
    Events,  // events arrived (or the timeout passed) and were dispatched
    Woken,   // a caught signal woke the wait (see StopSignal); events dispatched as well
    Lost,    // the connection failed; see SayLost
};
// Sends what is queued, then sleeps in poll() on the display and the signal
// wake-up until either is ready (timeoutMs < 0: no timeout), and dispatches
// what came on the default queue. Never spins: one poll() per call.
Wait WaitAndDispatch(wl_display* display, int timeoutMs);

// One line on stderr: the connection is gone, or the compositor refused one
// of our requests (interface and code, a fault of ours).
void SayLost(wl_display* display);

}  // namespace plat::wl
