// The frame: camera and view, the four lights, the additive glow pass, the box
// pass, the mover pass and a short pause, always in this order. Each pass sets
// the GL state it needs at its start.
#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <thread>

#include "scene/pools.h"
#include "scene/render_state.h"
#include "scene/scene.h"

namespace {

constexpr std::chrono::milliseconds kFramePause{2};

// Advances the flying camera and loads its view, z up.
void ViewPass()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    Camera& camera = Zenith[0];
    camera.CalcCamera();
    gluLookAt(camera.eye[0], camera.eye[1], camera.eye[2],
              camera.view[0], camera.view[1], camera.view[2],
              0.0, 0.0, 1.0);
}

// Lamps move under the view matrix alone, so they land in world coordinates.
void LightPass()
{
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_LIGHT2);
    glEnable(GL_LIGHT3);
    glShadeModel(GL_SMOOTH);
    for (int i = 0; i < LICHT_COUNT; ++i) licht[i].CalcLampje(i);
}

// Floor glows, then clouds: textured, summed additively, no depth test (and so
// no depth writes), so every box and mover drawn later covers them.
void GlowPass()
{
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    ApplyMaterial(GLOW_MATERIAL);
    glBindTexture(GL_TEXTURE_2D, GLOW_TEXTURE);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);

    glPushMatrix();
    for (Floor& glow : vloer) glow.DrawFloor();
    glPopMatrix();

    for (Cloud& cloud : cloudz) {
        cloud.CalcCloud();
        cloud.DrawCloud();
    }
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// The city: each box switches blending on for itself where it is additive.
void BoxPass()
{
    ApplyMaterial(BOX_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    for (Carz& box : kar) box.DrawCarz();
}

// The traffic: each mover is moved, then drawn, before the next one.
void MoverPass()
{
    ApplyMaterial(MOVER_MATERIAL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    for (Moverz& car : mover) {
        car.CalcMoverz();
        car.DrawMoverz();
    }
}

}  // namespace

void ProcessNorvex()
{
    ViewPass();
    LightPass();
    GlowPass();
    BoxPass();
    MoverPass();
    std::this_thread::sleep_for(kFramePause);  // gives up the processor once a frame
}
