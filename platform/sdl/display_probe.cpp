// The display probe: one connection attempt to the X server and to the Wayland
// socket, closed again at once. No SDL here.
#include "platform/sdl/display_probe.h"

#include <X11/Xlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace plat::display {
namespace {

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

// The socket libwayland connects to: an absolute WAYLAND_DISPLAY as it is,
// otherwise that name (wayland-0 when unset) in XDG_RUNTIME_DIR.
std::string WaylandSocketPath()
{
    const char* name = Variable("WAYLAND_DISPLAY");
    if (name == nullptr) name = "wayland-0";
    if (name[0] == '/') return name;
    const char* runtime = Variable("XDG_RUNTIME_DIR");
    return runtime != nullptr ? std::string(runtime) + "/" + name : std::string();
}

// Why there is nothing to try when no display is named at all.
std::string NothingNamed(bool x11, bool wayland)
{
    if (x11 && wayland) return "no display to draw on: neither DISPLAY nor WAYLAND_DISPLAY is set";
    if (x11) return "no X display to draw on: DISPLAY is not set";
    const std::string path = WaylandSocketPath();
    if (path.empty()) return "no Wayland display to draw on: XDG_RUNTIME_DIR is not set";
    return "cannot reach the Wayland display at '" + path + "'";
}

}  // namespace

bool XReachable()
{
    if (Variable("DISPLAY") == nullptr) return false;
    Display* connection = XOpenDisplay(nullptr);
    if (connection == nullptr) return false;
    XCloseDisplay(connection);
    return true;
}

bool WaylandReachable()
{
    if (Variable("WAYLAND_SOCKET") != nullptr) return true;
    const std::string path = WaylandSocketPath();
    sockaddr_un address {};
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

bool Reachable(std::string* why)
{
    const char* driver = Variable("SDL_VIDEODRIVER");
    const bool x11 = driver == nullptr || std::strcmp(driver, "x11") == 0;
    const bool wayland = driver == nullptr || std::strcmp(driver, "wayland") == 0;
    if (!x11 && !wayland) return true;
    if ((x11 && XReachable()) || (wayland && WaylandReachable())) return true;

    const char* xName = Variable("DISPLAY");
    const char* waylandName = Variable("WAYLAND_DISPLAY");
    std::string text;
    if (x11 && xName != nullptr) text = "cannot open the X display '" + std::string(xName) + "'";
    if (wayland && waylandName != nullptr)
        text += (text.empty() ? "cannot reach" : " nor reach") + std::string(" the Wayland display '") + waylandName + "'";
    if (text.empty()) text = NothingNamed(x11, wayland);
    if (why != nullptr) *why = text;
    return false;
}

}  // namespace plat::display
