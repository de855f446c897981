// Offscreen GL on EGL: the first device that initialises (Mesa lists its
// software renderer among the devices), a pbuffer the size of the picture, and
// a compatibility-profile context, where the fixed-function pipeline lives, or
// an OpenGL ES 3 one for the GL 1.1 layer.
#include "platform/offscreen/offscreen.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <cstdio>

#include "platform/gl11/fixed_function.h"
#include "platform/gl11_route/route.h"

namespace plat {
namespace {

constexpr int kMaxDevices = 16;
constexpr int kMaxConfigs = 256;

std::string EglError(const char* call)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s failed (EGL error 0x%04x)", call, static_cast<unsigned>(eglGetError()));
    return text;
}

// The first EGL device that initialises, as a display; EGL_NO_DISPLAY when none.
EGLDisplay OpenDevice()
{
    const auto queryDevices =
        reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
    const auto platformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (queryDevices == nullptr || platformDisplay == nullptr) return EGL_NO_DISPLAY;
    EGLDeviceEXT devices[kMaxDevices];
    EGLint count = 0;
    if (!queryDevices(kMaxDevices, devices, &count)) return EGL_NO_DISPLAY;
    for (EGLint i = 0; i < count; ++i) {
        EGLDisplay display = platformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
        if (display != EGL_NO_DISPLAY && eglInitialize(display, nullptr, nullptr)) return display;
    }
    return EGL_NO_DISPLAY;
}

// The first of EGL's configs, in its own order of preference (least depth,
// no multisampling first), whose colour is exactly 8 bits a channel with
// alpha: that rules out 10/10/10/2, so the picture has the 8 bits per channel
// that the demo's X visual has.
bool ChooseConfig(EGLDisplay display, EGLint api, EGLConfig* chosen)
{
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, api,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                             EGL_DEPTH_SIZE, 16, EGL_NONE};
    EGLConfig configs[kMaxConfigs];
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, configs, kMaxConfigs, &count)) return false;
    for (EGLint i = 0; i < count; ++i) {
        EGLint r = 0, g = 0, b = 0, a = 0;
        eglGetConfigAttrib(display, configs[i], EGL_RED_SIZE, &r);
        eglGetConfigAttrib(display, configs[i], EGL_GREEN_SIZE, &g);
        eglGetConfigAttrib(display, configs[i], EGL_BLUE_SIZE, &b);
        eglGetConfigAttrib(display, configs[i], EGL_ALPHA_SIZE, &a);
        if (r == 8 && g == 8 && b == 8 && a == 8) {
            *chosen = configs[i];
            return true;
        }
    }
    return false;
}

// A compatibility context, or an ES 3 one (EGL_NO_CONTEXT when there is none).
EGLContext CreateContext(EGLDisplay display, EGLConfig config, bool es)
{
    const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                    EGL_NONE};
    const EGLint es3[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 0, EGL_NONE};
    if (!eglBindAPI(es ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) return EGL_NO_CONTEXT;
    return eglCreateContext(display, config, EGL_NO_CONTEXT, es ? es3 : compatibility);
}

}  // namespace

bool OffscreenGL::Open(int width, int height, Renderer renderer)
{
    Close();
    fallback_.clear();
    if (renderer == Renderer::Batched) {
        if (OpenAs(width, height, true)) return true;
        fallback_ = error_;
    }
    return OpenAs(width, height, false);
}

bool OffscreenGL::OpenAs(int width, int height, bool es)
{
    Close();
    EGLDisplay display = OpenDevice();
    if (display == EGL_NO_DISPLAY) {
        error_ = "no EGL device to draw on: " + EglError("eglInitialize");
        return false;
    }
    display_ = display;
    const char* api = es ? "OpenGL ES 3" : "OpenGL";
    EGLConfig config = nullptr;
    if (!ChooseConfig(display, es ? EGL_OPENGL_ES3_BIT : EGL_OPENGL_BIT, &config)) {
        error_ = std::string("no EGL config with 8-bit RGBA, depth 16 and a pbuffer for ") + api;
        Close();
        return false;
    }
    config_ = config;
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, config, size);
    if (surface == EGL_NO_SURFACE) {
        error_ = EglError("eglCreatePbufferSurface");
        Close();
        return false;
    }
    surface_ = surface;
    EGLContext context = CreateContext(display, config, es);
    if (context == EGL_NO_CONTEXT) {
        error_ = EglError(es ? "eglCreateContext for OpenGL ES 3" : "eglCreateContext");
        Close();
        return false;
    }
    context_ = context;
    if (!eglMakeCurrent(display, surface, surface, context)) {
        error_ = EglError("eglMakeCurrent");
        Close();
        return false;
    }
    if (!gl11route::Start(es)) {
        error_ = std::string("the GL 1.1 layer cannot draw on OpenGL ES 3 here: ") + gl11::OpenError();
        Close();
        return false;
    }
    return true;
}

bool OffscreenGL::Resize(int width, int height)
{
    if (context_ == nullptr) return false;
    EGLDisplay display = static_cast<EGLDisplay>(display_);
    const EGLint size[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface surface = eglCreatePbufferSurface(display, static_cast<EGLConfig>(config_), size);
    if (surface == EGL_NO_SURFACE) {
        error_ = EglError("eglCreatePbufferSurface");
        return false;
    }
    if (!eglMakeCurrent(display, surface, surface, static_cast<EGLContext>(context_))) {
        error_ = EglError("eglMakeCurrent");
        eglDestroySurface(display, surface);
        return false;
    }
    eglDestroySurface(display, static_cast<EGLSurface>(surface_));
    surface_ = surface;
    return true;
}

void OffscreenGL::Close()
{
    if (display_ == nullptr) return;
    EGLDisplay display = static_cast<EGLDisplay>(display_);
    gl11route::Stop();
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context_) eglDestroyContext(display, static_cast<EGLContext>(context_));
    if (surface_) eglDestroySurface(display, static_cast<EGLSurface>(surface_));
    eglTerminate(display);
    eglReleaseThread();
    context_ = surface_ = display_ = config_ = nullptr;
}

void OffscreenGL::Swap()
{
    if (context_ == nullptr) return;
    // A pbuffer's swap shows nothing and waits for nothing: the caller could
    // run dozens of frames ahead of a software rasterizer, each queued frame
    // holding megabytes. Wait for the frame as a window's swap does.
    gl11route::Flush();
    glFinish();
    eglSwapBuffers(static_cast<EGLDisplay>(display_), static_cast<EGLSurface>(surface_));
}

}  // namespace plat
