// The session-bus guard: an address of a transport neither libdbus nor GDBus
// knows ("disabled:") where they would otherwise autolaunch a bus.
#include "platform/sdl/session_bus.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string>

namespace plat::session_bus {

void KeepFromLaunching()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && address[0] != '\0') return;
    // A user bus (dbus-user-session) is found there by both libraries without the variable.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && runtime[0] != '\0' && stat((std::string(runtime) + "/bus").c_str(), &info) == 0 &&
        S_ISSOCK(info.st_mode))
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

}  // namespace plat::session_bus
