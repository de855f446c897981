// Offscreen GL context on SDL's "offscreen" video driver.
#include "platform/offscreen.h"

#include <GL/gl.h>
#include <SDL.h>

namespace plat {

bool OffscreenGL::Open(int width, int height)
{
    Close();
    // SDL_Quit clears hints, so the driver is chosen again before every init.
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error_ = std::string("SDL_InitSubSystem: ") + SDL_GetError();
        return false;
    }
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // Alpha 8 rules out EGL's 10/10/10/2 configs: the picture then has the 8
    // bits per channel that the demo's X visual has.
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_Window* w = SDL_CreateWindow("norvex offscreen", 0, 0, width, height,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (!w) {
        error_ = std::string("SDL_CreateWindow: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    SDL_GLContext c = SDL_GL_CreateContext(w);
    if (!c || SDL_GL_MakeCurrent(w, c) != 0) {
        error_ = std::string("SDL_GL_CreateContext: ") + SDL_GetError();
        if (c) SDL_GL_DeleteContext(c);
        SDL_DestroyWindow(w);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    window_ = w;
    context_ = c;
    return true;
}

void OffscreenGL::Close()
{
    if (context_) {
        SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window_), nullptr);
        SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context_));
        context_ = nullptr;
    }
    if (window_) {
        SDL_DestroyWindow(static_cast<SDL_Window*>(window_));
        window_ = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

void OffscreenGL::Swap()
{
    if (!window_) return;
    // The surface behind this context is a pbuffer, whose swap shows nothing and
    // waits for nothing: the caller could run dozens of frames ahead of the
    // software rasterizer, each queued frame holding megabytes. Wait for the
    // frame as a window's swap does.
    glFinish();
    SDL_GL_SwapWindow(static_cast<SDL_Window*>(window_));
}

}  // namespace plat
