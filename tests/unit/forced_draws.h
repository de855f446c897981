// Test helpers for the 15-bit generator: replaying its raw draws, and finding
// a seed after which chosen draws come out with chosen values, so that
// constructors can be fed their edge values.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/crt.h"

namespace forced {

// state' = state * kMul + kAdd (mod 2^32); a draw is bits 16..30 of state'.
constexpr uint32_t kMul = 214013u;
constexpr uint32_t kAdd = 2531011u;

constexpr uint32_t Inverse(uint32_t a)  // a odd; Newton's iteration mod 2^32
{
    uint32_t inv = a;
    for (int i = 0; i < 5; ++i) inv *= 2u - a * inv;
    return inv;
}
static_assert(kMul * Inverse(kMul) == 1u);

constexpr uint32_t Forward(uint32_t s) { return s * kMul + kAdd; }
constexpr uint32_t Back(uint32_t s) { return (s - kAdd) * Inverse(kMul); }
constexpr int DrawOf(uint32_t s) { return static_cast<int>((s >> 16) & 0x7FFF); }

// The next n raw draws after seeding with seed (leaves the generator seeded
// again, so the code under test sees the same draws).
inline std::vector<int> Replay(uint32_t seed, int n)
{
    crt::srand(seed);
    std::vector<int> draws(n);
    for (int& d : draws) d = crt::rand();
    crt::srand(seed);
    return draws;
}

// A seed after which draw number `index` (from 0) yields `first`, and, when
// `second` is not negative, draw index + 1 yields `second`. The 17 bits of the
// state that a draw does not show leave about four states for each pair.
// Returns false when no state fits.
inline bool SeedFor(int index, int first, int second, uint32_t* seed)
{
    for (uint32_t hidden = 0; hidden < (1u << 17); ++hidden) {
        uint32_t s = (static_cast<uint32_t>(first) << 16) | ((hidden & 1u) << 31) | (hidden >> 1);
        if (second >= 0 && DrawOf(Forward(s)) != second) continue;
        for (int i = 0; i <= index; ++i) s = Back(s);
        *seed = s;
        return true;
    }
    return false;
}

}  // namespace forced
