// The window layer's own records, the same for every backend: window styles,
// the window class, and the window with its device context and message queue.
// A Window without a native window behind it is a plain queue with a
// procedure: the tests drive the shell's window procedure and main loop
// through such windows.
#pragma once

#include <cstdint>

#include "platform/message_queue.h"
#include "platform/pixel_format.h"

namespace plat {

struct Instance {
    int unused;
};

// --- Window styles ------------------------------------------------------------
inline constexpr uint32_t WS_POPUP            = 0x80000000u;  // no frame, no caption
inline constexpr uint32_t WS_CAPTION          = 0x00C00000u;
inline constexpr uint32_t WS_SYSMENU          = 0x00080000u;
inline constexpr uint32_t WS_THICKFRAME       = 0x00040000u;  // sizing border
inline constexpr uint32_t WS_MINIMIZEBOX      = 0x00020000u;
inline constexpr uint32_t WS_MAXIMIZEBOX      = 0x00010000u;
inline constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000u;  // caption, menu, sizing, both boxes
inline constexpr uint32_t WS_EX_TOPMOST       = 0x00000008u;
inline constexpr uint32_t WS_EX_APPWINDOW     = 0x00040000u;

inline constexpr uint32_t CS_VREDRAW = 0x01;
inline constexpr uint32_t CS_HREDRAW = 0x02;
inline constexpr uint32_t CS_OWNDC   = 0x20;

inline constexpr int SW_SHOWNORMAL = 1;

inline constexpr int32_t IDC_ARROW = 32512;  // the standard arrow cursor
inline constexpr int32_t COLOR_INACTIVEBORDER = 11;

struct Window;

// Called with every message dispatched to a window, and with WM_CREATE from
// inside CreateWindow.
using WindowProcedure = int32_t (*)(Window* window, uint32_t message, uint32_t first, int32_t second);

struct WindowClass {
    uint32_t style;              // CS_*
    WindowProcedure procedure;
    Instance* instance;
    int32_t cursor;              // IDC_*; the pointer shown over the window
    int32_t background;          // system colour + 1; the frame clears the window itself
    const char* className;       // copied at registration
};

// Outer rectangle of a window, pixels; right and bottom exclusive.
struct Rect {
    int32_t left, top, right, bottom;
};

// A window's own device context: the window it draws to and its pixel format.
struct DeviceContext {
    Window* window;
    int32_t pixelFormat;                     // 0 until SetPixelFormat
    PixelFormatDescriptor descriptor;        // what the window was created for
    bool openGL;                             // created with GL attributes
    void* native = nullptr;                  // the backend's own device context, where it has one
};

struct Window {
    void* native = nullptr;                  // the backend's window, null for a queue-only window
    uint32_t nativeId = 0;                   // the backend's number for it, where it has one
    WindowProcedure procedure = nullptr;
    void* creationParameter = nullptr;       // handed to CreateWindow; read on WM_CREATE
    intptr_t userData = 0;                   // one pointer-sized value kept with the window
    uint32_t style = 0;
    uint32_t exStyle = 0;
    DeviceContext deviceContext{};
    bool deviceContextTaken = false;
    MessageQueue queue;
    uint32_t defaultHandled = 0;             // messages given default handling (diagnostics)
};

}  // namespace plat
