// The main loop's two requests, quit and rebuild in the other screen mode, and
// the flags they act on. Posted to the window, so that they are seen after the
// messages already queued and before the next frame.
#pragma once

#include <cstdint>

#include "platform/messages.h"
#include "shell/core/records.h"

inline int32_t g_isProgramLooping = 0;   // the outer loop runs while non-zero
inline int32_t g_createFullScreen = 0;   // full-screen request for the next window, 0 or 1

inline constexpr uint32_t TOGGLE_FULLSCREEN_MESSAGE = plat::WM_USER + 1;

// Posts WM_QUIT to the window and ends the outer loop.
void TerminateApplication(GL_Window* window);
// Posts TOGGLE_FULLSCREEN_MESSAGE; the window procedure flips the request.
void ToggleFullscreen(GL_Window* window);
