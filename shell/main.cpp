// Process entry. With no arguments, the demo as it always was: WinMain, whose
// result is the exit code, once a display is known to be there. Otherwise the
// options decide: --root or --window-id draw into a screen saver's window,
// --wallpaper or --overlay into a Wayland compositor's layers, --fps adds the
// frame rate to any of them, --seed pins the flight, and the display settings
// shape how frames are shown.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/crt.h"
#include "platform/sdl/display_probe.h"
#include "shell/display_settings.h"
#include "shell/frame_rate.h"
#include "shell/options.h"
#include "shell/saver.h"
#include "shell/scene_target.h"
#include "shell/shell.h"

namespace {

// The demo's window needs a display. Without one, SDL's attempt at each of its
// drivers fills stderr and every message box falls back to stderr as well: one
// line says which display could not be opened instead.
int RunDemo()
{
    std::string why;
    if (!plat::display::Reachable(&why)) {
        std::fprintf(stderr, "norvex: %s\n", why.c_str());
        return 1;
    }
    return WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc <= 1) return RunDemo();

    NorvexOptions options;
    const cli::Parsed parsed = ParseNorvexOptions(argc, argv, &options);
    if (parsed.outcome != cli::Outcome::Run) return cli::Report(parsed, "norvex", NORVEX_USAGE, NORVEX_HELP);
    if (options.fps) g_frameOverlay = ShowFrameRate;
    if (options.seedGiven) crt::PinTime(options.seed);  // as norvex-capture --seed: the same frames
    g_display = options.display;

    // The scene goes through a framebuffer of its own when it is drawn smaller
    // than the window, or multisampled into a saver's window, whose pixel
    // format the host chose or the layer surface's EGL configuration left out.
    // Otherwise the window's pixel format has the samples.
    const bool hosted = options.root || options.windowId != 0 || options.wallpaper || options.overlay;
    if (g_display.scale < 1.0f || (hosted && g_display.samples > 0)) UseSceneTarget(g_display.scale, g_display.samples);

    // xscreensaver's settings dialog appends "--window-id ID" to the daemon's
    // "--root" line for its preview: the window named wins.
    if (options.windowId != 0) return RunSaver(options.windowId);
    if (options.root) {
        const char* variable = std::getenv(SAVER_WINDOW_VARIABLE);
        uint32_t id = 0;
        if (!RootTarget(variable, &id)) {
            std::fprintf(stderr, "norvex: %s names no X window: '%s'\n", SAVER_WINDOW_VARIABLE, variable);
            return 1;
        }
        return RunSaver(id);
    }
    if (options.wallpaper || options.overlay) return RunLayerRole(options.overlay);
    return RunDemo();
}
