// The wallpaper plugin's renderer: one process per screen, started by the
// plugin with one end of a socket; it attaches the shared-frames host and
// runs the saver loop on it until the plugin closes the socket.
#include "shell/hosts/shared_frames.h"

#include "platform/quit_signals.h"
#include "platform/shared_frames/shared_frames.h"
#include "shell/core/display_settings.h"
#include "shell/core/draw_frames.h"

int RunFramesRole(int socket, FramePieces& pieces)
{
    plat::SharedFrames host;
    const plat::HostEvent end = host.Attach(socket, g_display.renderer) ? DrawFrames(host, pieces)
                                : host.closed       ? plat::HostEvent::Withdrawn
                                                    : plat::HostEvent::Gone;
    host.Detach();
    if (const int number = plat::quit::Caught()) plat::quit::EndBySignal(number);  // stopped, even while starting
    return end == plat::HostEvent::Withdrawn ? 0 : 1;
}
