// The entry point and its two loops: the outer one builds a window for the
// current screen mode, initialises the scene and tears both down again; the
// inner one handles messages and, between them, draws frames, no faster than
// the frame-rate cap allows.
#include "shell/core/main_loop.h"

#include "shell/core/display_settings.h"
#include "shell/core/draw.h"
#include "shell/core/frame.h"
#include "shell/core/frame_pacer.h"
#include "shell/core/frame_rate_cap.h"
#include "shell/core/requests.h"
#include "shell/core/window_gl.h"
#include "world/crt.h"

namespace {

// One window's life between its creation and its teardown.
void RunWindow(GL_Window* window, Keys* keys, FramePieces& pieces)
{
    const int32_t ready = Initialize(window, keys);
    int32_t width = 0, height = 0;
    DrawingSize(window, &width, &height);
    pieces.Open(width, height);  // the projection stays the window's
    if (!ready)
        TerminateApplication(window);
    else
        RunMessageLoop(window, &pieces);
    pieces.Close();
    Deinitialize();
}

}  // namespace

int WinMain(plat::Instance* instance, plat::Instance* /*previousInstance*/, const char* /*commandLine*/,
            int /*showCommand*/, FramePieces* pieces)
{
    FramePieces none;
    Application application = {};
    GL_Window window = {};
    Keys keys = {};
    application.instance = instance;
    application.className = "OpenGL";
    window.keys = &keys;
    window.application = &application;
    window.title = "norvex - brellik 2005";
    window.width = g_display.width;  // 1024 x 768 unless the command line said otherwise
    window.height = g_display.height;
    window.colorBits = 32;
    window.fullScreen = g_display.windowed ? 0 : 1;

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
        RunWindow(&window, &keys, pieces ? *pieces : none);
        DestroyWindowGL(&window);
    }
    plat::UnregisterClass(application.className, application.instance);
    return exitCode;
}

uint32_t RunMessageLoop(GL_Window* window, FramePieces* pieces)
{
    FramePieces none;
    FramePieces& around = pieces ? *pieces : none;
    uint32_t frames = 0;
    FramePacer pacer(g_display.maxFps);
    PowerCap cap(g_display);
    plat::Message message;
    for (;;) {
        if (plat::PeekMessage(window->windowHandle, &message)) {
            if (message.message == plat::WM_QUIT) return frames;
            plat::DispatchMessage(window->windowHandle, message);
            // The pieces follow the size the window procedure has just given the viewport.
            if (message.message == plat::WM_SIZE &&
                (message.first == plat::SIZE_RESTORED || message.first == plat::SIZE_MAXIMIZED))
                around.Resize(plat::LowWord(message.second), plat::HighWord(message.second));
            // A key pressed while the cap holds the next frame back acts at
            // once, not up to a whole period later (a low cap's second).
            if (message.message == plat::WM_KEYDOWN && window->visible && pacer.Remaining(plat::TickCount()) > 0)
                Update(plat::TickCount() - window->lastTick);
        } else if (window->visible) {
            // No frames on battery, once one is there to stay: wait for
            // messages until the power source is read again.
            const CapNow now = cap.Now(plat::TickCount());
            pacer.maxFps = now.maxFps;
            if (!now.drawing && frames > 0) {
                plat::WaitMessageTimeout(window->windowHandle, cap.NextReadIn(plat::TickCount()));
                continue;
            }
            // Too early for the next frame: wait, but for messages too, which
            // are handled at once (the wait resumes after them).
            if (const uint32_t wait = pacer.Remaining(plat::TickCount())) {
                plat::WaitMessageTimeout(window->windowHandle, wait);
                continue;
            }
            const uint32_t tick = plat::TickCount();
            pacer.Started(tick);
            Update(tick - window->lastTick);  // unsigned: right across the 32-bit wrap
            window->lastTick = tick;
            around.Begin();
            Draw();
            around.End(tick);
            plat::SwapBuffers(window->deviceContext);
            ++frames;
        } else {
            plat::WaitMessage(window->windowHandle);  // minimised: no frames, no processor time
        }
    }
}
