// Time, sleep and the modal message box.
#include <cstdio>

#include "platform/platform.h"
#include "platform/sdl_internal.h"

namespace plat {

uint32_t TickCount() { return static_cast<uint32_t>(SDL_GetTicks64()); }

void Sleep(uint32_t milliseconds) { SDL_Delay(milliseconds); }

void MessageBox(const char* text, const char* caption)
{
    // Without a display SDL gives up within milliseconds; the text must still reach the user.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, nullptr) != 0)
        std::fprintf(stderr, "%s: %s\n", caption, text);
}

}  // namespace plat
