// The desktop demo's entry. The demo's window needs a display. Without one,
// SDL's attempt at each of its drivers fills stderr and every message box
// falls back to stderr as well: one line says which display could not be
// opened instead.
#include "shell/hosts/desktop.h"

#include <cstdio>
#include <string>

#include "platform/sdl/display_probe.h"
#include "shell/core/main_loop.h"

int RunDemo(FramePieces* pieces)
{
    std::string why;
    if (!plat::display::Reachable(&why)) {
        std::fprintf(stderr, "norvex: %s\n", why.c_str());
        return 1;
    }
    return WinMain(plat::ModuleInstance(), nullptr, "", plat::SW_SHOWNORMAL, pieces);
}
