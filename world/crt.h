// The C-runtime pieces the scene draws on: a 15-bit linear congruential
// generator (values 0..32767, unseeded state 1) and the calendar time used to
// seed it. Header-only so that every pool constructor, in any translation unit,
// sees the same constant-initialised state before main runs.
#pragma once

#include <cstdint>
#include <ctime>

namespace crt {

inline constexpr int RAND_MAXIMUM = 0x7FFF;

inline constinit uint32_t g_randState = 1;

inline void srand(unsigned seed) { g_randState = seed; }

inline int rand()
{
    g_randState = g_randState * 214013u + 2531011u;
    return static_cast<int>((g_randState >> 16) & 0x7FFF);
}

// A tool that must reproduce a run pins the calendar time to fixed seconds.
inline constinit int64_t g_pinnedTime = -1;
inline void PinTime(unsigned seconds) { g_pinnedTime = seconds; }

// Seconds of calendar time, the seed the program uses at start-up.
inline unsigned time()
{
    if (g_pinnedTime >= 0) return static_cast<unsigned>(g_pinnedTime);
    return static_cast<unsigned>(std::time(nullptr));
}

}  // namespace crt
