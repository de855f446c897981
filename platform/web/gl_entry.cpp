// The GL 1.1 and GLU entry points the scene and the shell call, on the page:
// each hands over to the fixed-function layer. WebGL's own functions of the
// same names stay reachable to the layer as emscripten_gl* (webgl_api.cpp).
#include "platform/gl11/entry_points.h"

extern "C" {

#define GL11_ENTRY(result, name, parameters, arguments, layer) \
    result name parameters { return layer arguments; }
GL11_ENTRY_POINTS
#undef GL11_ENTRY

}  // extern "C"
