// Drawing into an X window that another program made: a screen-saver daemon's
// window, or the preview in its settings dialog. Plain Xlib and GLX with the
// window's own visual; nothing of the host is ever created, mapped, moved,
// resized, grabbed or destroyed, and no display mode, cursor or key is touched.
// SIGINT and SIGTERM become a close request (unless started ignored).
#pragma once

#include <cstdint>

#include "platform/host_event.h"

namespace plat {

class ForeignWindow {
public:
    ForeignWindow() = default;
    ~ForeignWindow() { Detach(); }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    // Attaches a current OpenGL context to window `id` (0: the root window of
    // the display's default screen), swapping with interval 1 where the driver
    // offers it. False, with the reason on stderr, when the display, the window
    // or a context for its visual cannot be had (a window gone while a close
    // request is pending is not reported: Poll says CloseRequest then).
    bool Attach(uint32_t id);
    // Takes every change that has arrived without waiting; the most serious
    // one wins (CloseRequest, Gone, Resized, Unchanged).
    HostEvent Poll();
    // Waits until the X server has news for us or a quit signal arrives, for
    // at most this many milliseconds: a paced loop that still hears at once.
    void Wait(uint32_t milliseconds);
    void Swap();
    // Releases the context and the display connection; the window stays.
    void Detach();

    uint32_t id = 0;          // the window drawn into
    int width = 0;            // pixels, as last reported by the X server
    int height = 0;

private:
    friend struct XErrors;  // Xlib's error handler, which tells the attached window what it learnt
    bool StillThere();

    void* display_ = nullptr;  // Display
    void* context_ = nullptr;  // GLXContext
    bool hostGone_ = false;    // the X server said the window is gone: destroyed, or an error naming it
    bool goneReported_ = false;
    bool errorReported_ = false;  // an X error about something else was said (once)
};

}  // namespace plat
