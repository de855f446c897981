// The one texture, a soft round glow computed at start-up, and the per-degree
// cosine and sine tables its ring plot reads.
#pragma once

#include "world/world.h"

inline constexpr int GLOW_BYTES = texo * texo * 4;  // RGBA, row after row

extern unsigned char mtex[GLOW_BYTES];        // the glow image
extern unsigned char mtexfilter[GLOW_BYTES];  // blur scratch
extern float cosd[maxd];
extern float sind[maxd];

// Fills cosd and sind for whole degrees 0..359.
void FillDegreeTables();

// The ring plot alone: clears mtex and plots the outer rings and the bright
// core, before any blur.
void PlotGlowRings();

// The finished glow image in mtex: the ring plot smoothed by GLOW_BLUR_PASSES
// blur passes. Needs the degree tables; touches no GL state.
inline constexpr int GLOW_BLUR_PASSES = 30;
void BuildGlowImage();

// Builds the glow image in mtex and loads it with its mipmaps into the texture
// bound to GL_TEXTURE_2D. Needs a current context and the degree tables.
void settexmap01();

// One box-blur pass over mtex, through mtexfilter.
void qblur();
