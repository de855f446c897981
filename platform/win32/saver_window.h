// The screen saver's window on Windows, a host of the saver loop (Attach,
// Poll, Wait, Swap, Detach, and its size in pixels): full screen over the
// whole virtual screen, every monitor, with the cursor hidden (/s), ended by
// a key, a click, or the pointer moved beyond a few pixels; or a preview
// filling the client area of another program's window (/p), taking no input
// and ending once that window goes away. No display mode is switched.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host_event.h"

namespace plat {

inline constexpr int32_t SAVER_MOTION_SLACK = 4;  // pixels the pointer may drift from where it was first seen

class SaverWindow {
public:
    // parent 0: full screen; else the window whose client area the preview fills.
    // False with `problem` set when there is no such window or no OpenGL for it.
    bool Attach(uintptr_t parentWindow);
    HostEvent Poll();
    void Wait(uint32_t milliseconds);
    void Swap();
    void Detach();

    int32_t width = 0, height = 0;         // pixels: the client area drawn
    const char* problem = nullptr;         // why Attach failed
    void* window = nullptr;                // HWND
    void* parent = nullptr;                // HWND of the preview's host; null full screen
    void* deviceContext = nullptr;         // HDC, the window's own
    void* renderContext = nullptr;         // HGLRC
    HostEvent ended = HostEvent::Unchanged;  // what the window's messages said
    bool pointerSeen = false;              // the first pointer position is only a start
    int32_t pointerX = 0, pointerY = 0;    // pixels, on the screen
    bool cursorHidden = false;
    bool copyFrames = false;               // a preview under Wine: frames drawn into the window with GDI
    unsigned char* pixels = nullptr;       // the frame read back for that, 4 bytes a pixel
    size_t pixelBytes = 0;
};

}  // namespace plat
