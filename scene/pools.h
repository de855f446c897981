// The six global object pools, each beside its count. They are defined together
// in pools.cpp, in construction order, so that static initialisation builds the
// same world from the unseeded generator on every run.
#pragma once

#include "actors/camera.h"
#include "actors/carz.h"
#include "actors/cloud.h"
#include "actors/floor.h"
#include "actors/lampje.h"
#include "actors/moverz.h"

inline constexpr int LICHT_COUNT = 4;      // lamp i drives GL_LIGHT0 + i
extern Lampje licht[LICHT_COUNT];

inline constexpr int ZENITH_COUNT = 3;     // only Zenith[0] flies
extern Camera Zenith[ZENITH_COUNT];

inline constexpr int VLOER_COUNT = 200;
extern Floor vloer[VLOER_COUNT];

inline constexpr int CLOUDZ_COUNT = 80;
extern Cloud cloudz[CLOUDZ_COUNT];

inline constexpr int KAR_COUNT = 2400;
extern Carz kar[KAR_COUNT];

inline constexpr int MOVER_COUNT = 500;
extern Moverz mover[MOVER_COUNT];

// Draws the constructors take, in pool order: 4 x 12 + 3 x 0 + 200 x 8 +
// 80 x 6 + 2400 x 12 + 500 x 7.
inline constexpr int POOL_DRAWS = 34428;
