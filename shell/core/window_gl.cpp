// The window class, and the window with its OpenGL rendering context: created
// windowed or full screen (with a temporary display-mode switch, or at the
// desktop's own mode), and torn down again in reverse order.
#include "shell/core/window_gl.h"

#include <GL/gl.h>
#include <GL/glext.h>  // GL_SAMPLES: OpenGL 1.3, past what every gl.h declares

#include <cstdio>

#include "platform/platform.h"
#include "shell/core/display_settings.h"
#include "shell/core/reshape.h"
#include "shell/core/window_proc.h"

int32_t RegisterWindowClass(Application* application)
{
    plat::WindowClass windowClass = {};
    windowClass.style = plat::CS_VREDRAW | plat::CS_HREDRAW | plat::CS_OWNDC;
    windowClass.procedure = WindowProc;
    windowClass.instance = application->instance;
    windowClass.cursor = plat::IDC_ARROW;
    windowClass.background = plat::COLOR_INACTIVEBORDER + 1;
    windowClass.className = application->className;
    if (!plat::RegisterClass(windowClass)) {
        plat::MessageBox("RegisterClassEx Failed!", "Error");
        return 0;
    }
    return 1;
}

int32_t ChangeScreenResolution(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    return plat::ChangeDisplayMode(plat::DisplayMode{width, height, bitsPerPixel}) ? 1 : 0;
}

namespace {

// A creation that fails releases what it acquired, in reverse order, and gives
// a switched display mode and the hidden cursor back: the entry point does not
// call DestroyWindowGL then.
int32_t FailCreation(GL_Window* window)
{
    DestroyWindowGL(window);
    return 0;
}

// Multisampling is a property of the window's pixel format, unless the scene
// is drawn elsewhere first (--scale): a stretch cannot be drawn into a
// multisampled window, so the smaller picture takes the samples then.
int WindowSamples() { return g_display.scale < 1.0f ? 0 : g_display.samples; }

// Says once when the window has not got the samples per pixel asked for.
void ReportSamples()
{
    static bool reported = false;
    if (WindowSamples() == 0 || reported) return;
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    if (samples == WindowSamples()) return;
    reported = true;
    if (samples == 0)
        std::fprintf(stderr, "norvex: no %d-sample pixel format here; drawing without multisampling\n",
                     WindowSamples());
    else
        std::fprintf(stderr, "norvex: no %d-sample pixel format here; drawing with %d samples\n", WindowSamples(),
                     samples);
}

}  // namespace

int32_t CreateWindowGL(GL_Window* window)
{
    uint32_t style = plat::WS_OVERLAPPEDWINDOW;
    uint32_t exStyle = plat::WS_EX_APPWINDOW;

    plat::PixelFormatDescriptor pfd = {};
    pfd.size = sizeof(plat::PixelFormatDescriptor);
    pfd.version = 1;
    pfd.flags = plat::PFD_DRAW_TO_WINDOW | plat::PFD_SUPPORT_OPENGL | plat::PFD_DOUBLEBUFFER;
    pfd.pixelType = plat::PFD_TYPE_RGBA;
    pfd.colorBits = static_cast<uint8_t>(window->colorBits & 0xFF);
    pfd.alphaBits = 1;
    pfd.depthBits = 16;
    pfd.layerType = plat::PFD_MAIN_PLANE;

    plat::Rect rect = {0, 0, window->width, window->height};

    if (window->fullScreen == 1) {
        plat::DisplayMode desktop = {};
        const bool entered = g_display.keepDesktopMode
                                 ? plat::KeepDesktopMode(&desktop)
                                 : ChangeScreenResolution(window->width, window->height, window->colorBits);
        if (entered && g_display.keepDesktopMode) rect = plat::Rect{0, 0, desktop.width, desktop.height};
        if (entered) {
            plat::ShowCursor(false);
            style = plat::WS_POPUP;
            exStyle |= plat::WS_EX_TOPMOST;
        } else {
            plat::MessageBox("Mode Switch Failed.\nRunning In Windowed Mode.", "Error");
            window->fullScreen = 0;
        }
    } else {
        plat::AdjustWindowRect(&rect, style, false, exStyle);
    }

    plat::SetWindowSamples(WindowSamples());
    plat::SetWindowRenderer(g_display.renderer);
    window->windowHandle = plat::CreateWindow(exStyle, window->application->className, window->title,
                                              style, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                                              window->application->instance, &pfd, window);
    if (window->windowHandle == nullptr) return FailCreation(window);

    window->deviceContext = plat::GetDC(window->windowHandle);
    if (window->deviceContext == nullptr) return FailCreation(window);

    const int32_t format = plat::ChoosePixelFormat(window->deviceContext, &pfd);
    if (format == 0) return FailCreation(window);
    if (!plat::SetPixelFormat(window->deviceContext, format, &pfd)) return FailCreation(window);

    window->renderContext = plat::CreateContext(window->deviceContext);
    if (window->renderContext == nullptr) return FailCreation(window);
    if (!plat::MakeCurrent(window->deviceContext, window->renderContext)) return FailCreation(window);

    plat::ShowWindow(window->windowHandle, plat::SW_SHOWNORMAL);
    window->visible = 1;
    int32_t width = 0, height = 0;
    DrawingSize(window, &width, &height);
    ReshapeGL(width, height);
    ReportSamples();
    *window->keys = Keys{};  // no key carries over from the previous window
    window->lastTick = plat::TickCount();
    return 1;
}

void DrawingSize(const GL_Window* window, int32_t* width, int32_t* height)
{
    if (window->deviceContext == nullptr || !plat::DrawableSize(window->deviceContext, width, height)) {
        *width = window->width;
        *height = window->height;
    }
}

int32_t DestroyWindowGL(GL_Window* window)
{
    if (window->windowHandle) {
        if (window->deviceContext) {
            plat::MakeCurrent(window->deviceContext, nullptr);
            if (window->renderContext) {
                plat::DeleteContext(window->renderContext);
                window->renderContext = nullptr;
            }
            plat::ReleaseDC(window->windowHandle, window->deviceContext);
            window->deviceContext = nullptr;
        }
        plat::DestroyWindow(window->windowHandle);
        window->windowHandle = nullptr;
    }
    if (window->fullScreen) {
        plat::RestoreDisplayMode();
        plat::ShowCursor(true);
    }
    return 1;
}
