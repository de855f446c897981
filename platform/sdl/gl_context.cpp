// OpenGL on a window: its device context, the pixel format fixed at creation,
// the rendering context and the buffer swap.
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
    return static_cast<RenderContext*>(SDL_GL_CreateContext(sdl));
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

}  // namespace plat
