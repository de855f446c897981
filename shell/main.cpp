// Process entry. With no arguments, the demo as it always was: WinMain, whose
// result is the exit code. Otherwise the options decide: --root or --window-id
// draw into a screen saver's window, --wallpaper or --overlay into a Wayland
// compositor's layers, --fps adds the frame rate to any of them.
#include <cstdio>
#include <cstdlib>

#include "shell/frame_rate.h"
#include "shell/options.h"
#include "shell/saver.h"
#include "shell/shell.h"

int main(int argc, char** argv)
{
    if (argc <= 1) return WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL);

    NorvexOptions options;
    const cli::Parsed parsed = ParseNorvexOptions(argc, argv, &options);
    if (parsed.outcome != cli::Outcome::Run) return cli::Report(parsed, "norvex", NORVEX_USAGE, NORVEX_HELP);
    if (options.fps) g_frameOverlay = ShowFrameRate;

    if (options.root) {
        const char* variable = std::getenv(SAVER_WINDOW_VARIABLE);
        uint32_t id = 0;
        if (!RootTarget(variable, &id)) {
            std::fprintf(stderr, "norvex: %s names no X window: '%s'\n", SAVER_WINDOW_VARIABLE, variable);
            return 1;
        }
        return RunSaver(id);
    }
    if (options.windowId != 0) return RunSaver(options.windowId);
    if (options.wallpaper || options.overlay) return RunLayerRole(options.overlay);
    return WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL);
}
