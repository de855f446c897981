// The X11 saver's entry: attach to the daemon's window and run the saver
// loop on it. Told to stop by a signal, a saver cleans up and then ends by
// that signal, as daemons expect of hacks.
#include "shell/hosts/x11_saver.h"

#include "platform/quit_signals.h"
#include "platform/x11/foreign_window.h"
#include "shell/core/display_settings.h"
#include "shell/core/draw_frames.h"

int RunSaver(uint32_t id, FramePieces& pieces)
{
    plat::ForeignWindow host;
    const plat::HostEvent end = host.Attach(id, g_display.renderer) ? DrawFrames(host, pieces) : host.Poll();
    host.Detach();
    // Stopped, even while starting (a daemon cycling quickly): no failure.
    if (end == plat::HostEvent::CloseRequest) plat::quit::EndBySignal(plat::quit::Caught());
    return 1;
}
