// Clouds: huge additive quads high above the city, drifting along +x and
// jumping back to the far side once they pass twice the world's half-extent.
#include "actors/cloud.h"

#include <GL/gl.h>

#include "world/crt.h"
#include "world/world.h"

namespace {

constexpr int kWorld = static_cast<int>(worldsize);  // remainder divisor, 60000
constexpr float kWrap = 2.0f * worldsize;            // world units, 120000

float DrawCentre() { return (static_cast<float>(crt::rand() % kWorld) - kWorld / 2) * 2.0f; }

float DrawScale() { return static_cast<float>(crt::rand() % 16000) / 50.0f + 250.0f; }

}  // namespace

Cloud::Cloud()
{
    x = DrawCentre();
    y = DrawCentre();
    z = static_cast<float>(crt::rand() % kWorld + 8000);
    sx = DrawScale();
    sy = DrawScale();
    speed = static_cast<float>(crt::rand() % 1000) / 20.0f + 24.0f;
}

void Cloud::CalcCloud()
{
    x += speed;
    if (x > kWrap) x = -kWrap;  // the overshoot is dropped
}

void Cloud::DrawCloud()
{
    glPushMatrix();
    glColor4ub(255, 255, 255, 255);
    glTranslatef(x, y, z);
    glScalef(sx, sy, 10.0f);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, g_cubeVertices);
    glDrawArrays(GL_QUADS, 0, 4);  // the top face only
    glPopMatrix();
}
