// OpenGL on a window: its device context, the pixel format fixed at creation,
// the rendering context (a compatibility one, or OpenGL ES 3 for the GL 1.1
// layer), the buffer swap and the drawable's size.
#include "platform/gl11/fixed_function.h"
#include "platform/gl11_route/route.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/window_core.h"

namespace plat {
namespace {

SDL_Window* SdlOf(const DeviceContext* dc)
{
    return dc && dc->window ? static_cast<SDL_Window*>(dc->window->native) : nullptr;
}

// The context attributes SDL reads when it makes a context: OpenGL ES 3, or
// SDL's defaults (GL 2.1, no profile: the compatibility context).
void AskForEs(bool es)
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, es ? SDL_GL_CONTEXT_PROFILE_ES : 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, es ? 3 : 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, es ? 0 : 1);
}

// An ES 3 context, made current, with the layer open on it; null (and why,
// said once) where the driver has none or the layer cannot draw on it.
SDL_GLContext CreateEsContext(SDL_Window* sdl)
{
    AskForEs(true);
    SDL_GLContext context = SDL_GL_CreateContext(sdl);
    AskForEs(false);
    if (context == nullptr) {
        gl11route::SayFixed("norvex", SDL_GetError());
        return nullptr;
    }
    if (gl11route::Start(true)) return context;
    gl11route::SayFixed("norvex", gl11::OpenError());
    SDL_GL_DeleteContext(context);
    return nullptr;
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
    SDL_GLContext context = WindowRenderer() == Renderer::Batched ? CreateEsContext(sdl) : nullptr;
    if (context == nullptr && (context = SDL_GL_CreateContext(sdl)) != nullptr) gl11route::Start(false);
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
    gl11route::Stop();
    SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
    return true;
}

void SwapBuffers(DeviceContext* dc)
{
    gl11route::Flush();
    if (SDL_Window* sdl = SdlOf(dc)) SDL_GL_SwapWindow(sdl);
}

GLProc GLProcAddress(const char* name) { return reinterpret_cast<GLProc>(SDL_GL_GetProcAddress(name)); }

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
