// The entry point and its two loops: the outer one builds a window for the
// current screen mode, initialises the scene and tears both down again; the
// inner one handles messages and, between them, draws frames.
#include "platform/crt.h"
#include "shell/frame_rate.h"
#include "shell/shell.h"

int WinMain(plat::Instance* instance, plat::Instance* /*previousInstance*/, const char* /*commandLine*/,
            int /*showCommand*/)
{
    Application application = {};
    GL_Window window = {};
    Keys keys = {};
    application.instance = instance;
    application.className = "OpenGL";
    window.keys = &keys;
    window.application = &application;
    window.title = "norvex - brellik 2005";
    window.width = 1024;
    window.height = 768;
    window.colorBits = 32;
    window.fullScreen = 1;

    crt::srand(crt::time());

    if (!RegisterWindowClass(&application)) {
        plat::MessageBox("Error Registering Window Class!", "Error");
        return -1;
    }
    g_isProgramLooping = 1;
    g_createFullScreen = window.fullScreen;

    int exitCode = 0;
    while (g_isProgramLooping) {
        window.fullScreen = g_createFullScreen;
        if (CreateWindowGL(&window) != 1) {
            plat::MessageBox("Error Creating OpenGL Window", "Error");
            g_isProgramLooping = 0;
            exitCode = 1;  // a window that cannot be created is a failure, not a normal end
            continue;
        }
        if (!Initialize(&window, &keys))
            TerminateApplication(&window);
        else
            RunMessageLoop(&window);
        Deinitialize();
        DestroyWindowGL(&window);
    }
    plat::UnregisterClass(application.className, application.instance);
    return exitCode;
}

uint32_t RunMessageLoop(GL_Window* window)
{
    uint32_t frames = 0;
    plat::Message message;
    for (;;) {
        if (plat::PeekMessage(window->windowHandle, &message)) {
            if (message.message == plat::WM_QUIT) return frames;
            plat::DispatchMessage(window->windowHandle, message);
        } else if (window->visible) {
            const uint32_t tick = plat::TickCount();
            Update(tick - window->lastTick);  // unsigned: right across the 32-bit wrap
            window->lastTick = tick;
            Draw();
            if (g_frameOverlay) g_frameOverlay(tick);
            plat::SwapBuffers(window->deviceContext);
            ++frames;
        } else {
            plat::WaitMessage(window->windowHandle);  // minimised: no frames, no processor time
        }
    }
}

void TerminateApplication(GL_Window* window)
{
    plat::PostMessage(window->windowHandle, plat::WM_QUIT, 0, 0);
    g_isProgramLooping = 0;
}

void ToggleFullscreen(GL_Window* window)
{
    plat::PostMessage(window->windowHandle, TOGGLE_FULLSCREEN_MESSAGE, 0, 0);
}
