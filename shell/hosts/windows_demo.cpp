// norvex.exe's entry: the options of the Linux demo but those of its other
// hosts (an X saver window, Wayland's layers), its help and refusals in a
// box, and the demo with its pieces. Windows' windows are made without
// samples (the backend says why): the scene's own framebuffer takes them.
#include "shell/hosts/windows_demo.h"

#include <string>

#include "shell/core/display_settings.h"
#include "shell/core/main_loop.h"
#include "shell/core/options.h"
#include "shell/fps_overlay/frame_rate.h"
#include "shell/scene_target/scene_target.h"
#include "world/crt.h"

namespace {

constexpr const char* kUsage =
    "usage: norvex [--fps] [--seed N] [--max-fps N] [--windowed] [--size WxH]\n"
    "              [--no-mode-switch] [--samples N] [--scale F]";
constexpr const char* kHelp =
    "A camera flies over a night city. With no options: full screen at 1024x768,\n"
    "F1 switches to a window, Escape quits. The screen saver is norvex.scr.\n\n"
    "--fps\tshow the frame rate in the lower-left corner\n"
    "--seed N\tpin the flight: the same N, 0..4294967295, gives the same frames\n"
    "--max-fps N\tdraw at most N frames a second, 0..1000 (default 60; 0: no cap)\n"
    "--windowed\tstart in a window, without trying full screen\n"
    "--size WxH\tthe window's size and the full-screen mode (default 1024x768)\n"
    "--no-mode-switch\tfull screen at the desktop's own resolution\n"
    "--samples N\tsmooth edges with N samples per pixel: 2, 4 or 8\n"
    "--scale F\tdraw the scene at F times the window's size, 0.25..1, stretched\n"
    "--help, --version\tshow this, or the version";

// What a parse that is not Run calls for, in a box; the exit code.
int Say(const cli::Parsed& parsed)
{
    switch (parsed.outcome) {
    case cli::Outcome::Help: plat::MessageBox((std::string(kUsage) + "\n\n" + kHelp).c_str(), "norvex"); return 0;
    case cli::Outcome::Version: plat::MessageBox("norvex " NORVEX_VERSION, "norvex"); return 0;
    case cli::Outcome::Refused: plat::MessageBox((parsed.problem + "\n\n" + kUsage).c_str(), "norvex"); return 2;
    case cli::Outcome::Run: break;
    }
    return 0;
}

}  // namespace

int RunWindowsDemo(int argc, char** argv)
{
    NorvexOptions options;
    cli::Parsed parsed = ParseNorvexOptions(argc, argv, &options);
    if (parsed.outcome == cli::Outcome::Run &&
        (options.root || options.windowId != 0 || options.wallpaper || options.overlay))
        parsed = {cli::Outcome::Refused, "--root, --window-id, --wallpaper and --overlay are Linux's; "
                                         "on Windows the screen saver is norvex.scr"};
    if (parsed.outcome != cli::Outcome::Run) return Say(parsed);
    if (options.seedGiven) crt::PinTime(options.seed);  // as norvex-capture --seed: the same frames
    g_display = options.display;

    FrameRateOverlay overlay;
    SceneTarget target;
    FramePieces pieces;
    if (options.fps) pieces.Add(&overlay);
    if (g_display.scale < 1.0f || g_display.samples > 0) {
        target.scale = g_display.scale;
        target.samples = g_display.samples;
        pieces.Add(&target);
    }
    g_display.samples = 0;
    return WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL, &pieces);
}

int main(int argc, char** argv) { return RunWindowsDemo(argc, argv); }
