// The scene as the shell sees it: set-up for a fresh rendering context, one
// frame, and the projection the scene is drawn under.
#pragma once

inline constexpr double SCENE_FOV_Y = 85.0;      // degrees, vertical field of view
inline constexpr double SCENE_NEAR = 4.0;        // world units
inline constexpr double SCENE_FAR = 100000.0;    // world units

// Puts a freshly created, current rendering context of width x height pixels
// into the state the frame relies on. Always returns 1.
int Initialize(int width, int height);

// Advances and draws the whole scene: one frame.
void ProcessNorvex();
