// SDL's video reaches for the D-Bus session bus (input methods, the screen
// saver's inhibit). Where the environment names no session bus, libdbus would
// autolaunch one: `dbus-launch --autolaunch` and a bus daemon that outlive the
// demo, one more pair for every run in a bare X session.
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "platform/sdl/sdl_internal.h"

namespace plat::sdl {

void RefuseAutolaunchedSessionBus()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && address[0] != '\0') return;  // a bus of the user's (libdbus takes "" as unset)
    // A per-user bus at $XDG_RUNTIME_DIR/bus is found by libdbus itself, and is no launch.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat bus {};
    if (runtime != nullptr && runtime[0] != '\0' && stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 &&
        S_ISSOCK(bus.st_mode))
        return;
    // Debian 12's libdbus (1.14) knows no address for "none"; a path that is no
    // socket refuses every connection, so SDL goes without a bus at once.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null", 1);
}

}  // namespace plat::sdl
