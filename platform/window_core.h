// Inside the window layer only: the parts of a window's life that every backend
// (the desktop's SDL one, the web page's) keeps the same way, and the two
// small things each backend supplies to them.
#pragma once

#include "platform/renderer.h"
#include "platform/window_records.h"

namespace plat {

namespace classes {

// The procedure registered under this class name for this instance, or null.
WindowProcedure Procedure(const char* className, Instance* instance);
// Forgets a registration; false when there was none. True in *last when no
// class is left registered.
bool Forget(const char* className, Instance* instance, bool* last);

}  // namespace classes

// A record for a backend's new window; the backend sets `native` on it.
Window* NewWindowRecord(WindowProcedure procedure, void* creationParameter, uint32_t style, uint32_t exStyle,
                        const PixelFormatDescriptor* pixelFormat);
// Hands WM_CREATE to the window's procedure. False when the procedure refuses
// the window (-1): the backend then destroys it and creation fails.
bool DeliverCreate(Window* window);
// The cursor's show count: shown while it is >= 0.
bool CursorShown();
// What SetWindowRenderer asked for.
Renderer WindowRenderer();

// --- Supplied by each backend ---------------------------------------------------
// The window system's own class for a registration, where it has classes
// (Win32); false refuses the registration.
bool RegisterNativeClass(const WindowClass& windowClass);
// Shows or hides the pointer over the backend's windows.
void ApplyCursor(bool shown);
// A system command the default handling passes on (SC_MINIMIZE, SC_MAXIMIZE,
// SC_RESTORE, ...); a backend without such a thing ignores it.
void ApplySystemCommand(Window* window, uint32_t command);

}  // namespace plat
