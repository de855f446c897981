// Test helpers for the 15-bit generator: replaying its raw draws, finding a
// seed after which chosen draws come out with chosen values, and walking a
// table of constructors fed their edge values.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "world/crt.h"

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

// The next n raw draws from generator state `state`, leaving the generator as it was.
inline std::vector<int> Replay(uint32_t state, int n)
{
    const uint32_t saved = crt::g_randState;
    crt::g_randState = state;
    std::vector<int> draws(n);
    for (int& d : draws) d = crt::rand();
    crt::g_randState = saved;
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

// A row of an edge table: draw number `draw` (from 0) of the constructor
// forced to `value` leaves `expected` in `field` (a member, or a function of
// the object).
template <typename Field, typename Value>
struct Edge {
    int draw, value;
    Field field;
    Value expected;
};

// Builds an Actor after each row's forced draw and checks the row's field.
template <typename Actor, typename Row, size_t N>
void CheckEdges(const Row (&rows)[N])
{
    for (const Row& r : rows) {
        uint32_t seed = 0;
        ASSERT_TRUE(SeedFor(r.draw, r.value, -1, &seed)) << "draw " << r.draw << " = " << r.value;
        crt::srand(seed);
        const Actor actor;
        EXPECT_EQ(std::invoke(r.field, actor), r.expected) << "draw " << r.draw << " = " << r.value;
    }
}

}  // namespace forced
