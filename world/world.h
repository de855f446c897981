// World scale constants and the built-in cube geometry, read in place by the
// actors and handed as they are to OpenGL's vertex-array calls. z is up.
#pragma once

#include <cstdint>

// --- World scale ----------------------------------------------------------
inline constexpr float worldsize = 60000.0f;  // world units: half-extent of the street grid
inline constexpr float blocksize = 4000.0f;   // world units: street grid spacing
inline constexpr int texo = 128;              // texels: edge of the square glow texture
inline constexpr int maxd = 360;              // entries of the degree tables

// --- Indexed cube, half-edge 25 --------------------------------------------
// Corners 0..3 are the top face (z = +25), 4..7 the bottom, same order around.
inline constexpr float cc_points[8 * 3] = {
    //   x     y     z
    -25.0f,  25.0f,  25.0f,  // 0
     25.0f,  25.0f,  25.0f,  // 1
     25.0f, -25.0f,  25.0f,  // 2
    -25.0f, -25.0f,  25.0f,  // 3
    -25.0f,  25.0f, -25.0f,  // 4
     25.0f,  25.0f, -25.0f,  // 5
     25.0f, -25.0f, -25.0f,  // 6
    -25.0f, -25.0f, -25.0f,  // 7
};

// Six quads, corners counter-clockwise seen from outside.
inline constexpr uint32_t cc_faces[6 * 4] = {
    0, 3, 2, 1,  // top, z = +25
    1, 2, 6, 5,  // x = +25
    5, 6, 7, 4,  // bottom, z = -25
    4, 7, 3, 0,  // x = -25
    4, 0, 1, 5,  // y = +25
    3, 7, 6, 2,  // y = -25
};

// One normal per corner, indexed like cc_points: entries 0..5 are the outward
// normals of faces 0..5, entries 6 and 7 are zero. Corner i is lit with entry i
// in every face it belongs to.
inline constexpr float cc_normals[8 * 3] = {
    //  nx     ny     nz
     0.0f,  0.0f,  1.0f,  // 0
     1.0f,  0.0f,  0.0f,  // 1
     0.0f,  0.0f, -1.0f,  // 2
    -1.0f,  0.0f,  0.0f,  // 3
     0.0f,  1.0f,  0.0f,  // 4
     0.0f, -1.0f,  0.0f,  // 5
     0.0f,  0.0f,  0.0f,  // 6
     0.0f,  0.0f,  0.0f,  // 7
};

// --- Interleaved cube, half-edge 50, GL_T2F_N3F_V3F ------------------------
// Faces +z, +x, -z, -x, +y, -y; only the top face (vertices 0..3) is drawn.
inline constexpr float g_cubeVertices[24 * 8] = {
    // s     t     nx     ny     nz      x       y       z
    1.0f, 1.0f,  0.0f,  0.0f,  1.0f, -50.0f,  50.0f,  50.0f,  // 0
    0.0f, 1.0f,  0.0f,  0.0f,  1.0f,  50.0f,  50.0f,  50.0f,  // 1
    0.0f, 0.0f,  0.0f,  0.0f,  1.0f,  50.0f, -50.0f,  50.0f,  // 2
    1.0f, 0.0f,  0.0f,  0.0f,  1.0f, -50.0f, -50.0f,  50.0f,  // 3
    1.0f, 1.0f,  1.0f,  0.0f,  0.0f,  50.0f,  50.0f,  50.0f,  // 4
    0.0f, 1.0f,  1.0f,  0.0f,  0.0f,  50.0f, -50.0f,  50.0f,  // 5
    0.0f, 0.0f,  1.0f,  0.0f,  0.0f,  50.0f, -50.0f, -50.0f,  // 6
    1.0f, 0.0f,  1.0f,  0.0f,  0.0f,  50.0f,  50.0f, -50.0f,  // 7
    1.0f, 1.0f,  0.0f,  0.0f, -1.0f,  50.0f,  50.0f, -50.0f,  // 8
    0.0f, 1.0f,  0.0f,  0.0f, -1.0f,  50.0f, -50.0f, -50.0f,  // 9
    0.0f, 0.0f,  0.0f,  0.0f, -1.0f, -50.0f, -50.0f, -50.0f,  // 10
    1.0f, 0.0f,  0.0f,  0.0f, -1.0f, -50.0f,  50.0f, -50.0f,  // 11
    1.0f, 1.0f, -1.0f,  0.0f,  0.0f, -50.0f,  50.0f, -50.0f,  // 12
    0.0f, 1.0f, -1.0f,  0.0f,  0.0f, -50.0f, -50.0f, -50.0f,  // 13
    0.0f, 0.0f, -1.0f,  0.0f,  0.0f, -50.0f, -50.0f,  50.0f,  // 14
    1.0f, 0.0f, -1.0f,  0.0f,  0.0f, -50.0f,  50.0f,  50.0f,  // 15
    1.0f, 1.0f,  0.0f,  1.0f,  0.0f, -50.0f,  50.0f, -50.0f,  // 16
    0.0f, 1.0f,  0.0f,  1.0f,  0.0f, -50.0f,  50.0f,  50.0f,  // 17
    0.0f, 0.0f,  0.0f,  1.0f,  0.0f,  50.0f,  50.0f,  50.0f,  // 18
    1.0f, 0.0f,  0.0f,  1.0f,  0.0f,  50.0f,  50.0f, -50.0f,  // 19
    1.0f, 1.0f,  0.0f, -1.0f,  0.0f, -50.0f, -50.0f,  50.0f,  // 20
    0.0f, 1.0f,  0.0f, -1.0f,  0.0f, -50.0f, -50.0f, -50.0f,  // 21
    0.0f, 0.0f,  0.0f, -1.0f,  0.0f,  50.0f, -50.0f, -50.0f,  // 22
    1.0f, 0.0f,  0.0f, -1.0f,  0.0f,  50.0f, -50.0f,  50.0f,  // 23
};

// The one writable vector through which four-float light parameters reach
// glLightfv. Every user fills all four components before handing it on.
inline float lposition[4] = {};
