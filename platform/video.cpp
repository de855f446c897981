// SDL's video subsystem, started lazily and stopped with the last window
// class; the cursor's show count.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "platform/platform.h"
#include "platform/sdl_internal.h"
#include "platform/session_bus.h"
#include "platform/window_records.h"

namespace plat {
namespace {

bool g_videoStarted = false;
int g_cursorCount = 0;  // shown while >= 0

void ApplyCursor() { SDL_ShowCursor(g_cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE); }

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

namespace video {

bool Start()
{
    if (g_videoStarted) return true;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");  // a close request is one WM_CLOSE
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "0");         // SIGINT, SIGTERM -> SDL_QUIT -> WM_CLOSE
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    session_bus::KeepFromLaunching();  // SDL's X11 video connects to the session bus
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
    ApplyCursor();
    return true;
}

void Stop()
{
    if (!g_videoStarted) return;
    DropSpareWindow();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    g_videoStarted = false;
}

bool Started() { return g_videoStarted; }

}  // namespace video

bool UnregisterClass(const char* className, Instance* instance)
{
    bool last = false;
    if (!classes::Forget(className, instance, &last)) return false;
    if (last) video::Stop();
    return true;
}

int ShowCursor(bool show)
{
    g_cursorCount += show ? 1 : -1;
    if (g_videoStarted) ApplyCursor();
    return g_cursorCount;
}

}  // namespace plat
