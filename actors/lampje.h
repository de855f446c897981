// One of the four wandering, colour-cycling spot lights.
#pragma once

// One draw: a colour channel of 0, 0.01, ..., 0.99 (the float nearest to k / 100).
float RandomChannel();

class Lampje {
public:
    float dest[3];       // position leg destination, world units
    float start[3];      // position leg start
    float pos[3];        // current position
    float spotdest[3];   // spot direction leg destination
    float spotstart[3];  // spot direction leg start
    float spot[3];       // current spot direction (not normalised)
    float color[3];      // specular colour, 0..1
    int count;           // frames since the leg began (position and direction)
    int duration;        // leg length, frames
    int timer;           // colour-cycle countdown, frames
    int mode;            // 0 rising, 1 holding, 2 fading
    float cutoff;        // spot cutoff, degrees (1..49)

    Lampje();
    ~Lampje() {}
    // Advances one frame and sends the light's parameters to GL_LIGHT0 + index;
    // an index outside 0..3 advances the lamp without any GL call.
    void CalcLampje(int index);
};
