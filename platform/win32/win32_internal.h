// Inside the Win32 backend only: <windows.h> beside the window layer's
// contract, and what the backend's files share. The contract took its message,
// style, key and pixel-format names from Win32, with the same values, and
// windows.h defines those names as macros: they are undefined here once their
// native values are kept, the two are checked equal, and the contract's
// constants stand for both from then on.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <commctrl.h>
#include <GL/gl.h>

// Every name the contract's headers declare that windows.h defines as a macro.
#define NORVEX_SHARED_NAMES(X)                                                                           \
    X(WM_CREATE) X(WM_SIZE) X(WM_KILLFOCUS) X(WM_CLOSE) X(WM_QUIT) X(WM_KEYDOWN) X(WM_KEYUP)           \
    X(WM_SYSKEYDOWN) X(WM_SYSKEYUP) X(WM_SYSCOMMAND) X(WM_USER) X(SIZE_RESTORED) X(SIZE_MINIMIZED)     \
    X(SIZE_MAXIMIZED) X(SC_MINIMIZE) X(SC_MAXIMIZE) X(SC_CLOSE) X(SC_SCREENSAVE) X(SC_MONITORPOWER)    \
    X(SC_RESTORE) X(VK_BACK) X(VK_TAB) X(VK_RETURN) X(VK_SHIFT) X(VK_CONTROL) X(VK_MENU) X(VK_ESCAPE)  \
    X(VK_SPACE) X(VK_LEFT) X(VK_UP) X(VK_RIGHT) X(VK_DOWN) X(VK_F1) X(VK_F4) X(VK_F10) X(VK_F12)        \
    X(WS_POPUP) X(WS_CAPTION) X(WS_SYSMENU) X(WS_THICKFRAME) X(WS_MINIMIZEBOX) X(WS_MAXIMIZEBOX)       \
    X(WS_OVERLAPPEDWINDOW) X(WS_EX_TOPMOST) X(WS_EX_APPWINDOW) X(CS_VREDRAW) X(CS_HREDRAW) X(CS_OWNDC)  \
    X(SW_SHOWNORMAL) X(COLOR_INACTIVEBORDER) X(PFD_DOUBLEBUFFER) X(PFD_DRAW_TO_WINDOW)                 \
    X(PFD_SUPPORT_OPENGL) X(PFD_TYPE_RGBA) X(PFD_MAIN_PLANE)

namespace plat::win32::native {
#define NORVEX_KEEP_NATIVE(name) inline constexpr long long name##_value = (name);
NORVEX_SHARED_NAMES(NORVEX_KEEP_NATIVE)
#undef NORVEX_KEEP_NATIVE
}  // namespace plat::win32::native

#undef WM_CREATE
#undef WM_SIZE
#undef WM_KILLFOCUS
#undef WM_CLOSE
#undef WM_QUIT
#undef WM_KEYDOWN
#undef WM_KEYUP
#undef WM_SYSKEYDOWN
#undef WM_SYSKEYUP
#undef WM_SYSCOMMAND
#undef WM_USER
#undef SIZE_RESTORED
#undef SIZE_MINIMIZED
#undef SIZE_MAXIMIZED
#undef SC_MINIMIZE
#undef SC_MAXIMIZE
#undef SC_CLOSE
#undef SC_SCREENSAVE
#undef SC_MONITORPOWER
#undef SC_RESTORE
#undef VK_BACK
#undef VK_TAB
#undef VK_RETURN
#undef VK_SHIFT
#undef VK_CONTROL
#undef VK_MENU
#undef VK_ESCAPE
#undef VK_SPACE
#undef VK_LEFT
#undef VK_UP
#undef VK_RIGHT
#undef VK_DOWN
#undef VK_F1
#undef VK_F4
#undef VK_F10
#undef VK_F12
#undef WS_POPUP
#undef WS_CAPTION
#undef WS_SYSMENU
#undef WS_THICKFRAME
#undef WS_MINIMIZEBOX
#undef WS_MAXIMIZEBOX
#undef WS_OVERLAPPEDWINDOW
#undef WS_EX_TOPMOST
#undef WS_EX_APPWINDOW
#undef CS_VREDRAW
#undef CS_HREDRAW
#undef CS_OWNDC
#undef SW_SHOWNORMAL
#undef COLOR_INACTIVEBORDER
#undef PFD_DOUBLEBUFFER
#undef PFD_DRAW_TO_WINDOW
#undef PFD_SUPPORT_OPENGL
#undef PFD_TYPE_RGBA
#undef PFD_MAIN_PLANE
#undef IDC_ARROW  // MAKEINTRESOURCE(32512), a pointer: the contract's is the number
// Functions that windows.h renames to their narrow ("A") forms.
#undef CreateWindow
#undef MessageBox
#undef PostMessage
#undef PeekMessage
#undef DispatchMessage
#undef RegisterClass
#undef UnregisterClass

#include "platform/platform.h"
#include "platform/window_core.h"

namespace plat::win32 {

namespace native {
#define NORVEX_SAME_AS_NATIVE(name) static_assert(name##_value == static_cast<long long>(plat::name), #name);
NORVEX_SHARED_NAMES(NORVEX_SAME_AS_NATIVE)
#undef NORVEX_SAME_AS_NATIVE
}  // namespace native
static_assert(sizeof(PixelFormatDescriptor) == sizeof(PIXELFORMATDESCRIPTOR));
static_assert(sizeof(Rect) == sizeof(RECT));

// The module the windows and classes belong to.
HINSTANCE Module();
HWND HandleOf(const Window* window);
HDC DeviceOf(const DeviceContext* dc);

// --- window.cpp ----------------------------------------------------------------------
// The window procedure of every class registered here: native messages become
// the contract's, queued for the window (WM_CREATE is handed over at once).
LRESULT CALLBACK NativeWindowProc(HWND hwnd, UINT message, WPARAM first, LPARAM second);

// --- gl_context.cpp ----------------------------------------------------------------
// Gives the device context the supported format closest to the descriptor;
// false when there is none.
bool SetClosestPixelFormat(HDC dc, const PixelFormatDescriptor& descriptor);

// --- display_mode.cpp ----------------------------------------------------------------
// Gives the user's display mode back now if this run switched it (the session
// ends, the process is going down); safe from any thread.
void RestoreSwitchedMode();

// --- ending.cpp ----------------------------------------------------------------------
// From the first window on, the ways a Windows process is asked to end, or
// dies, are watched: console events arrive as a close request, and the display
// mode is given back on each of them and on a crash.
void WatchEnds();
// The thread message that carries a close request to the windows' thread.
inline constexpr UINT CLOSE_REQUEST_MESSAGE = WM_APP + 1;

}  // namespace plat::win32
