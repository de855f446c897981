// A spot light that wanders between random positions and aim directions, and
// runs its colour cycle: a grey cone widening, a short flicker, a random colour
// held for a while, a fade, then a reset with a fresh timer.
#include "actors/lampje.h"

#include <GL/gl.h>

#include "actors/legs.h"
#include "world/crt.h"
#include "world/world.h"

namespace {

constexpr int kLights = 4;  // GL_LIGHT0..GL_LIGHT3

// Colour-cycle thresholds on the countdown, frames.
constexpr int kFadeBelow = 2200;
constexpr int kResetBelow = 2000;
constexpr int kNewColourAt = 4000;
constexpr int kFlickerAbove = 4000;
constexpr int kFlickerBelow = 4010;

constexpr float kCutoffStep = 0.2f;  // degrees per frame, rising and fading
constexpr float kCutoffMax = 36.0f;  // degrees, end of the rise
constexpr float kCutoffMin = 1.0f;   // degrees
constexpr float kFade = 1.01f;       // colour divisor per fading frame
constexpr float kDark = 0.2f;        // a new colour this dark in all channels is redrawn
constexpr float kRisingGrey = 0.6f;
constexpr float kFlickerGrey = 0.4f;

// A whole number from -50 to 49.
float RandomCentred100() { return static_cast<float>(crt::rand() % 100 - 50); }

// A whole number from -500 to 499.
float RandomCentred1000() { return static_cast<float>(crt::rand() % 1000 - 500); }

void SetGrey(float* colour, float grey)
{
    colour[0] = grey;
    colour[1] = grey;
    colour[2] = grey;
}

// Fills lposition with (v, 1) and hands it to the light, if there is one.
void SendVector(int index, GLenum pname, const float* v)
{
    lposition[0] = v[0];
    lposition[1] = v[1];
    lposition[2] = v[2];
    lposition[3] = 1.0f;
    if (index >= 0 && index < kLights) glLightfv(GL_LIGHT0 + index, pname, lposition);
}

}  // namespace

float RandomChannel() { return static_cast<float>(crt::rand() % 100) / 100.0f; }

Lampje::Lampje()
    : dest{}, start{}, pos{}, spotdest{}, spotstart{}, spot{}, color{},
      count(0), duration(200), timer(0), mode(0), cutoff(1.0f)
{
    // The draws run in exactly this order; every lamp built after this one
    // depends on it.
    start[0] = RandomCentred100();
    start[1] = RandomCentred100();
    start[2] = static_cast<float>(crt::rand() % 100);
    pos[1] = RandomCentred100();
    dest[0] = RandomCentred100();
    dest[1] = RandomCentred100();
    dest[2] = static_cast<float>(crt::rand() % 100);
    count = crt::rand() % 100;
    color[0] = RandomChannel();
    color[1] = RandomChannel();
    color[2] = RandomChannel();
    timer = crt::rand() % 120 + 4;  // below the reset threshold: the first update resets
}

void Lampje::CalcLampje(int index)
{
    // Position and spot direction share one leg.
    ++count;
    if (count > duration) {
        for (int k = 0; k < 3; ++k) {
            start[k] = dest[k];
            spotstart[k] = spotdest[k];
        }
        dest[0] = RandomCentred1000();
        dest[2] = RandomCentred1000();
        dest[1] = RandomCentred1000();
        spotdest[0] = RandomCentred1000();
        spotdest[2] = RandomCentred1000();
        spotdest[1] = RandomCentred1000();
        count = 0;
        duration = crt::rand() % 1500 + 1000;  // frames
    }
    for (int k = 0; k < 3; ++k) pos[k] = Interpolate(start[k], dest[k], count, duration);
    for (int k = 0; k < 3; ++k) spot[k] = Interpolate(spotstart[k], spotdest[k], count, duration);
    SendVector(index, GL_POSITION, pos);  // w = 1: a positional light

    // Colour cycle: each check sees what the earlier ones wrote.
    --timer;
    if (timer < kFadeBelow) mode = 2;
    if (timer > kFlickerAbove) {
        SetGrey(color, kRisingGrey);
        mode = 0;
    }
    if (mode == 0) {
        cutoff = cutoff + kCutoffStep;
        if (cutoff >= kCutoffMax) cutoff = kCutoffMax;
    }
    if (timer > kFlickerAbove && timer < kFlickerBelow) {
        SetGrey(color, kFlickerGrey);
        cutoff = static_cast<float>(crt::rand() % 20 + 1);
    }
    if (timer < kResetBelow) {
        timer = crt::rand() % 400 + 4010;
        mode = 0;
        cutoff = kCutoffMin;
    }
    if (timer == kNewColourAt) {
        mode = 1;
        for (float& c : color) c = RandomChannel();
        // A colour too dark in every channel gets one more try, which stands.
        if (color[0] < kDark && color[1] < kDark && color[2] < kDark) {
            for (float& c : color) c = RandomChannel();
        }
        cutoff = static_cast<float>(crt::rand() % 30 + 20);
    }
    if (mode == 2) {
        for (float& c : color) c = c / kFade;
        cutoff = cutoff - kCutoffStep;
        if (cutoff <= kCutoffMin) cutoff = kCutoffMin;
    }

    SendVector(index, GL_SPOT_DIRECTION, spot);
    if (index >= 0 && index < kLights) glLightf(GL_LIGHT0 + index, GL_SPOT_CUTOFF, cutoff);
    SendVector(index, GL_SPECULAR, color);
}
