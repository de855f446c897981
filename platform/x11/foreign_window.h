// Drawing into an X window that another program made: a screen-saver daemon's
// window, or the preview in its settings dialog. Plain Xlib and GLX with the
// window's own visual; nothing of the host is ever created, mapped, moved,
// resized, grabbed or destroyed, and no display mode, cursor or key is touched.
// SIGINT and SIGTERM become a close request (unless started ignored).
#pragma once

#include <cstdint>

#include "platform/host_event.h"
#include "platform/renderer.h"

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
    // Batched: an OpenGL ES 3 context with the scene's calls through the GL
    // 1.1 layer, or where there is none the usual one, said once on stderr.
    bool Attach(uint32_t id, Renderer renderer = Renderer::Fixed);
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

    // What the X server has said of the host since it was attached.
    struct HostNews {
        bool gone = false;      // destroyed, or named by an error
        bool goneSaid = false;  // that it was destroyed is on stderr
    };

    void* display_ = nullptr;  // Display
    void* context_ = nullptr;  // GLXContext
    HostNews host_;
    bool errorReported_ = false;  // an X error about something else was said (once)
};

}  // namespace plat
