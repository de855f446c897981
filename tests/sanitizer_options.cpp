// Sanitizer settings linked into every test program of the sanitizer build, so
// that a test run by hand or by ctest reports the same things.
#include <dlfcn.h>

#include <initializer_list>

namespace {

// Mesa's EGL and software driver are unloaded whenever SDL's video subsystem
// stops, and leaks reported at exit would then carry no module name to match.
// Holding references of our own keeps them mapped until the process ends.
struct KeepGLDriverLoaded {
    KeepGLDriverLoaded()
    {
        for (const char* path : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "libEGL_mesa.so.0",
                                 "libEGL.so.1", "libgbm.so.1", "libglapi.so.0"})
            dlopen(path, RTLD_LAZY | RTLD_NODELETE);
    }
} g_keepGLDriverLoaded;

}  // namespace

extern "C" {

// Mesa's LLVM back end frees with a deallocator of another family than it
// allocated with; that mismatch is the driver's, and would stop every GL test.
const char* __asan_default_options() { return "alloc_dealloc_mismatch=0"; }

// One-time allocations of the system's GL stack, never our own code.
const char* __lsan_default_suppressions()
{
    return "leak:swrast_dri.so\n"      // the driver's screens, configs and shader caches
           "leak:libLLVM-15.so\n"      // the driver's JIT
           "leak:libGLdispatch.so\n"   // per-context dispatch set-up at first make-current
           "leak:libEGL_mesa.so\n"     // the EGL display SDL's offscreen driver opens
           "leak:libEGL.so\n"          // the EGL vendor library's records
           "leak:libSDL2-2.0.so\n";    // driver records made while SDL loads GL
}

}
