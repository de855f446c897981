// GLX's ES profile: the framebuffer configuration of the window's own visual,
// and glXCreateContextAttribsARB asking for ES 3.0 on it. A refusal arrives
// as an X error, which is waited for here and kept from the usual handler.
#include "platform/x11/glx_es_context.h"

#include <cstring>

namespace plat::x11 {
namespace {

int g_refusals = 0;  // X errors while asking

int CountRefusal(Display*, XErrorEvent*)
{
    ++g_refusals;
    return 0;
}

// The configuration behind the visual, or null.
GLXFBConfig ConfigOf(Display* display, int screen, VisualID visual)
{
    int count = 0;
    GLXFBConfig* configs = glXGetFBConfigs(display, screen, &count);
    GLXFBConfig found = nullptr;
    for (int i = 0; i < count && found == nullptr; ++i) {
        int id = 0;
        if (glXGetFBConfigAttrib(display, configs[i], GLX_VISUAL_ID, &id) == 0 && static_cast<VisualID>(id) == visual)
            found = configs[i];
    }
    if (configs) XFree(configs);
    return found;
}

}  // namespace

bool HasExtension(const char* list, const char* name)
{
    const size_t length = std::strlen(name);
    for (const char* at = list; at && (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

GLXContext CreateEsContext(Display* display, const XWindowAttributes& window, const char** why)
{
    const int screen = XScreenNumberOfScreen(window.screen);
    const auto create = reinterpret_cast<PFNGLXCREATECONTEXTATTRIBSARBPROC>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
    if (!HasExtension(glXQueryExtensionsString(display, screen), "GLX_EXT_create_context_es2_profile") || !create) {
        *why = "GLX has no GLX_EXT_create_context_es2_profile";
        return nullptr;
    }
    const GLXFBConfig config = ConfigOf(display, screen, XVisualIDFromVisual(window.visual));
    if (config == nullptr) {
        *why = "GLX has no framebuffer configuration for the window's visual";
        return nullptr;
    }
    const int attributes[] = {GLX_CONTEXT_MAJOR_VERSION_ARB, 3, GLX_CONTEXT_MINOR_VERSION_ARB, 0,
                              GLX_CONTEXT_PROFILE_MASK_ARB, GLX_CONTEXT_ES2_PROFILE_BIT_EXT, None};
    XSync(display, False);
    g_refusals = 0;
    const auto previous = XSetErrorHandler(CountRefusal);
    GLXContext context = create(display, config, nullptr, True, attributes);
    XSync(display, False);
    XSetErrorHandler(previous);
    if (context != nullptr && g_refusals == 0) return context;
    if (context != nullptr) glXDestroyContext(display, context);
    *why = "GLX refused an OpenGL ES 3.0 context for the window's visual";
    return nullptr;
}

}  // namespace plat::x11
