// Inside the window layer only: the lifetime of SDL's video subsystem, the
// class registry, and the hooks through which windows and the display mode meet.
#pragma once

#include <SDL.h>

#include "platform/messages.h"
#include "platform/window.h"

namespace plat {

// One SDL event as a message for this window; message 0 when it has none.
// Reads only the event and the window's SDL window (its size, state and focus).
Message TranslateEvent(const Window& window, const SDL_Event& e);

// True when the window is on X11 and X has given it the keyboard focus.
bool HoldsX11Focus(SDL_Window* window);

}  // namespace plat

namespace plat::video {

// Starts SDL's video (and events) once; false, with SDL's reason on stderr,
// when there is no display to open.
bool Start();
void Stop();
bool Started();

// The procedure registered under this class name for this instance, or null.
WindowProcedure ClassProcedure(const char* className, Instance* instance);

// Puts a hidden window into the requested display mode, full screen, if a mode
// is requested; SDL switches the display when the window is shown.
bool EnterRequestedMode(SDL_Window* window);
// The window is about to be destroyed: SDL gives the desktop mode back then.
// True when it held the requested mode; ModeGivenBack follows its destruction.
bool LeavingWindow(SDL_Window* window);
void ModeGivenBack();

// Destroys the native window kept hidden for reuse (Wayland), if any.
void DropSpareWindow();

}  // namespace plat::video
