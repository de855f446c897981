// The saver's loop, one body for every host (an X window a saver daemon made,
// a Wayland layer surface on one output): set the scene up at the host's size,
// then frame after frame follow its size, draw, show the frame rate if asked,
// and swap, no faster than the cap allows, until the host says the run is
// over. Told to stop by a signal, a saver cleans up and then ends by that
// signal, as daemons expect of hacks.
#include <cstdio>

#include "platform/crt.h"
#include "platform/platform.h"
#include "platform/quit_signals.h"
#include "platform/wayland/layer_surface.h"
#include "platform/x11/foreign_window.h"
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

template <typename Host>
plat::HostEvent DrawFrames(Host& host)
{
    Keys keys = {};  // nothing writes them: the host owns the keyboard
    GL_Window window = {};
    window.keys = &keys;
    window.width = host.width;
    window.height = host.height;
    window.visible = 1;
    crt::srand(crt::time());
    Initialize(&window, &keys);

    plat::HostEvent end = plat::HostEvent::Gone;
    FramePacer pacer(g_display.maxFps);
    for (;;) {
        const plat::HostEvent event = host.Poll();
        if (event != plat::HostEvent::Unchanged && event != plat::HostEvent::Resized) {
            end = event;
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
    return end;
}
template plat::HostEvent DrawFrames(plat::ForeignWindow& host);
template plat::HostEvent DrawFrames(plat::LayerSurface& host);

int RunSaver(uint32_t id)
{
    plat::ForeignWindow host;
    const plat::HostEvent end = host.Attach(id) ? DrawFrames(host) : host.Poll();
    host.Detach();
    // Stopped, even while starting (a daemon cycling quickly): no failure.
    if (end == plat::HostEvent::CloseRequest) plat::quit::EndBySignal(plat::quit::Caught());
    return 1;
}
