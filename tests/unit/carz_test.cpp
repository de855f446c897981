// Carz boxes: the twelve constructor draws (blend before type), placement in
// the middle of grid cells, and the corners SetupCarz builds for each type.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "actors/carz.h"
#include "forced_draws.h"
#include "world/world.h"

namespace {

float CellCentre(int draw) { return static_cast<float>((draw % 30 - 15) * 4000 + 2000); }
float Jitter(int draw) { return static_cast<float>(draw % 10000 - 5000) / 9.0f; }

}  // namespace

TEST(Carz, ConstructorTakesTwelveDrawsInOrder)
{
    for (uint32_t seed : {1u, 3u, 65535u, 0x80000000u}) {
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 13);
        const Carz c;
        SCOPED_TRACE(seed);
        EXPECT_EQ(c.x, Jitter(d[2]) + CellCentre(d[0]));
        EXPECT_EQ(c.y, Jitter(d[3]) + CellCentre(d[1]));
        EXPECT_EQ(c.z, static_cast<float>(d[4]) / 2.0f);
        EXPECT_EQ(c.scale, static_cast<float>(d[5] % 1000) / 300.0f + 0.5f);
        EXPECT_EQ(c.length, static_cast<float>(d[6] % 450 + 70));
        EXPECT_EQ(c.r, d[7] % 255);
        EXPECT_EQ(c.g, d[8] % 255);
        EXPECT_EQ(c.b, d[9] % 255);
        EXPECT_EQ(c.blend, d[10] % 2);
        EXPECT_EQ(c.type, d[11] % 3);
        EXPECT_EQ(crt::rand(), d[12]) << "the constructor must take exactly twelve draws";
    }

    // Cell centres: the jitter drawn later is added to them.
    struct CellCase {
        int draw, value;
        float centre;
    };
    const CellCase cells[] = {
        {0, 0, -58000.0f}, {0, 29, 58000.0f}, {0, 30, -58000.0f},
        {0, 32767, -30000.0f}, {1, 15, 2000.0f}, {1, 14, -2000.0f},
    };
    for (const CellCase& e : cells) {
        uint32_t seed = 0;
        ASSERT_TRUE(forced::SeedFor(e.draw, e.value, -1, &seed));
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 12);
        const Carz c;
        EXPECT_EQ(e.draw == 0 ? c.x : c.y, Jitter(d[e.draw + 2]) + e.centre) << "draw " << e.draw << " = " << e.value;
    }

    const forced::Edge<float Carz::*, float> edges[] = {
        {4, 32767, &Carz::z, 16383.5f},  {4, 1, &Carz::z, 0.5f},           {5, 0, &Carz::scale, 0.5f},
        {5, 999, &Carz::scale, 3.83f},   {6, 449, &Carz::length, 519.0f},  {6, 450, &Carz::length, 70.0f},
    };
    forced::CheckEdges<Carz>(edges);
    // blend (draw 10) comes before type (draw 11): force both at once.
    const int flags[][4] = {{1, 2, 1, 2}, {32767, 32767, 1, 1}, {2, 3, 0, 0}};
    for (const auto& f : flags) {
        uint32_t seed = 0;
        ASSERT_TRUE(forced::SeedFor(10, f[0], f[1], &seed));
        crt::srand(seed);
        const Carz c;
        EXPECT_EQ(c.blend, f[2]);
        EXPECT_EQ(c.type, f[3]);
    }
    // Jitter bounds, about -555.56 and 555.44.
    for (int value : {0, 9999}) {
        uint32_t seed = 0;
        ASSERT_TRUE(forced::SeedFor(2, value, -1, &seed));
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 12);
        const Carz c;
        const float jitter = c.x - CellCentre(d[0]);
        EXPECT_NEAR(jitter, value == 0 ? -555.5556 : 555.4444, 0.005);  // x is rounded at 2^-8
    }
}

TEST(Carz, CentresKeepClearOfTheStreets)
{
    crt::srand(1);
    for (int i = 0; i < 3000; ++i) {
        const Carz c;
        for (float v : {c.x, c.y}) {
            const double fromLine = std::fabs(std::remainder(static_cast<double>(v), 4000.0));
            ASSERT_GE(fromLine, 1444.43) << "box " << i << " at " << v;
            ASSERT_LE(fromLine, 2000.0) << "box " << i << " at " << v;
            ASSERT_LE(std::fabs(v), 58000.0f + 555.56f);
        }
        ASSERT_EQ(std::fmod(c.z, 0.5f), 0.0f);
        ASSERT_LE(c.z, 16383.5f);
        ASSERT_GE(c.scale, 0.5f);
        ASSERT_LE(c.scale, 3.84f);
    }
}

TEST(Carz, SetupBuildsWorldCornersPerType)
{
    struct Case {
        int type;
        float scale, length, x, y, z;
        float lo[3], hi[3];  // extents; a corner takes hi where cc_points is positive
    };
    const Case cases[] = {
        {2, 1.0f, 100.0f, 1000.0f, 2000.0f, 5000.0f, {975, 1975, -25}, {1025, 2025, 2500}},  // z unused
        {0, 2.0f, 100.0f, 0.0f, 0.0f, 300.0f, {-5000, -50, 250}, {5000, 50, 350}},
        {1, 2.0f, 100.0f, 0.0f, 0.0f, 300.0f, {-50, -5000, 250}, {50, 5000, 350}},
        {0, 0.5f, 70.0f, -58000.0f, 1500.0f, 0.5f, {-58875, 1487.5f, -12}, {-57125, 1512.5f, 13}},
        {2, 0.5f, 519.0f, 58000.0f, -58000.0f, 16383.5f, {57987.5f, -58012.5f, -12.5f},
         {58012.5f, -57987.5f, 6487.5f}},
        {9, 2.0f, 100.0f, 700.0f, 700.0f, 700.0f, {-50, -50, -50}, {50, 50, 50}},  // unknown type: cube only
    };
    for (const Case& c : cases) {
        Carz box;
        box.type = c.type;
        box.scale = c.scale;
        box.length = c.length;
        box.x = c.x;
        box.y = c.y;
        box.z = c.z;
        box.SetupCarz();
        float first[24];
        std::memcpy(first, box.corners, sizeof first);
        box.SetupCarz();
        EXPECT_EQ(std::memcmp(first, box.corners, sizeof first), 0) << "a second setup must not change the box";
        for (int i = 0; i < 8; ++i) {
            for (int a = 0; a < 3; ++a) {
                const float expected = cc_points[i * 3 + a] > 0.0f ? c.hi[a] : c.lo[a];
                EXPECT_EQ(box.corners[i * 3 + a], expected) << "type " << c.type << " corner " << i << " axis " << a;
            }
        }
    }
}
