// GLX's framebuffer configurations with visuals, and the one closest to what
// a window asks for.
#include "platform/sdl/x11/gl_visual.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <tuple>
#include <vector>

namespace plat::x11 {

int ClosestConfig(std::span<const GLConfig> offered, const GLConfig& wanted)
{
    // What is better comes first in the tuple's order; smaller is closer.
    const auto distance = [&](const GLConfig& c) {
        const bool samples = c.samples == wanted.samples;
        return std::tuple(!samples, c.depth - wanted.depth, c.stencil - wanted.stencil, c.samples,
                          c.alpha - wanted.alpha, !c.trueColor);
    };
    int best = -1;
    for (size_t i = 0; i < offered.size(); ++i) {
        const GLConfig& c = offered[i];
        if (c.red != wanted.red || c.green != wanted.green || c.blue != wanted.blue || c.alpha < wanted.alpha ||
            c.depth < wanted.depth || c.stencil < wanted.stencil || (wanted.doubleBuffer && !c.doubleBuffer))
            continue;
        if (best < 0 || distance(c) < distance(offered[static_cast<size_t>(best)])) best = static_cast<int>(i);
    }
    return best;
}

uint32_t ClosestVisual(const GLConfig& wanted)
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 0;
    const int attributes[] = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                              GLX_RENDER_TYPE, GLX_RGBA_BIT, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    std::vector<GLConfig> offered;
    for (int i = 0; i < count; ++i) {
        const auto get = [&](int attribute) {
            int value = 0;
            glXGetFBConfigAttrib(display, configs[i], attribute, &value);
            return value;
        };
        const int type = get(GLX_X_VISUAL_TYPE);
        if (get(GLX_VISUAL_ID) == 0 || (type != GLX_TRUE_COLOR && type != GLX_DIRECT_COLOR)) continue;
        offered.push_back({get(GLX_RED_SIZE), get(GLX_GREEN_SIZE), get(GLX_BLUE_SIZE), get(GLX_ALPHA_SIZE),
                           get(GLX_DEPTH_SIZE), get(GLX_STENCIL_SIZE), get(GLX_SAMPLE_BUFFERS) ? get(GLX_SAMPLES) : 0,
                           get(GLX_DOUBLEBUFFER) != 0, type == GLX_TRUE_COLOR,
                           static_cast<uint32_t>(get(GLX_VISUAL_ID))});
    }
    if (configs) XFree(configs);
    XCloseDisplay(display);
    const int chosen = ClosestConfig(offered, wanted);
    return chosen < 0 ? 0 : offered[static_cast<size_t>(chosen)].visual;
}

}  // namespace plat::x11
