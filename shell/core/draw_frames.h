// The loop every drawing-only host shares (an X window a saver daemon made, a
// Wayland layer surface on one output): set the scene up at the host's size,
// then frame after frame follow its size, draw with the host's pieces around
// the scene, and swap, no faster than the cap allows, until the host says the
// run is over. A host offers Poll (a plat::HostEvent), Wait, Swap, and its
// width and height in pixels.
#pragma once

#include "platform/host_event.h"
#include "platform/platform.h"
#include "shell/core/display_settings.h"
#include "shell/core/draw.h"
#include "shell/core/frame.h"
#include "shell/core/frame_pacer.h"
#include "shell/core/frame_pieces.h"
#include "shell/core/frame_rate_cap.h"
#include "shell/core/reshape.h"
#include "world/crt.h"

// Draws frames into the attached host until its Poll reports an end
// (anything but Unchanged or Resized), which it returns.
template <typename Host>
plat::HostEvent DrawFrames(Host& host, FramePieces& pieces)
{
    Keys keys = {};  // nothing writes them: the host owns the keyboard
    GL_Window window = {};
    window.keys = &keys;
    window.width = host.width;
    window.height = host.height;
    window.visible = 1;
    crt::srand(crt::time());
    Initialize(&window, &keys);
    pieces.Open(host.width, host.height);

    plat::HostEvent end = plat::HostEvent::Gone;
    FramePacer pacer(g_display.maxFps);
    PowerCap cap(g_display);
    bool shown = false;  // a frame of the host's current size is on show
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
            pieces.Resize(host.width, host.height);
            shown = false;
        }
        // No frames on battery, once one of this size is there to stay: the
        // host is heard meanwhile, and the power source read again.
        const CapNow now = cap.Now(plat::TickCount());
        pacer.maxFps = now.maxFps;
        if (!now.drawing && shown) {
            host.Wait(cap.NextReadIn(plat::TickCount()));
            continue;
        }
        // Where swaps do not wait for the display, an idle screen still must
        // not spin: the time left of the frame's period is spent waiting.
        if (const uint32_t wait = pacer.Remaining(plat::TickCount())) {
            host.Wait(wait);
            continue;
        }
        const uint32_t tick = plat::TickCount();
        pacer.Started(tick);
        pieces.Begin();
        Draw();
        pieces.End(tick);
        host.Swap();
        shown = true;
    }
    pieces.Close();
    Deinitialize();
    return end;
}
