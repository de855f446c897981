// The saver's loop: attach to the host's window, set the scene up for it, then
// frame after frame follow its size, draw, show the frame rate if asked, and
// swap, until told to stop or the window goes. Told to stop by a signal, it
// cleans up and then ends by that signal, as daemons expect of their hacks.
#include <cstdio>

#include "platform/crt.h"
#include "platform/quit_signals.h"
#include "platform/x11/foreign_window.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "shell/frame_rate.h"
#include "shell/options.h"
#include "shell/saver.h"
#include "shell/shell.h"

bool RootTarget(const char* variable, uint32_t* id)
{
    *id = 0;
    if (variable == nullptr || variable[0] == '\0') return true;
    return ParseWindowId(variable, id);
}

int RunSaver(uint32_t id)
{
    plat::ForeignWindow host;
    if (!host.Attach(id)) {
        // Stopped while starting (a daemon cycling quickly): not a failure.
        if (host.Poll() == plat::HostEvent::CloseRequest) plat::quit::EndBySignal(host.closeSignal);
        return 1;
    }

    Keys keys = {};  // nothing writes them: the daemon owns the keyboard
    GL_Window window = {};
    window.keys = &keys;
    window.width = host.width;
    window.height = host.height;
    window.visible = 1;
    crt::srand(crt::time());
    Initialize(&window, &keys);

    int exitCode = 0;
    uint32_t frameStart = plat::TickCount();
    for (;;) {
        const plat::HostEvent event = host.Poll();
        if (event == plat::HostEvent::CloseRequest) break;
        if (event == plat::HostEvent::Gone) {
            exitCode = 1;
            break;
        }
        if (event == plat::HostEvent::Resized) {
            window.width = host.width;
            window.height = host.height;
            ResizeGL(host.width, host.height);  // the scene's projection, the new aspect
        }
        Draw();
        const uint32_t tick = plat::TickCount();
        if (g_frameOverlay) g_frameOverlay(tick);
        host.Swap();
        // Where swaps do not wait for the display, an idle screen still must
        // not spin: a small frame gives the rest of its 16 ms back.
        const uint32_t spent = tick - frameStart;
        if (spent < SAVER_MIN_FRAME_MS) plat::Sleep(SAVER_MIN_FRAME_MS - spent);
        frameStart = plat::TickCount();
    }
    Deinitialize();
    const int signal = host.closeSignal;
    host.Detach();
    if (signal != 0) plat::quit::EndBySignal(signal);
    return exitCode;
}
