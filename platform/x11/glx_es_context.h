// An OpenGL ES 3 context for an X window's visual through GLX
// (GLX_EXT_create_context_es2_profile), for the GL 1.1 layer, and the
// extension lookup it needs.
#pragma once

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace plat::x11 {

// Whether a space-separated list of GLX extensions names this one.
bool HasExtension(const char* list, const char* name);

// Null where the X server's GLX offers none for this visual, with the reason
// in *why; the X errors a refusal brings are not reported.
GLXContext CreateEsContext(Display* display, const XWindowAttributes& window, const char** why);

}  // namespace plat::x11
