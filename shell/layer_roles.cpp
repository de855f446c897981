// norvex on Wayland desktops: a live wallpaper (--wallpaper) or an idle
// screen (--overlay) on every output. The platform runs one process per
// output; each attaches its layer surface and runs the saver loop on it.
#include "platform/wayland/layer_surface.h"
#include "platform/wayland/per_output.h"
#include "shell/saver.h"

namespace {

plat::HostEvent DrawOnOutput(uint32_t outputName, plat::LayerRole role)
{
    plat::LayerSurface host;
    if (!host.Attach(outputName, role))
        return host.withdrawn ? plat::HostEvent::Withdrawn : plat::HostEvent::Gone;
    const plat::HostEvent end = DrawFrames(host);
    host.Detach();
    return end;
}

}  // namespace

int RunLayerRole(bool overlay)
{
    return plat::RunPerOutput(overlay ? plat::LayerRole::Overlay : plat::LayerRole::Wallpaper, DrawOnOutput);
}
