// The message queue on SDL: posting, and peeking that first pumps SDL's events
// into the window's FIFO, translated into the shell's messages; waiting, and
// dispatching to the window's procedure.
#include <SDL_syswm.h>

#include <cstring>

#include "platform/key_table.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/x11/focus.h"

namespace plat {
namespace {

// In pixels: on a scaled (HiDPI) output an OpenGL window's drawable has more
// of them than the window's size in the desktop's units says.
int32_t ClientSize(SDL_Window* sdl)
{
    int width = 0, height = 0;
    if (SDL_GetWindowFlags(sdl) & SDL_WINDOW_OPENGL) SDL_GL_GetDrawableSize(sdl, &width, &height);
    else SDL_GetWindowSize(sdl, &width, &height);
    return PackSize(width, height);
}

uint32_t SizeKind(SDL_Window* sdl)
{
    const Uint32 flags = SDL_GetWindowFlags(sdl);
    if (flags & SDL_WINDOW_MINIMIZED) return SIZE_MINIMIZED;
    return (flags & SDL_WINDOW_MAXIMIZED) ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

// True when the window is on X11 and X has given it the keyboard focus: SDL
// learns of it up to 200 ms late after a display-mode change.
bool HoldsX11Focus(SDL_Window* sdl)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (sdl == nullptr || !SDL_GetWindowWMInfo(sdl, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    return x11::HoldsFocus(info.info.x11.display, info.info.x11.window);
}

}  // namespace

namespace sdl {

Message TranslateEvent(const Window& window, const SDL_Event& e)
{
    SDL_Window* sdl = static_cast<SDL_Window*>(window.native);
    switch (e.type) {
    case SDL_QUIT:  // also how SIGINT and SIGTERM arrive
        return Message{WM_CLOSE, 0, 0};
    case SDL_WINDOWEVENT:
        if (e.window.windowID != window.nativeId) break;
        switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: return Message{WM_CLOSE, 0, 0};
        case SDL_WINDOWEVENT_FOCUS_LOST: return Message{WM_KILLFOCUS, 0, 0};
        case SDL_WINDOWEVENT_MINIMIZED: return Message{WM_SIZE, SIZE_MINIMIZED, 0};
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            const uint32_t kind = SizeKind(sdl);
            return Message{WM_SIZE, kind, kind == SIZE_MINIMIZED ? 0 : ClientSize(sdl)};
        }
        default: break;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        // Keys for another window, or for none (a repeat that outlived its
        // window on Wayland), are not this window's; but SDL takes the focus
        // that X gave a full-screen window only up to 200 ms later, and keys
        // typed in between carry no window: X says whose they are.
        if (e.key.windowID != window.nativeId && (e.key.windowID != 0 || !HoldsX11Focus(sdl))) break;
        {
            // Read as a plain int: a scancode outside the enumeration is a
            // value no key has, and the table's range check then drops it.
            static_assert(sizeof(SDL_Scancode) == sizeof(int));
            int code = 0;
            std::memcpy(&code, &e.key.keysym.scancode, sizeof code);
            return TranslateKey(code, e.type == SDL_KEYDOWN, e.key.repeat != 0,
                                (e.key.keysym.mod & KMOD_ALT) != 0);
        }
    default: break;
    }
    return Message{0, 0, 0};
}

}  // namespace sdl

namespace {

void Pump(Window* window)
{
    if (window->native == nullptr || !sdl::VideoStarted()) return;
    SDL_PumpEvents();
    SDL_Event e;
    while (window->queue.RoomForEvents() &&
           SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        const Message m = sdl::TranslateEvent(*window, e);
        if (m.message != 0) window->queue.Post(m);
        // SDL's own key state goes with the focus too, so that no key repeats
        // on for a release that went to another window.
        if (m.message == WM_KILLFOCUS) SDL_ResetKeyboard();
    }
}

}  // namespace

bool PeekMessage(Window* window, Message* message)
{
    if (window == nullptr || message == nullptr) return false;
    Pump(window);
    return window->queue.Take(message);
}

void WaitMessage(Window* window)
{
    if (window == nullptr || window->queue.Count() > 0) return;
    // A queue-only window has nothing that could ever arrive: do not block.
    if (window->native == nullptr || !sdl::VideoStarted()) return;
    SDL_WaitEvent(nullptr);
}

void WaitMessageTimeout(Window* window, uint32_t milliseconds)
{
    if (window == nullptr || window->queue.Count() > 0 || milliseconds == 0) return;
    // Nothing can arrive for a queue-only window: the time simply passes.
    if (window->native == nullptr || !sdl::VideoStarted()) return Sleep(milliseconds);
    SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
}

}  // namespace plat
