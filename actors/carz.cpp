// Carz boxes: placed once in a cell of the street grid, their eight corners
// built in world coordinates by SetupCarz, then drawn every frame as a lit box
// with per-corner normals, blended or opaque.
#include "actors/carz.h"

#include <GL/gl.h>

#include "actors/box_faces.h"
#include "world/crt.h"
#include "world/world.h"

namespace {

constexpr int kWorld = static_cast<int>(worldsize);       // remainder divisor, 60000
constexpr float kCellCount = worldsize / blocksize * 2.0f;  // grid cells per axis, 30
constexpr int kCells = static_cast<int>(kCellCount);

// A cell index (draw 1 of 2) gives the middle of a grid cell; the jitter
// (draw 2 of 2, taken later) moves the box off it by up to about 556 units.
float DrawCellCentre()
{
    const float cell = static_cast<float>(crt::rand() % kCells) - kCellCount / 2.0f;
    return cell * blocksize + blocksize / 2.0f;
}

float DrawJitter() { return static_cast<float>(crt::rand() % 10000 - 5000) / 9.0f; }

}  // namespace

Carz::Carz() : corners{}  // a degenerate box until SetupCarz runs
{
    const float centreX = DrawCellCentre();
    const float centreY = DrawCellCentre();
    x = DrawJitter() + centreX;
    y = DrawJitter() + centreY;
    z = static_cast<float>(crt::rand() % kWorld) / 2.0f;
    scale = static_cast<float>(crt::rand() % 1000) / 300.0f + 0.5f;
    length = static_cast<float>(crt::rand() % 450 + 70);
    r = crt::rand() % 255;
    g = crt::rand() % 255;
    b = crt::rand() % 255;
    blend = crt::rand() % 2;  // drawn before type
    type = crt::rand() % 3;
}

void Carz::SetupCarz()
{
    // Always starts afresh from the table, so repeated calls agree.
    for (int i = 0; i < 24; ++i) corners[i] = cc_points[i] * scale;

    switch (type) {
    case 0:  // bar along x, floating at z
    case 1:  // bar along y, floating at z
        for (int i = 0; i < 8; ++i) {
            float* c = &corners[i * 3];
            c[type] *= length;  // the long axis: x for type 0, y for type 1
            c[0] += x;
            c[1] += y;
            c[2] += z;
        }
        break;
    case 2:  // tower: only the top face is raised; it stands on the ground
        for (int i = 0; i < 8; ++i) {
            float* c = &corners[i * 3];
            if (i < 4) c[2] *= length;
            c[0] += x;
            c[1] += y;
        }
        break;
    default:
        break;
    }
}

void Carz::DrawCarz()
{
    glPushMatrix();  // the corners are already in world coordinates
    if (blend)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glColor3f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
    DrawBoxFaces(corners);
    glDisable(GL_BLEND);  // the mover pass relies on blending being off
    glPopMatrix();
}
