// The lamp without GL (index -1 or 4): its constructor's draws, its legs, and
// its colour cycle update by update, each draw checked against a replay of the
// generator.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "actors/lampje.h"
#include "forced_draws.h"
#include "world/crt.h"
#include "world/world.h"

namespace {

using Vec = std::array<float, 3>;

Vec V(const float* p) { return {p[0], p[1], p[2]}; }
Vec Grey(float g) { return {g, g, g}; }

// How many draws lead from `before` to the generator's present state.
int DrawsSince(uint32_t before)
{
    const uint32_t now = crt::g_randState;
    crt::g_randState = before;
    int n = 0;
    while (crt::g_randState != now && n < 100) {
        crt::rand();
        ++n;
    }
    crt::g_randState = now;
    return n;
}

// The first seed from 0 on whose first draws satisfy `fits`.
unsigned FindSeed(int draws, const std::function<bool(const std::vector<int>&)>& fits)
{
    for (unsigned seed = 0;; ++seed) {
        if (fits(forced::Replay(seed, draws))) return seed;
    }
}

float Channel(int draw) { return static_cast<float>(draw % 100) / 100.0f; }

// A lamp whose leg never ends, so that the colour cycle draws alone.
Lampje StillLamp(int timer, int mode)
{
    Lampje lamp;
    lamp.count = 0;
    lamp.duration = 1 << 30;
    lamp.timer = timer;
    lamp.mode = mode;
    return lamp;
}

}  // namespace

TEST(Lampje, ConstructionDrawsTwelveInOrder)
{
    for (unsigned seed : {1u, 2u, 4242u, 0xDEADBEEFu}) {
        const std::vector<int> d = forced::Replay(seed, 13);
        crt::srand(seed);
        const Lampje lamp;
        EXPECT_EQ(crt::rand(), d[12]) << "exactly twelve draws, seed " << seed;
        auto f = [](int v) { return static_cast<float>(v); };
        EXPECT_EQ(V(lamp.start), (Vec{f(d[0] % 100 - 50), f(d[1] % 100 - 50), f(d[2] % 100)})) << seed;
        EXPECT_EQ(V(lamp.pos), (Vec{0.0f, f(d[3] % 100 - 50), 0.0f})) << seed;
        EXPECT_EQ(V(lamp.dest), (Vec{f(d[4] % 100 - 50), f(d[5] % 100 - 50), f(d[6] % 100)})) << seed;
        EXPECT_EQ(lamp.count, d[7] % 100) << seed;
        EXPECT_EQ(V(lamp.color), (Vec{Channel(d[8]), Channel(d[9]), Channel(d[10])})) << seed;
        EXPECT_EQ(lamp.timer, d[11] % 120 + 4) << seed;
        EXPECT_EQ(lamp.duration, 200);
        EXPECT_EQ(lamp.mode, 0);
        EXPECT_EQ(lamp.cutoff, 1.0f);
        EXPECT_EQ(V(lamp.spotdest), Vec{});
        EXPECT_EQ(V(lamp.spotstart), Vec{});
        EXPECT_EQ(V(lamp.spot), Vec{});
    }
}

TEST(Lampje, FirstUpdateResetsTheCycle)
{
    for (int index : {-1, 4}) {
        for (unsigned seed : {1u, 99u, 31337u}) {
            crt::srand(seed);
            Lampje lamp;
            const Vec colour = V(lamp.color), start = V(lamp.start), dest = V(lamp.dest);
            const int count = lamp.count;
            const uint32_t before = crt::g_randState;
            lamp.CalcLampje(index);
            EXPECT_EQ(DrawsSince(before), 1) << seed;
            EXPECT_EQ(lamp.timer, forced::Replay(before, 1)[0] % 400 + 4010) << seed;
            EXPECT_EQ(lamp.mode, 0);
            EXPECT_EQ(lamp.cutoff, 1.0f);
            EXPECT_EQ(V(lamp.color), colour) << "the constructor's colour is sent unchanged";
            EXPECT_EQ(V(lamp.spot), Vec{});
            EXPECT_EQ(lamp.count, count + 1);
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(lamp.pos[k], start[k] + (dest[k] - start[k]) * (count + 1) / 200.0, 1e-4) << seed;
            }
            // The last vector handed on is the specular colour.
            EXPECT_EQ(lposition[0], colour[0]);
            EXPECT_EQ(lposition[1], colour[1]);
            EXPECT_EQ(lposition[2], colour[2]);
            EXPECT_EQ(lposition[3], 1.0f);
        }
    }
}

TEST(Lampje, ColourCycleUpdateByUpdate)
{
    // Seeds whose reset gives the longest rise, the shortest (T = 4010, no rise at all),
    // and a couple of ordinary ones.
    const unsigned seeds[] = {
        FindSeed(1, [](const std::vector<int>& d) { return d[0] % 400 == 399; }),
        FindSeed(1, [](const std::vector<int>& d) { return d[0] % 400 == 0; }),
        5u,
        6u,
    };
    for (unsigned seed : seeds) {
        crt::srand(seed);
        Lampje lamp = StillLamp(2000, 0);  // the next update is a reset
        crt::srand(seed);
        lamp.CalcLampje(-1);
        const int T = forced::Replay(seed, 1)[0] % 400 + 4010;
        ASSERT_EQ(lamp.timer, T);
        ASSERT_EQ(lamp.cutoff, 1.0f);

        int rising = 0, flicker = 0, holding = 0, fading = 0;
        Vec held{};
        float heldCutoff = 0.0f;
        for (int update = 1; update <= T - 1999; ++update) {
            const uint32_t before = crt::g_randState;
            const std::vector<int> d = forced::Replay(before, 7);
            const Vec lastColour = V(lamp.color);
            const float lastCutoff = lamp.cutoff;
            lamp.CalcLampje(-1);
            const int t = T - update;
            const int used = DrawsSince(before);
            SCOPED_TRACE(testing::Message() << "seed " << seed << " T " << T << " timer " << t);

            if (t >= 4010) {
                ++rising;
                ASSERT_EQ(used, 0);
                ASSERT_EQ(lamp.mode, 0);
                ASSERT_EQ(V(lamp.color), Grey(0.6f));
                if (rising >= 175) {
                    ASSERT_EQ(lamp.cutoff, 36.0f);
                } else {
                    ASSERT_LT(lamp.cutoff, 36.0f);
                    ASSERT_NEAR(lamp.cutoff, 1.0 + 0.2 * rising, 1e-3);
                }
            } else if (t > 4000) {
                ++flicker;
                ASSERT_EQ(used, 1);
                ASSERT_EQ(lamp.mode, 0);
                ASSERT_EQ(V(lamp.color), Grey(0.4f));
                ASSERT_EQ(lamp.cutoff, static_cast<float>(d[0] % 20 + 1));
            } else if (t == 4000) {
                const bool dark = d[0] % 100 < 20 && d[1] % 100 < 20 && d[2] % 100 < 20;
                const int c = dark ? 3 : 0;
                ASSERT_EQ(used, dark ? 7 : 4);
                ASSERT_EQ(lamp.mode, 1);
                ASSERT_EQ(V(lamp.color), (Vec{Channel(d[c]), Channel(d[c + 1]), Channel(d[c + 2])}));
                ASSERT_EQ(lamp.cutoff, static_cast<float>(d[c + 3] % 30 + 20));
                held = V(lamp.color);
                heldCutoff = lamp.cutoff;
            } else if (t >= 2200) {
                ++holding;
                ASSERT_EQ(used, 0);
                ASSERT_EQ(lamp.mode, 1);
                ASSERT_EQ(V(lamp.color), held);
                ASSERT_EQ(lamp.cutoff, heldCutoff);
            } else if (t >= 2000) {
                ++fading;
                ASSERT_EQ(used, 0);
                ASSERT_EQ(lamp.mode, 2);
                for (int k = 0; k < 3; ++k) ASSERT_EQ(lamp.color[k], lastColour[k] / 1.01f) << k;
                ASSERT_EQ(lamp.cutoff, std::max(lastCutoff - 0.2f, 1.0f));
            } else {
                ASSERT_EQ(t, 1999);
                ASSERT_EQ(used, 1);
                ASSERT_EQ(lamp.timer, d[0] % 400 + 4010);
                ASSERT_EQ(lamp.mode, 0);
                ASSERT_EQ(lamp.cutoff, 1.0f);
                ASSERT_EQ(V(lamp.color), lastColour) << "the reset does not fade";
            }
        }
        EXPECT_EQ(rising, T - 4010);
        EXPECT_EQ(flicker, 9);
        EXPECT_EQ(holding, 1800);
        EXPECT_EQ(fading, 200);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(lamp.color[k], held[k] * std::pow(1.01, -200), 1e-5);
    }
}

TEST(Lampje, NewColourAndItsOneRedraw)
{
    auto low = [](int d) { return d % 100 < 20; };
    struct Case { const char* what; unsigned seed; bool redrawn; };
    const Case cases[] = {
        {"bright enough", FindSeed(3, [&](auto& d) { return !(low(d[0]) && low(d[1]) && low(d[2])); }), false},
        {"one channel at exactly 0.2 is not below it",
         FindSeed(3, [&](auto& d) { return low(d[0]) && low(d[1]) && d[2] % 100 == 20; }), false},
        {"all dark: drawn once more", FindSeed(6, [&](auto& d) { return low(d[0]) && low(d[1]) && low(d[2]) && !low(d[3]); }),
         true},
        {"dark twice: the second stands",
         FindSeed(6, [&](auto& d) { return low(d[0]) && low(d[1]) && low(d[2]) && low(d[3]) && low(d[4]) && low(d[5]); }),
         true},
    };
    for (const Case& c : cases) {
        Lampje lamp = StillLamp(4001, 0);
        lamp.cutoff = 17.0f;
        const std::vector<int> d = forced::Replay(c.seed, 7);
        crt::srand(c.seed);
        lamp.CalcLampje(4);
        const int first = c.redrawn ? 3 : 0;
        EXPECT_EQ(DrawsSince(c.seed), first + 4) << c.what;
        EXPECT_EQ(lamp.mode, 1) << c.what;
        EXPECT_EQ(V(lamp.color), (Vec{Channel(d[first]), Channel(d[first + 1]), Channel(d[first + 2])})) << c.what;
        EXPECT_EQ(lamp.cutoff, static_cast<float>(d[first + 3] % 30 + 20)) << "cutoff drawn after the colour: " << c.what;
    }
}

TEST(Lampje, FadeEndsByHeldCutoff)
{
    struct Case { float held; float low, high; };
    const Case cases[] = {{20.0f, 1.0f, 1.0f}, {41.0f, 1.0f, 1.0f}, {42.0f, 1.99f, 2.01f}, {49.0f, 8.99f, 9.01f}};
    for (const Case& c : cases) {
        Lampje lamp = StillLamp(2200, 1);  // the next update is the first to fade
        lamp.cutoff = c.held;
        lamp.color[0] = 0.99f;
        lamp.color[1] = 0.5f;
        lamp.color[2] = 0.01f;
        for (int i = 0; i < 200; ++i) lamp.CalcLampje(-1);
        EXPECT_EQ(lamp.mode, 2);
        EXPECT_GE(lamp.cutoff, c.low) << c.held;
        EXPECT_LE(lamp.cutoff, c.high) << c.held;
        EXPECT_NEAR(lamp.color[0] / 0.99f, 0.137, 0.001);
        lamp.CalcLampje(-1);  // the reset
        EXPECT_EQ(lamp.mode, 0);
        EXPECT_EQ(lamp.cutoff, 1.0f);
    }
}

TEST(Lampje, LegsOfPositionAndDirection)
{
    crt::srand(1);
    Lampje lamp;
    const int firstLegEnd = 201 - lamp.count;  // the update whose count first exceeds 200
    ASSERT_GE(firstLegEnd, 102);
    ASSERT_LE(firstLegEnd, 201);

    auto f = [](int v) { return static_cast<float>(v % 1000 - 500); };
    Vec lastPos{}, lastSpot{};
    int legs = 0;
    for (int update = 1; update <= 30000; ++update) {
        const uint32_t before = crt::g_randState;
        const std::vector<int> d = forced::Replay(before, 7);
        const Vec oldDest = V(lamp.dest), oldSpotDest = V(lamp.spotdest);
        lamp.CalcLampje(-1);
        SCOPED_TRACE(testing::Message() << "update " << update);
        if (lamp.count == 0) {
            if (++legs == 1) {
                ASSERT_EQ(update, firstLegEnd);
            }
            ASSERT_GE(DrawsSince(before), 7);
            // x, z, y of the position, then of the direction, then the length.
            ASSERT_EQ(V(lamp.dest), (Vec{f(d[0]), f(d[2]), f(d[1])}));
            ASSERT_EQ(V(lamp.spotdest), (Vec{f(d[3]), f(d[5]), f(d[4])}));
            ASSERT_EQ(lamp.duration, d[6] % 1500 + 1000);
            ASSERT_EQ(V(lamp.start), oldDest);
            ASSERT_EQ(V(lamp.spotstart), oldSpotDest);
            ASSERT_EQ(V(lamp.pos), lastPos) << "the light rests on its waypoint two frames";
            ASSERT_EQ(V(lamp.spot), lastSpot);
        }
        if (lamp.count == lamp.duration) {
            ASSERT_EQ(V(lamp.pos), V(lamp.dest));
            ASSERT_EQ(V(lamp.spot), V(lamp.spotdest));
        }
        if (legs == 0) {
            ASSERT_EQ(V(lamp.spot), Vec{}) << "no direction on the first leg";
        }
        lastPos = V(lamp.pos);
        lastSpot = V(lamp.spot);
        EXPECT_EQ(lposition[3], 1.0f);
    }
    EXPECT_GT(legs, 30000 / 2500);

    // A leg and a reset in the same update: the leg draws first.
    for (unsigned seed : {3u, 8u}) {
        Lampje both = StillLamp(2000, 0);
        both.count = both.duration = 1000;
        const std::vector<int> d = forced::Replay(seed, 8);
        crt::srand(seed);
        both.CalcLampje(-1);
        EXPECT_EQ(both.dest[0], f(d[0]));
        EXPECT_EQ(both.duration, d[6] % 1500 + 1000);
        EXPECT_EQ(both.timer, d[7] % 400 + 4010);
    }
}
