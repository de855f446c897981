// The whole frame on the offscreen context at 1024 x 768, as the main loop runs
// it (Draw, then the buffer swap), against a clear-and-swap frame measured the
// same way.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include "platform/offscreen/offscreen.h"
#include "scene/scene.h"
#include "shell/core/draw.h"

namespace {

void BM_WholeFrame(benchmark::State& state)
{
    plat::OffscreenGL gl;
    if (!gl.Open(1024, 768)) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    Initialize(1024, 768);
    for (int i = 0; i < 5; ++i) {  // the driver compiles its variants on early frames
        Draw();
        gl.Swap();
    }
    for (auto _ : state) {
        Draw();
        gl.Swap();
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WholeFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);

void BM_ClearAndSwapFrame(benchmark::State& state)
{
    plat::OffscreenGL gl;
    if (!gl.Open(1024, 768)) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glFlush();
        gl.Swap();
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ClearAndSwapFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
