// OpenGL on a window: its device context, the pixel format fixed at creation,
// the rendering context, the buffer swap and the drawable's size.
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace plat {
namespace {

SDL_Window* SdlOf(const DeviceContext* dc)
{
    return dc && dc->window ? static_cast<SDL_Window*>(dc->window->native) : nullptr;
}

}  // namespace

DeviceContext* GetDC(Window* window)
{
    if (window == nullptr || window->native == nullptr) return nullptr;
    window->deviceContextTaken = true;
    return &window->deviceContext;
}

RenderContext* CreateContext(DeviceContext* dc)
{
    SDL_Window* sdl = SdlOf(dc);
    if (sdl == nullptr || dc->pixelFormat == 0) return nullptr;
    SDL_GLContext context = SDL_GL_CreateContext(sdl);
    // Swaps wait for the display's refresh where the driver allows; where it
    // does not, the shell's own frame-rate cap still holds.
    if (context != nullptr) SDL_GL_SetSwapInterval(1);
    return static_cast<RenderContext*>(context);
}

bool MakeCurrent(DeviceContext* dc, RenderContext* context)
{
    SDL_Window* sdl = SdlOf(dc);
    if (context == nullptr) return SDL_GL_MakeCurrent(sdl, nullptr) == 0;
    if (sdl == nullptr) return false;
    return SDL_GL_MakeCurrent(sdl, static_cast<SDL_GLContext>(context)) == 0;
}

bool DeleteContext(RenderContext* context)
{
    if (context == nullptr) return false;
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    return true;
}

void SwapBuffers(DeviceContext* dc)
{
    if (SDL_Window* sdl = SdlOf(dc)) SDL_GL_SwapWindow(sdl);
}

bool DrawableSize(DeviceContext* dc, int32_t* width, int32_t* height)
{
    SDL_Window* sdl = SdlOf(dc);
    if (sdl == nullptr) return false;
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(sdl, &w, &h);
    if (w <= 0 || h <= 0) return false;
    *width = w;
    *height = h;
    return true;
}

}  // namespace plat
