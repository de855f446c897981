// The Wayland roles' entry. The platform runs one process per output; each
// attaches its layer surface and runs the saver loop on it.
#include "shell/hosts/wayland_roles.h"

#include "platform/wayland/layer_surface.h"
#include "platform/wayland/per_output.h"
#include "shell/core/display_settings.h"
#include "shell/core/draw_frames.h"

int RunLayerRole(bool overlay, FramePieces& pieces)
{
    const auto drawOnOutput = [&pieces](uint32_t outputName, plat::LayerRole role) {
        plat::LayerSurface host;
        if (!host.Attach(outputName, role, g_display.renderer))
            return host.withdrawn ? plat::HostEvent::Withdrawn : plat::HostEvent::Gone;
        const plat::HostEvent end = DrawFrames(host, pieces);
        host.Detach();
        return end;
    };
    return plat::RunPerOutput(overlay ? plat::LayerRole::Overlay : plat::LayerRole::Wallpaper, drawOnOutput);
}
