// Windows on SDL, from creation to destruction: the GL attributes from the
// pixel-format descriptor and the samples asked for, the display mode a
// full-screen window runs in (with the watchdog standing by while it does),
// showing, the frame allowance of decorated windows, the one native window
// kept on Wayland, the system commands of the default handling, and SDL's
// video stopped with the last class.
#include <cstdio>
#include <cstring>
#include <malloc.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/window_core.h"
#include "platform/sdl/x11/gl_visual.h"
#include "platform/sdl/x11/mode_watchdog.h"

namespace plat {
namespace {

// Frame thicknesses of a decorated window, pixels, as last measured on one; zero
// until a decorated window has been seen (the window manager decides them).
Rect g_frame = {0, 0, 0, 0};
int g_windowCount = 0;
SDL_Window* g_modeHolder = nullptr;  // the window running in the requested display mode
int g_samples = 0;                   // samples per pixel new windows ask for; 0: none

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
    // The desktop's own mode: covered as it is, nothing to switch or restore.
    if (sdl::DesktopModeRequested()) {
        SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN_DESKTOP);
        return;
    }
    const SDL_DisplayMode* mode = sdl::RequestedMode();
    if (mode == nullptr) return;
    watchdog::Arm();
    if (SDL_SetWindowDisplayMode(sdl, mode) != 0 || SDL_SetWindowFullscreen(sdl, SDL_WINDOW_FULLSCREEN) != 0) {
        watchdog::Disarm();
        return;
    }
    g_modeHolder = sdl;
}

// The descriptor's bits per colour channel: its own, or shared out from the
// colour bits. SDL's own default is 3/3/2 colour.
x11::GLConfig Wanted(const PixelFormatDescriptor& d, int samples)
{
    int red = d.redBits, green = d.greenBits, blue = d.blueBits;
    if (red == 0 && green == 0 && blue == 0) {
        const int each = d.colorBits >= 24 ? 8 : d.colorBits >= 15 ? 5 : 0;
        red = green = blue = each;
    }
    return {red, green, blue, d.alphaBits, d.depthBits, d.stencilBits, samples,
            (d.flags & PFD_DOUBLEBUFFER) != 0, true, 0};
}

// On X11 the window's visual is chosen from the GL attributes in force when the
// window is created, so they come first.
void SetGLAttributes(const PixelFormatDescriptor& d, int samples)
{
    SDL_GL_ResetAttributes();
    const x11::GLConfig wanted = Wanted(d, samples);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, wanted.red);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, wanted.green);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, wanted.blue);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, d.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, d.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, d.stencilBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, d.accumRedBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, d.accumGreenBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, d.accumBlueBits);
    SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, d.accumAlphaBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (d.flags & PFD_DOUBLEBUFFER) ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples);
    // No profile requested: a legacy context, where the fixed-function pipeline lives.
}

// SDL's X11 driver takes the visual GLX likes best, with the largest depth
// buffer; the window gets the closest to the descriptor instead, as its
// rendering context does (it is made for the window's visual). A visual the
// user named in SDL_VIDEO_X11_WINDOW_VISUALID stays theirs.
SDL_Window* CreateClosestWindow(const char* title, int x, int y, int w, int h, Uint32 flags,
                                const PixelFormatDescriptor& d, int samples)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* named = SDL_GetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
    const uint32_t visual = driver && std::strcmp(driver, "x11") == 0 && !(named && *named)
                                ? x11::ClosestVisual(Wanted(d, samples)) : 0;
    if (visual == 0) return SDL_CreateWindow(title, x, y, w, h, flags);
    char id[16];
    std::snprintf(id, sizeof id, "0x%x", visual);
    SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, id);
    SDL_Window* sdl = SDL_CreateWindow(title, x, y, w, h, flags);
    SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, nullptr);
    return sdl;
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

    // On a scaled (HiDPI) output the drawable gets the output's own pixels.
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    const bool decorated = Decorated(style);
    if (!decorated) flags |= SDL_WINDOW_BORDERLESS;
    if (decorated && (style & WS_THICKFRAME)) flags |= SDL_WINDOW_RESIZABLE;
    if (exStyle & WS_EX_TOPMOST) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    const bool openGL = pixelFormat && (pixelFormat->flags & PFD_SUPPORT_OPENGL);
    if (openGL) {
        flags |= SDL_WINDOW_OPENGL;
        SetGLAttributes(*pixelFormat, g_samples);
    }
    // SDL sizes the client area; the outer rectangle includes the frame.
    int clientWidth = width, clientHeight = height;
    if (decorated) {
        clientWidth -= g_frame.left + g_frame.right;
        clientHeight -= g_frame.top + g_frame.bottom;
    }
    const int w = clientWidth > 0 ? clientWidth : 1, h = clientHeight > 0 ? clientHeight : 1;
    const char* name = title ? title : "";
    SDL_Window* sdl = g_spare != nullptr && openGL ? TakeSpare(name, x, y, w, h, flags)
                      : openGL ? CreateClosestWindow(name, x, y, w, h, flags, *pixelFormat, g_samples)
                               : SDL_CreateWindow(name, x, y, w, h, flags);
    if (sdl == nullptr && openGL && g_samples > 0) {  // no multisampled format here: one without
        SetGLAttributes(*pixelFormat, 0);
        sdl = CreateClosestWindow(name, x, y, w, h, flags, *pixelFormat, 0);
    }
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
        KeepAsSpare(sdl, (SDL_GetWindowFlags(sdl) & SDL_WINDOW_FULLSCREEN) != 0);
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

void SetWindowSamples(int samples) { g_samples = samples > 0 ? samples : 0; }

// SDL has no window classes of its own.
bool RegisterNativeClass(const WindowClass& /*windowClass*/) { return true; }

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
