// The display-mode switch and its restore, all in one place. A request is
// checked against the modes the display offers; the switch itself happens when
// a full-screen window in that mode is shown, and SDL gives the desktop mode
// back when that window leaves full screen or is destroyed. While the display
// is switched a watchdog process stands by to restore it should the demo die.
#include "platform/mode_watchdog.h"
#include "platform/platform.h"
#include "platform/sdl_internal.h"

namespace plat {
namespace {

bool g_requested = false;
SDL_DisplayMode g_mode = {};
SDL_Window* g_holder = nullptr;  // the window in the requested mode, if any

constexpr int kDisplay = 0;

}  // namespace

bool ChangeDisplayMode(const DisplayMode& mode)
{
    if (!video::Start()) return false;
    const int count = SDL_GetNumDisplayModes(kDisplay);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode offered;
        if (SDL_GetDisplayMode(kDisplay, i, &offered) != 0) continue;
        const DisplayMode size{offered.w, offered.h, static_cast<int>(SDL_BITSPERPIXEL(offered.format))};
        if (!ModeMatches(mode, size)) continue;
        g_mode = offered;
        g_requested = true;
        return true;
    }
    return false;
}

void RestoreDisplayMode()
{
    if (g_holder) SDL_SetWindowFullscreen(g_holder, 0);
    g_holder = nullptr;
    watchdog::Disarm();
    g_requested = false;
}

namespace video {

bool EnterRequestedMode(SDL_Window* window)
{
    if (!g_requested) return false;
    watchdog::Arm();
    if (SDL_SetWindowDisplayMode(window, &g_mode) != 0 ||
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0) {
        watchdog::Disarm();
        return false;
    }
    g_holder = window;
    return true;
}

bool LeavingWindow(SDL_Window* window)
{
    if (g_holder != window) return false;
    g_holder = nullptr;
    return true;
}

void ModeGivenBack() { watchdog::Disarm(); }

}  // namespace video
}  // namespace plat
