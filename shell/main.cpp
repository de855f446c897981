// norvex's entry. With no arguments, the demo as it always was. Otherwise the
// options decide: --root or --window-id draw into a screen saver's window,
// --wallpaper or --overlay into a Wayland compositor's layers, --frames-to
// into shared memory for the Plasma wallpaper plugin, --fps adds the
// frame rate to any of them, --seed pins the flight, and the display settings
// shape how frames are shown.
#include <cstdio>
#include <cstdlib>

#include "shell/core/display_settings.h"
#include "shell/core/options.h"
#include "shell/fps_overlay/frame_rate.h"
#include "shell/hosts/desktop.h"
#include "shell/hosts/shared_frames.h"
#include "shell/hosts/wayland_roles.h"
#include "shell/hosts/x11_saver.h"
#include "shell/scene_target/scene_target.h"
#include "world/crt.h"

int main(int argc, char** argv)
{
    if (argc <= 1) return RunDemo();

    NorvexOptions options;
    const cli::Parsed parsed = ParseNorvexOptions(argc, argv, &options);
    if (parsed.outcome != cli::Outcome::Run) return cli::Report(parsed, "norvex", NORVEX_USAGE, NORVEX_HELP);
    if (options.seedGiven) crt::PinTime(options.seed);  // as norvex-capture --seed: the same frames
    g_display = options.display;

    // The frame rate is drawn over everything; inside it, the scene goes
    // through a framebuffer of its own when it is drawn smaller than the
    // window, or multisampled into a saver's window, whose pixel format the
    // host chose or the layer surface's EGL configuration left out. Otherwise
    // the window's pixel format has the samples.
    FrameRateOverlay overlay;
    SceneTarget target;
    FramePieces pieces;
    if (options.fps) pieces.Add(&overlay);
    // A software renderer draws a large picture smaller unless --scale says.
    const bool hosted = options.root || options.windowId != 0 || options.wallpaper || options.overlay ||
                        options.framesTo >= 0;
    target.scale = g_display.scale;
    target.samples = g_display.scale < 1.0f || hosted ? g_display.samples : 0;
    target.fitSoftware = !g_display.scaleGiven;
    if (g_display.scale < 1.0f || target.samples > 0 || target.fitSoftware) pieces.Add(&target);

    // xscreensaver's settings dialog appends "--window-id ID" to the daemon's
    // "--root" line for its preview: the window named wins.
    if (options.windowId != 0) return RunSaver(options.windowId, pieces);
    if (options.root) {
        const char* variable = std::getenv(SAVER_WINDOW_VARIABLE);
        uint32_t id = 0;
        if (!RootTarget(variable, &id)) {
            std::fprintf(stderr, "norvex: %s names no X window: '%s'\n", SAVER_WINDOW_VARIABLE, variable);
            return 1;
        }
        return RunSaver(id, pieces);
    }
    if (options.wallpaper || options.overlay) return RunLayerRole(options.overlay, pieces);
    if (options.framesTo >= 0) return RunFramesRole(options.framesTo, pieces);
    return RunDemo(&pieces);
}
