// Movers: small lit boxes that drive the street grid one block at a time,
// turn at block boundaries by one random draw (never back), keep to the
// right-hand lane and wrap at the world's edge.
#include "actors/moverz.h"

#include <GL/gl.h>

#include "actors/box_faces.h"
#include "world/crt.h"
#include "world/world.h"

namespace {

// New heading by current heading and turn draw: the list 0..3 with the
// reverse of the current heading taken out.
constexpr int kTurns[4][3] = {
    {0, 2, 3},  // +x
    {1, 2, 3},  // -x
    {0, 1, 2},  // +y
    {0, 1, 3},  // -y
};

// Lane offset per heading, in units of `lane`: to the right of travel, z up.
constexpr float kLaneSide[4][2] = {
    { 0.0f, -1.0f},  // +x
    { 0.0f,  1.0f},  // -x
    { 1.0f,  0.0f},  // +y
    {-1.0f,  0.0f},  // -y
};

}  // namespace

Moverz::Moverz()
{
    x = 0.0f;
    y = 0.0f;
    z = 100.0f;
    sx = static_cast<float>(crt::rand() % 100) / 50.0f + 3.0f;
    sy = sx;
    sz = static_cast<float>(crt::rand() % 100) / 30.0f + 3.0f;
    r = crt::rand() % 255;
    g = crt::rand() % 255;
    b = crt::rand() % 255;
    dir = crt::rand() % 3;  // a new mover never heads towards -y
    speed = static_cast<float>(crt::rand() % 1500) / 20.0f + 25.0f;
    dist = 0.0f;
    turn = 0;
    lane = speed * 5.0f;
    ox = 0.0f;
    oy = 0.0f;
}

void Moverz::CalcMoverz()
{
    if (dir < 0 || dir > 3) return;

    float& along = dir < 2 ? x : y;
    const bool increasing = dir == 0 || dir == 2;
    if (increasing) {
        along += speed;
        if (along > worldsize) {
            along = -worldsize;
            dist = 0.0f;
        }
    } else {
        along -= speed;
        if (along < -worldsize) {
            along = worldsize;
            dist = 0.0f;
        }
    }

    dist += speed;
    if (dist > blocksize) {
        // Back onto the boundary, then one draw decides the next stretch.
        const float overshoot = dist - blocksize;
        if (increasing)
            along -= overshoot;
        else
            along += overshoot;
        turn = crt::rand() % 3;
        dist = 0.0f;
        dir = kTurns[dir][turn];
        ox = kLaneSide[dir][0] * lane;
        oy = kLaneSide[dir][1] * lane;
    }
}

void Moverz::DrawMoverz()
{
    glPushMatrix();
    glColor3f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b));
    glTranslatef(x + ox, y + oy, z);
    glScalef(sx, sy, sz);
    DrawBoxFaces(cc_points);
    glPopMatrix();
}
