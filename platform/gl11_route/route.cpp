// The GL 1.1 and GLU entry points, defined here so that the program's own
// calls (and GLU's, which the program's names serve too) come here first:
// each goes to the driver, found past this program, or to the layer.
#include "platform/gl11_route/route.h"

#include <dlfcn.h>

#include <cstdio>

#include "platform/gl11/entry_points.h"

namespace gl11route {
namespace {

Route g_route = Route::Driver;
bool g_saidFixed = false;

}  // namespace

void* DriverFunction(const char* name)
{
    if (void* function = dlsym(RTLD_NEXT, name)) return function;
    // Every GLU call lands here first, so the linker may have left GLU out.
    static void* const glu = dlopen("libGLU.so.1", RTLD_NOW | RTLD_LOCAL);
    return glu ? dlsym(glu, name) : nullptr;
}

bool Start(bool es)
{
    g_route = Route::Driver;
    if (!es) return true;
    UseDriverEs();
    if (!gl11::Open()) {
        gl11::Close();
        return false;
    }
    g_route = Route::Layer;
    return true;
}

void Stop()
{
    if (g_route == Route::Layer) gl11::Close();
    g_route = Route::Driver;
}

void Flush()
{
    if (g_route == Route::Layer) gl11::Flush();
}

Route Current() { return g_route; }

void Set(Route route) { g_route = route; }

void SayFixed(const char* program, const char* why)
{
    if (g_saidFixed) return;
    g_saidFixed = true;
    std::fprintf(stderr, "%s: no OpenGL ES 3 context here (%s); drawing with --renderer fixed\n", program, why);
}

}  // namespace gl11route

using gl11route::Route;
using gl11route::g_route;

#define GL11_ENTRY(result, name, parameters, arguments, layer)                                               \
    extern "C" result name parameters                                                                        \
    {                                                                                                        \
        static const auto driver = reinterpret_cast<result(*) parameters>(gl11route::DriverFunction(#name)); \
        if (g_route == Route::Driver) return driver arguments;                                               \
        if (g_route == Route::Layer) return layer arguments;                                                 \
        return result();                                                                                     \
    }
GL11_ENTRY_POINTS
#undef GL11_ENTRY
