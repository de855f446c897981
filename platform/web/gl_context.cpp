// OpenGL on the page: the window's device context and pixel format, a WebGL 2
// context on its canvas with the fixed-function layer opened on it, and the
// swap, which hands the frame to the page and waits for its next frame.
#include <emscripten/html5.h>

#include <cstdio>

#include "platform/gl11/fixed_function.h"
#include "platform/platform.h"
#include "platform/web/back_buffer.h"
#include "platform/web/page_internal.h"

namespace plat {

void UseWebGL();  // webgl_api.cpp

namespace {

double g_frames = 0;  // frames shown since the page loaded

bool OnPage(const DeviceContext* dc) { return dc && dc->window && dc->window == page::g_page.window; }

}  // namespace

DeviceContext* GetDC(Window* window)
{
    if (window == nullptr || window != page::g_page.window) return nullptr;
    window->deviceContextTaken = true;
    return &window->deviceContext;
}

RenderContext* CreateContext(DeviceContext* dc)
{
    if (!OnPage(dc) || dc->pixelFormat == 0) return nullptr;
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    // A desktop window shows no alpha; a canvas with alpha would let the page
    // through wherever the frame's alpha (cleared to 0.5) is below 1.
    attributes.alpha = EM_FALSE;
    // The frame is drawn into a back buffer of the pixel format's depth, not here.
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(page::kCanvas, &attributes);
    if (context <= 0) {
        std::fprintf(stderr, "emscripten_webgl_create_context: no WebGL 2 (%d)\n", static_cast<int>(context));
        return nullptr;
    }
    emscripten_webgl_make_context_current(context);
    page::AttachBackBuffer(dc->descriptor.depthBits);
    if (page::g_page.width > 0) page::ResizeBackBuffer(page::g_page.width, page::g_page.height);
    UseWebGL();
    if (!gl11::Open()) {
        std::fprintf(stderr, "fixed-function layer: %s\n", gl11::OpenError());
        emscripten_webgl_make_context_current(0);
        emscripten_webgl_destroy_context(context);
        return nullptr;
    }
    return reinterpret_cast<RenderContext*>(static_cast<intptr_t>(context));
}

bool MakeCurrent(DeviceContext* dc, RenderContext* context)
{
    if (context == nullptr) return emscripten_webgl_make_context_current(0) == EMSCRIPTEN_RESULT_SUCCESS;
    if (!OnPage(dc)) return false;
    const auto handle = static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(reinterpret_cast<intptr_t>(context));
    return emscripten_webgl_make_context_current(handle) == EMSCRIPTEN_RESULT_SUCCESS;
}

bool DeleteContext(RenderContext* context)
{
    if (context == nullptr) return false;
    gl11::Close();
    page::DetachBackBuffer();
    emscripten_webgl_destroy_context(static_cast<EMSCRIPTEN_WEBGL_CONTEXT_HANDLE>(reinterpret_cast<intptr_t>(context)));
    return true;
}

// The page draws into a back buffer of its own without multisampling: windows
// are made without it, as where a display offers none.
void SetWindowSamples(int /*samples*/) {}

bool DrawableSize(DeviceContext* dc, int32_t* width, int32_t* height)
{
    if (!OnPage(dc) || page::g_page.width <= 0 || page::g_page.height <= 0) return false;
    *width = page::g_page.width;
    *height = page::g_page.height;
    return true;
}

// The page's OpenGL is the layer's 1.1, with nothing past it.
GLProc GLProcAddress(const char* /*name*/) { return nullptr; }

void SwapBuffers(DeviceContext* dc)
{
    if (!OnPage(dc)) return;
    gl11::Flush();
    page::ShowBackBuffer();
    norvex_page_frame_done(++g_frames);
    page::BindBackBuffer();
}

}  // namespace plat
