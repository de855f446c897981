// Per-frame and set-up costs of the actors: one frame of 500 CalcMoverz and
// 80 CalcCloud, SetupCarz on 2400 boxes, and the 2400 boxes' draw calls into
// a 1024 x 768 offscreen context, once in view and once behind the camera.
#include <GL/gl.h>
#include <GL/glu.h>

#include <benchmark/benchmark.h>

#include "actors/carz.h"
#include "actors/cloud.h"
#include "actors/moverz.h"
#include "world/crt.h"
#include "platform/offscreen/offscreen.h"

namespace {

constexpr int kBoxes = 2400;
constexpr int kMovers = 500;
constexpr int kClouds = 80;

Carz g_boxes[kBoxes];  // static: the 2400 boxes do not belong on the stack

void BM_MoversAndCloudsFrame(benchmark::State& state)
{
    crt::srand(1);
    static Moverz movers[kMovers];
    static Cloud clouds[kClouds];
    for (auto _ : state) {
        for (Cloud& c : clouds) c.CalcCloud();
        for (Moverz& m : movers) m.CalcMoverz();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MoversAndCloudsFrame)->Unit(benchmark::kMicrosecond);

void BM_SetupCarz(benchmark::State& state)
{
    for (auto _ : state) {
        for (Carz& box : g_boxes) box.SetupCarz();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SetupCarz)->Unit(benchmark::kMicrosecond);

// The box pass as the frame sets it up: 85-degree projection, four spot
// lights, box material, depth test on, blend function for the additive boxes.
void BoxPassState(double eyeY, double eyeZ)
{
    glViewport(0, 0, 1024, 768);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(85.0, 1024.0 / 768.0, 4.0, 100000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, eyeY, eyeZ, 0.0, eyeY + 20000.0, 0.0, 0.0, 0.0, 1.0);
    glEnable(GL_LIGHTING);
    const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat down[3] = {0.0f, 0.0f, -1.0f};
    for (int i = 0; i < 4; ++i) {
        const GLenum light = GL_LIGHT0 + static_cast<GLenum>(i);
        const GLfloat position[4] = {-30000.0f + 20000.0f * static_cast<float>(i), 0.0f, 6000.0f, 1.0f};
        glLightfv(light, GL_POSITION, position);
        glLightfv(light, GL_SPOT_DIRECTION, down);
        glLightf(light, GL_SPOT_CUTOFF, 40.0f);
        glLightfv(light, GL_DIFFUSE, white);
        glLightfv(light, GL_SPECULAR, white);
        glEnable(light);
    }
    const GLfloat ambientAndDiffuse[4] = {0.2f, 0.2f, 0.2f, 0.95f};
    const GLfloat specular[4] = {0.4201f, 0.4201f, 0.4201f, 0.93f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, ambientAndDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

// eyeY, eyeZ: range(0) is the eye's y, range(1) its height; the camera looks
// towards +y. From (-80000, 8000) it sees the whole city; from (80000, 300)
// every box lies behind it, which leaves the submission and vertex work.
void BM_DrawCarz(benchmark::State& state)
{
    plat::OffscreenGL gl;
    if (!gl.Open(1024, 768)) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    crt::srand(1);
    for (Carz& box : g_boxes) {
        box = Carz();
        box.SetupCarz();
    }
    BoxPassState(static_cast<double>(state.range(0)), static_cast<double>(state.range(1)));
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (Carz& box : g_boxes) box.DrawCarz();
        glFinish();
    }
    if (glGetError() != GL_NO_ERROR) state.SkipWithError("GL error in the box pass");
}
BENCHMARK(BM_DrawCarz)->Args({-80000, 8000})->Args({80000, 300})->Unit(benchmark::kMillisecond);

}  // namespace
