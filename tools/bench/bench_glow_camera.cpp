// Start-up and per-frame costs of the glow texture, the camera and the lamps:
// the image build alone, the build with its mipmapped upload, and one frame's
// CalcCamera plus four CalcLampje against a real offscreen context.
#include <benchmark/benchmark.h>

#include "actors/camera.h"
#include "actors/lampje.h"
#include "world/crt.h"
#include "platform/offscreen/offscreen.h"
#include "scene/glow.h"

namespace {

void BM_GlowImageBuild(benchmark::State& state)
{
    FillDegreeTables();
    for (auto _ : state) {
        BuildGlowImage();
        benchmark::DoNotOptimize(mtex);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_GlowImageBuild)->Unit(benchmark::kMicrosecond);

void BM_GlowTextureUpload(benchmark::State& state)
{
    plat::OffscreenGL gl;
    if (!gl.Open(64, 64)) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    FillDegreeTables();
    for (auto _ : state) settexmap01();
}
BENCHMARK(BM_GlowTextureUpload)->Unit(benchmark::kMicrosecond);

void BM_CameraAndLampsFrame(benchmark::State& state)
{
    plat::OffscreenGL gl;
    if (!gl.Open(64, 64)) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    crt::srand(1);
    Camera camera;
    Lampje lamps[4];
    for (auto _ : state) {
        camera.CalcCamera();
        for (int i = 0; i < 4; ++i) lamps[i].CalcLampje(i);
        benchmark::DoNotOptimize(camera.eye);
    }
}
BENCHMARK(BM_CameraAndLampsFrame);

}  // namespace
