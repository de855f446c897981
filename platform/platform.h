// plat: the window layer under the shell, and the contract every backend that
// shows the demo's picture in a window fulfils (platform/sdl/ on desktops,
// platform/web/ in a browser, platform/win32/ on Windows). What it provides,
// and what each part must do:
//  - window classes: RegisterClass / UnregisterClass; registration needs no
//    display. A backend starts its window system when first needed (the
//    display-mode query or the first window) and may stop it when the last
//    class is unregistered.
//  - windows: CreateWindow at an outer position and size, from the pixel-format
//    descriptor (on X11 the visual is fixed when the window is made), delivering
//    WM_CREATE before it returns; AdjustWindowRect, ShowWindow, DestroyWindow,
//    one user-data value per window, DefaultWindowProc.
//  - OpenGL: the window's device context, pixel format, rendering context
//    (create, make current, delete) and SwapBuffers; the samples per pixel
//    windows ask for (SetWindowSamples), the renderer their contexts are made
//    for (SetWindowRenderer), the drawable's size in pixels, and functions
//    past OpenGL 1.1 by name (GLProcAddress).
//  - the display mode: ChangeDisplayMode (exact size only, for this run),
//    KeepDesktopMode (full screen at the desktop's own mode) and
//    RestoreDisplayMode.
//  - ShowCursor: a show count; the pointer is shown while the count is >= 0.
//  - messages: one FIFO per window. PostMessage appends; PeekMessage takes the
//    window system's events into it, translated into WM_* messages, then takes
//    the oldest; WaitMessage blocks until something arrives (WaitMessageTimeout
//    at most so many milliseconds); DispatchMessage
//    calls the window's procedure. SIGINT and SIGTERM arrive as WM_CLOSE, like a
//    close request (unless the process was started with them ignored). Keys come
//    only for this window; losing the keyboard focus, or being destroyed,
//    arrives as WM_KILLFOCUS.
//  - the screen saver is refused while a window exists.
//  - TickCount (ms, 32 bits, wrapping), Sleep, and a modal MessageBox that
//    falls back to "<caption>: <text>" on stderr when nothing can show it.
// The records and the parts that need no window system are shared
// (window_records.h, window_core.cpp, message_queue.*, key_table.*,
// quit_signals.*). Other ways of showing the picture have a folder and a
// header of their own: platform/x11/ (a window another program made),
// platform/wayland/ (layer surfaces of a compositor), platform/offscreen/.
#pragma once

#include <cstdint>

#include "platform/display_mode.h"
#include "platform/messages.h"
#include "platform/pixel_format.h"
#include "platform/renderer.h"
#include "platform/window_records.h"

namespace plat {

struct RenderContext;

// --- Window classes -------------------------------------------------------------
Instance* ModuleInstance();
// False when the name is empty, too long, already registered for this
// instance, or there is no room for another class.
bool RegisterClass(const WindowClass& windowClass);
bool UnregisterClass(const char* className, Instance* instance);

// --- Windows ------------------------------------------------------------------------
// Grows a client rectangle to the outer rectangle of a window with these styles.
bool AdjustWindowRect(Rect* rect, uint32_t style, bool menu, uint32_t exStyle);
// Null when the class is unknown, the display cannot be opened or SDL refuses.
Window* CreateWindow(uint32_t exStyle, const char* className, const char* title, uint32_t style,
                     int x, int y, int width, int height, Instance* instance,
                     const PixelFormatDescriptor* pixelFormat, void* creationParameter);
bool ShowWindow(Window* window, int command);
bool DestroyWindow(Window* window);
void* CreationParameter(const Window* window);
intptr_t GetUserData(const Window* window);
void SetUserData(Window* window, intptr_t value);
int32_t DefaultWindowProc(Window* window, uint32_t message, uint32_t first, int32_t second);

// --- OpenGL -----------------------------------------------------------------------------
DeviceContext* GetDC(Window* window);
bool ReleaseDC(Window* window, DeviceContext* dc);
int32_t ChoosePixelFormat(DeviceContext* dc, const PixelFormatDescriptor* descriptor);
// A window's pixel format is set once and never changed.
bool SetPixelFormat(DeviceContext* dc, int32_t format, const PixelFormatDescriptor* descriptor);
RenderContext* CreateContext(DeviceContext* dc);
// A null context makes none current.
bool MakeCurrent(DeviceContext* dc, RenderContext* context);
bool DeleteContext(RenderContext* context);
void SwapBuffers(DeviceContext* dc);
// Windows created from now on ask for this many samples per pixel (0: none);
// where the display has no such format they are made without.
void SetWindowSamples(int samples);
// Contexts created from now on are made for this renderer: Batched asks for
// an OpenGL ES 3 one with the scene's GL 1.1 calls routed through the layer,
// and where the backend has none, makes the usual one and says so once on
// stderr. Fixed unless set; a backend without ES contexts draws Fixed.
void SetWindowRenderer(Renderer renderer);
// The size GL draws the window's client area at, in pixels: more than the
// window's own size on a scaled (HiDPI) output. False where it is not known.
bool DrawableSize(DeviceContext* dc, int32_t* width, int32_t* height);
// An OpenGL function of the current rendering context by name, null where it
// has none. Windows' opengl32.dll exports OpenGL 1.1 alone: whatever lies past
// it is reached this way there.
using GLProc = void (*)();
GLProc GLProcAddress(const char* name);

// --- Display mode --------------------------------------------------------------------
// True when the display offers exactly this mode; full-screen windows created
// from then on run in it. The desktop mode comes back when such a window is
// destroyed, and RestoreDisplayMode ends the request.
bool ChangeDisplayMode(const DisplayMode& mode);
// Full-screen windows created from then on cover the display at the desktop's
// own mode, its size in *desktop: nothing is switched, so nothing needs
// restoring. False when there is no display. RestoreDisplayMode ends it too.
bool KeepDesktopMode(DisplayMode* desktop);
void RestoreDisplayMode();

// --- Cursor ------------------------------------------------------------------------------
// Adds one to the show count (show) or takes one off; returns the new count.
int ShowCursor(bool show);

// --- Messages --------------------------------------------------------------------------
bool PostMessage(Window* window, uint32_t message, uint32_t first, int32_t second);
bool PeekMessage(Window* window, Message* message);
void WaitMessage(Window* window);
// As WaitMessage, but for at most this many milliseconds.
void WaitMessageTimeout(Window* window, uint32_t milliseconds);
int32_t DispatchMessage(Window* window, const Message& message);

// --- Time and the user ------------------------------------------------------------
uint32_t TickCount();
void Sleep(uint32_t milliseconds);
// Modal, OK button, warning icon; waits until dismissed, or until SIGINT or
// SIGTERM, which take the box down and then arrive as a close request.
void MessageBox(const char* text, const char* caption);

}  // namespace plat
