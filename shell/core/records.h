// The three records the shell passes around (application, window, key state)
// and the two record pointers that Initialize stores for Update. Plain data,
// with the platform's handles declared only.
#pragma once

#include <cstdint>

namespace plat {
struct Instance;
struct Window;
struct DeviceContext;
struct RenderContext;
}  // namespace plat

struct Keys {
    int32_t pressed[256];  // 1 from key-down to key-up, by virtual-key code
    // 1 from a key-down until the next Update has read it, so that a key
    // pressed and released between two frames is still seen once.
    int32_t struck[256];
};

struct Application {
    plat::Instance* instance;
    const char* className;  // not owned
};

struct GL_Window {
    Keys* keys;                          // not owned
    plat::Window* windowHandle;          // null while there is no window
    plat::DeviceContext* deviceContext;  // null while there is none
    plat::RenderContext* renderContext;  // null while there is none
    Application* application;            // not owned
    const char* title;                   // not owned
    int32_t width;                       // pixels: client width, or display width in full screen
    int32_t height;                      // pixels
    int32_t colorBits;                   // bits per pixel, pixel format and display mode
    int32_t fullScreen;                  // 1 = full screen requested / in force
    int32_t visible;                     // 0 while minimised
    uint32_t lastTick;                   // ms, tick count of the previous frame
};

// Set by Initialize on every call; Update reaches the keys and window only through them.
inline GL_Window* g_window = nullptr;
inline Keys* g_keys = nullptr;
