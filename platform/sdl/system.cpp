// Time and sleep.
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace plat {

uint32_t TickCount() { return static_cast<uint32_t>(SDL_GetTicks64()); }

void Sleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }

}  // namespace plat
