// SDL's video subsystem, started when first needed (the display-mode query or
// the first window) and stopped with the last window class; the pointer
// follows the cursor's show count.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/window_core.h"

namespace plat {
namespace {

bool g_videoStarted = false;

// With no display SDL falls back to drivers that show nothing; a window there
// is no window for the user, so they count only when asked for by name.
bool ShowsNothing(const char* driver)
{
    for (const char* name : {"offscreen", "dummy", "evdev"})
        if (driver && std::strcmp(driver, name) == 0) return true;
    return false;
}

void ReportOnce(const char* what)
{
    static bool reported = false;
    if (!reported) std::fprintf(stderr, "SDL_InitSubSystem(SDL_INIT_VIDEO): %s\n", what);
    reported = true;
}

}  // namespace

namespace sdl {

bool StartVideo()
{
    if (g_videoStarted) return true;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");  // a close request is one WM_CLOSE
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");         // SIGINT, SIGTERM -> SDL_QUIT -> WM_CLOSE
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    RefuseAutolaunchedSessionBus();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportOnce(SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // the SDL_VIDEODRIVER variable too
    if (ShowsNothing(driver) && !(requested && std::strstr(requested, driver))) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ReportOnce("no display to open");
        return false;
    }
    g_videoStarted = true;
    ApplyCursor(CursorShown());
    return true;
}

void StopVideo()
{
    if (!g_videoStarted) return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    g_videoStarted = false;
}

bool VideoStarted() { return g_videoStarted; }

}  // namespace sdl

void ApplyCursor(bool shown)
{
    if (g_videoStarted) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace plat
