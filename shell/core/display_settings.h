// How the demo shows its frames: the window's size, full screen with or
// without a display-mode switch, the frame-rate cap, multisampling and the
// render scale. The defaults are the demo as it always was, at no more than
// 60 frames a second; the command line sets them before any window exists.
#pragma once

#include <cstdint>

#include "platform/renderer.h"

inline constexpr uint32_t DEFAULT_MAX_FPS = 60;  // frames a second: motion is counted in frames
inline constexpr uint32_t BATTERY_MAX_FPS = 30;  // frames a second on battery, unless told otherwise
inline constexpr uint32_t SAVER_PROFILE_MAX_FPS = 30;  // frames a second in the power-saver profile

struct DisplaySettings {
    int32_t width = 1024;          // pixels: the window's client size, and the mode full screen asks for
    int32_t height = 768;          // pixels
    bool windowed = false;         // start in a window, without trying full screen
    bool keepDesktopMode = false;  // full screen at the desktop's own mode: no switch
    uint32_t maxFps = DEFAULT_MAX_FPS;  // frames a second at most; 0: no cap
    bool maxFpsGiven = false;      // --max-fps: that cap whatever the power source
    bool followsPower = false;     // the cap follows the power source (any option but --max-fps)
    uint32_t batteryFps = BATTERY_MAX_FPS;  // frames a second at most on battery; 0: none drawn
    int32_t samples = 0;           // samples per pixel: 0 (none), 2, 4 or 8
    float scale = 1.0f;            // the scene drawn at this share of the window's size, 0.25..1
    bool scaleGiven = false;       // --scale: no share chosen for a software renderer
    plat::Renderer renderer = plat::Renderer::Fixed;  // what draws the scene's GL 1.1 calls
};

inline DisplaySettings g_display;
