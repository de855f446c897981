// The flying viewpoint: eye and look-at point glide along axis-parallel legs
// between random waypoints, one step per call.
#pragma once

class Camera {
public:
    float dest[3];       // eye leg destination (x, y, z), world units
    float start[3];      // eye leg start
    float eye[3];        // current eye position
    float viewdest[3];   // look-at leg destination
    float viewstart[3];  // look-at leg start
    float view[3];       // current look-at point
    int count;           // frames since the eye leg began
    int duration;        // eye leg length, frames
    int viewcount;       // frames since the look-at leg began
    int viewduration;    // look-at leg length, frames
    int choice;          // the move just chosen; scratch within one update
    int viewaxis;        // axis the next look-at leg changes: 0 x, 1 z, 2 y

    Camera();
    ~Camera() {}
    void CalcCamera();
};
