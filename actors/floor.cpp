// Floor glows: placement drawn once from the generator, then one textured quad
// per frame, lying 500 units above the translation (the top face of the
// interleaved cube, scaled by 10 in z).
#include "actors/floor.h"

#include <GL/gl.h>

#include "world/crt.h"
#include "world/world.h"

namespace {

constexpr int kWorld = static_cast<int>(worldsize);  // remainder divisor, 60000
constexpr float kMinScale = 10.0f;                   // smallest patch scale

// Centre coordinate: even whole numbers; a draw never reaches the divisor, so
// the patches gather at or below 5534.
float DrawCentre() { return (static_cast<float>(crt::rand() % kWorld) - kWorld / 2.0f) * 2.0f; }

float DrawScale() { return static_cast<float>(crt::rand() % 16000 - 8000) / 20.0f; }

}  // namespace

Floor::Floor()
{
    x = DrawCentre();
    y = DrawCentre();
    z = static_cast<float>(crt::rand() % 600 - 300) / 10.0f - 500.0f;
    sx = DrawScale();
    sy = DrawScale();
    if (sx < kMinScale) sx = kMinScale;
    if (sy < kMinScale) sy = kMinScale;
    r = crt::rand() % 255;
    g = crt::rand() % 255;
    b = crt::rand() % 255;
}

void Floor::DrawFloor()
{
    glPushMatrix();
    glPushMatrix();
    glColor4ub(static_cast<GLubyte>(r), static_cast<GLubyte>(g), static_cast<GLubyte>(b), 255);
    glTranslatef(x, y, z);
    glScalef(sx, sy, 10.0f);
    glInterleavedArrays(GL_T2F_N3F_V3F, 0, g_cubeVertices);
    glDrawArrays(GL_QUADS, 0, 4);  // the top face only
    glPopMatrix();
    glPopMatrix();
}
