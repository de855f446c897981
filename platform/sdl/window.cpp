// Windows on SDL, from creation to destruction: the GL attributes from the
// pixel-format descriptor, the display mode a full-screen window runs in (with
// the watchdog standing by while it does), showing, the frame allowance of
// decorated windows, the one native window kept on Wayland, the system
// commands of the default handling, and SDL's video stopped with the last class.
#include <cstdio>
#include <cstring>
#include <malloc.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/window_core.h"
#include "platform/x11/mode_watchdog.h"

namespace plat {
namespace {

// Frame thicknesses of a decorated window, pixels, as last measured on one; zero
// until a decorated window has been seen (the window manager decides them).
Rect g_frame = {0, 0, 0, 0};
int g_windowCount = 0;
SDL_Window* g_modeHolder = nullptr;  // the window running in the requested display mode

// SDL 2.26 on Wayland with client-side decorations (libdecor: GNOME, weston)
// crashes in its event dispatch once a window has been destroyed and another
// created, and never maps a window again once it has been hidden. There one
// native window serves the whole run: destroying a window keeps it, out of
// full screen, and the next window is that one in its new style. The shell
// still gets a new window, with a new context, each time.
SDL_Window* g_spare = nullptr;  // kept for the next CreateWindow

bool KeepsOneNativeWindow()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "wayland") == 0;
}

// The kept window, restyled as SDL_CreateWindow would have made it.
SDL_Window* TakeSpare(const char* title, int x, int y, int width, int height, Uint32 flags)
{
    SDL_Window* sdl = g_spare;
    g_spare = nullptr;
    SDL_SetWindowTitle(sdl, title);
    SDL_SetWindowBordered(sdl, (flags & SDL_WINDOW_BORDERLESS) ? SDL_FALSE : SDL_TRUE);
    SDL_SetWindowResizable(sdl, (flags & SDL_WINDOW_RESIZABLE) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowAlwaysOnTop(sdl, (flags & SDL_WINDOW_ALWAYS_ON_TOP) ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowSize(sdl, width, height);
    SDL_SetWindowPosition(sdl, x, y);
    return sdl;
}

// Keeps the window for the next CreateWindow. What it had queued belongs to
// the window that is going, and goes with it as a destroyed window's events would.
void KeepAsSpare(SDL_Window* sdl, bool fullScreen)
{
    if (fullScreen) SDL_SetWindowFullscreen(sdl, 0);
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_WINDOWEVENT, SDL_KEYUP);
    g_spare = sdl;
}

bool Decorated(uint32_t style)
{
    return (style & WS_POPUP) == 0 && (style & (WS_CAPTION | WS_THICKFRAME)) != 0;
}

// Puts a hidden window into the requested display mode, full screen: SDL
// switches the display when it is shown. The watchdog stands by from before
// the switch until the window gives the mode back.
void EnterRequestedMode(SDL_Window* sdl)
{
    const SDL_DisplayMode* mode = sdl::RequestedMode();
    if (mode == nullptr) return;
    watchdog::Arm();
    if (SDL_SetWindowDisplayMode(sdl, mode) != 0 || SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN) != 0) {
        watchdog::Disarm();
        return;
    }
    g_modeHolder = sdl;
}

// On X11 the window's visual is chosen from the GL attributes in force when the
// window is created, so they come first. SDL's own default is 3/3/2 colour.
void SetGLAttributes(const PixelFormatDescriptor& d)
{
    SDL_GL_ResetAttributes();
    int red = d.redBits, green = d.greenBits, blue = d.blueBits;
    if (red == 0 && green == 0 && blue == 0) {
        const int each = d.colorBits >= 24 ? 8 : d.colorBits >= 15 ? 5 : 0;
        red = green = blue = each;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, d.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, d.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, d.stencilBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, d.accumRedBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, d.accumGreenBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, d.accumBlueBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, d.accumAlphaBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (d.flags & PFD_DOUBLEBUFFER) ? 1 : 0);
    // No profile requested: a legacy context, where the fixed-function pipeline lives.
}

}  // namespace

bool AdjustWindowRect(Rect* rect, uint32_t style, bool /*menu*/, uint32_t /*exStyle*/)
{
    if (rect == nullptr) return false;
    if (!Decorated(style)) return true;
    rect->left -= g_frame.left;
    rect->top -= g_frame.top;
    rect->right += g_frame.right;
    rect->bottom += g_frame.bottom;
    return true;
}

Window* CreateWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style,
                     int x, int y, int width, int height, Instance* instance,
                     const PixelFormatDescriptor* pixelFormat, void* creationParameter)
{
    const WindowProcedure procedure = classes::Procedure(className, instance);
    if (procedure == nullptr || !sdl::StartVideo()) return nullptr;

    Uint32 flags = SDL_WINDOW_HIDDEN;
    const bool decorated = Decorated(style);
    if (!decorated) flags |= SDL_WINDOW_BORDERLESS;
    if (decorated && (style & WS_THICKFRAME)) flags |= SDL_WINDOW_RESIZABLE;
    if (exStyle & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const bool openGL = pixelFormat && (pixelFormat->flags & PFD_SUPPORT_OPENGL);
    if (openGL) {
        flags |= SDL_WINDOW_OPENGL;
        SetGLAttributes(*pixelFormat);
    }
    // SDL sizes the client area; the outer rectangle includes the frame.
    int clientWidth = width, clientHeight = height;
    if (decorated) {
        clientWidth -= g_frame.left + g_frame.right;
        clientHeight -= g_frame.top + g_frame.bottom;
    }
    const int w = clientWidth > 0 ? clientWidth : 1, h = clientHeight > 0 ? clientHeight : 1;
    SDL_Window* sdl = g_spare != nullptr && openGL ? TakeSpare(title ? title : "", x, y, w, h, flags)
                                                   : SDL_CreateWindow(title ? title : "", x, y, w, h, flags);
    if (sdl == nullptr) {
        std::fprintf(stderr, "SDL_CreateWindow: %s\n", SDL_GetError());
        return nullptr;
    }
    if (!decorated) EnterRequestedMode(sdl);

    Window* window = NewWindowRecord(procedure, creationParameter, style, exStyle, pixelFormat);
    window->native = sdl;
    window->nativeId = SDL_GetWindowID(sdl);
    if (++g_windowCount == 1) SDL_DisableScreenSaver();

    if (!DeliverCreate(window)) {
        DestroyWindow(window);
        return nullptr;
    }
    return window;
}

bool ShowWindow(Window* window, int /*command*/)
{
    if (window == nullptr || window->native == nullptr) return false;
    SDL_Window* sdl = static_cast<SDL_Window*>(window->native);
    SDL_ShowWindow(sdl);
    SDL_RaiseWindow(sdl);
    return true;
}

bool DestroyWindow(Window* window)
{
    // Only windows that CreateWindow made are destroyed; queue-only ones belong to their owner.
    if (window == nullptr || window->native == nullptr) return false;
    SDL_Window* sdl = static_cast<SDL_Window*>(window->native);
    int top = 0, left = 0, bottom = 0, right = 0;
    if (Decorated(window->style) && SDL_GetWindowBordersSize(sdl, &top, &left, &bottom, &right) == 0 &&
        top + left + bottom + right > 0)
        g_frame = Rect{left, top, right, bottom};
    // The window's keys go with it, in the shell's record and in SDL's own state.
    if (window->procedure) window->procedure(window, WM_KILLFOCUS, 0, 0);
    const bool heldMode = g_modeHolder == sdl;
    if (heldMode) g_modeHolder = nullptr;
    if (KeepsOneNativeWindow() && g_spare == nullptr && window->deviceContext.openGL)
        KeepAsSpare(sdl, heldMode);
    else
        SDL_DestroyWindow(sdl);
    SDL_ResetKeyboard();
    if (heldMode) watchdog::Disarm();  // SDL has given the desktop mode back
    delete window;
    if (--g_windowCount == 0) SDL_EnableScreenSaver();
    // The GL driver has just freed tens of MB with the window's context, most
    // of it in its threads' heaps, which glibc keeps until told otherwise.
    malloc_trim(0);
    return true;
}

bool UnregisterClass(const char* className, Instance* instance)
{
    bool last = false;
    if (!classes::Forget(className, instance, &last)) return false;
    if (last) {
        if (g_spare) SDL_DestroyWindow(g_spare);
        g_spare = nullptr;
        sdl::StopVideo();
    }
    return true;
}

void ApplySystemCommand(Window* window, uint32_t command)
{
    SDL_Window* sdl = static_cast<SDL_Window*>(window->native);
    if (sdl == nullptr) return;
    if (command == SC_MINIMIZE) SDL_MinimizeWindow(sdl);
    else if (command == SC_MAXIMIZE) SDL_MaximizeWindow(sdl);
    else if (command == SC_RESTORE) SDL_RestoreWindow(sdl);
}

}  // namespace plat
