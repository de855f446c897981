// The glide along a leg that the camera and the lamps share: one step from a
// leg's start toward its destination.
#pragma once

// start + (dest - start) / duration * count, carried in double and stored as
// float, so that count == duration lands on dest.
inline float Interpolate(float from, float to, int count, int duration)
{
    return static_cast<float>((static_cast<double>(to) - from) / duration * count + from);
}
