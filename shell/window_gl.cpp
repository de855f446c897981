// The window class, and the window with its OpenGL rendering context: created
// windowed or full screen (with a temporary display-mode switch), and torn
// down again in reverse order.
#include "shell/shell.h"

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
        if (ChangeScreenResolution(window->width, window->height, window->colorBits)) {
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
    ReshapeGL(window->width, window->height);
    *window->keys = Keys{};  // no key carries over from the previous window
    window->lastTick = plat::TickCount();
    return 1;
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
