// The shell's frame on a real window: Update, Draw and the buffer swap, with
// the message pump between frames, 1024 x 768 windowed. Needs an X display
// (Xvfb will do): `DISPLAY=:N norvex_bench --benchmark_filter=Shell`. Without
// one it reports why and measures nothing.
#include <benchmark/benchmark.h>

#include "scene/scene.h"
#include "shell/core/draw.h"
#include "shell/core/frame.h"
#include "platform/platform.h"
#include "shell/core/window_gl.h"

namespace {

void BM_ShellFrame(benchmark::State& state)
{
    Application application = {plat::ModuleInstance(), "OpenGL"};
    Keys keys = {};
    GL_Window window = {};
    window.keys = &keys;
    window.application = &application;
    window.title = "norvex bench";
    window.width = 1024;
    window.height = 768;
    window.colorBits = 32;
    window.fullScreen = 0;  // no display-mode switch, no box
    if (!RegisterWindowClass(&application)) {
        state.SkipWithError("window class not registered");
        return;
    }
    if (!CreateWindowGL(&window)) {
        plat::UnregisterClass(application.className, application.instance);
        state.SkipWithError("no window: is DISPLAY set to a running X server?");
        return;
    }
    Initialize(&window, &keys);
    plat::Message message;
    for (auto _ : state) {
        while (plat::PeekMessage(window.windowHandle, &message))
            if (message.message != plat::WM_QUIT) plat::DispatchMessage(window.windowHandle, message);
        const uint32_t tick = plat::TickCount();
        Update(tick - window.lastTick);
        window.lastTick = tick;
        Draw();
        plat::SwapBuffers(window.deviceContext);
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    Deinitialize();
    DestroyWindowGL(&window);
    plat::UnregisterClass(application.className, application.instance);
}
BENCHMARK(BM_ShellFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
