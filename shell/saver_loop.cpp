// The saver's loop: attach to the host's window, set the scene up for it, then
// frame after frame follow its size, draw, show the frame rate if asked, and
// swap, no faster than the cap allows, until told to stop or the window goes.
#include <cstdio>

#include "platform/crt.h"
#include "platform/x11/foreign_window.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "shell/display_settings.h"
#include "shell/frame_pacer.h"
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
    if (!host.Attach(id)) return 1;

    Keys keys = {};  // nothing writes them: the daemon owns the keyboard
    GL_Window window = {};
    window.keys = &keys;
    window.width = host.width;
    window.height = host.height;
    window.visible = 1;
    crt::srand(crt::time());
    Initialize(&window, &keys);

    int exitCode = 0;
    FramePacer pacer(g_display.maxFps);
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
        // Where swaps do not wait for the display, an idle screen still must
        // not spin: the time left of the frame's period is spent waiting.
        if (const uint32_t wait = pacer.Remaining(plat::TickCount())) {
            host.Wait(wait);
            continue;
        }
        pacer.Started(plat::TickCount());
        Draw();
        if (g_frameOverlay) g_frameOverlay(plat::TickCount());
        host.Swap();
    }
    Deinitialize();
    host.Detach();
    return exitCode;
}
