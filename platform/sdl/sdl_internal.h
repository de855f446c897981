// Inside the SDL backend only: what its files share. Read top-down: windows
// (window.cpp) ask the display mode (display_mode.cpp) for the mode the shell
// requested and start SDL's video (video.cpp) when first needed; the message
// pump (events.cpp) translates SDL's events for one window.
#pragma once

#include <SDL.h>

#include "platform/messages.h"
#include "platform/window_records.h"

namespace plat::sdl {

// --- video.cpp: SDL's video subsystem ----------------------------------------
// Starts SDL's video (and events) once; false, with SDL's reason on stderr,
// when there is no display to open.
bool StartVideo();
void StopVideo();
bool VideoStarted();

// --- display_mode.cpp: the mode the shell asked for ----------------------------
// The display mode a full-screen window is to run in, or null when none is
// requested.
const SDL_DisplayMode* RequestedMode();
// Whether full-screen windows are to keep the desktop's own mode.
bool DesktopModeRequested();

// --- events.cpp: SDL's events as messages ------------------------------------------
// One SDL event as a message for this window; message 0 when it has none.
// Reads only the event and the window's SDL window (its size, state and focus).
Message TranslateEvent(const Window& window, const SDL_Event& e);

}  // namespace plat::sdl
