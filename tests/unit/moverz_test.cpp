// Movers: the seven constructor draws, one frame of movement at the block
// boundaries and world edges, and a long drive that never reverses and takes
// one draw per boundary and none otherwise.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "actors/moverz.h"
#include "forced_draws.h"

TEST(Moverz, ConstructorTakesSevenDrawsInOrder)
{
    for (uint32_t seed : {1u, 5u, 99999u, 0xCAFEF00Du}) {
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 8);
        const Moverz m;
        SCOPED_TRACE(seed);
        EXPECT_EQ(m.sx, static_cast<float>(d[0] % 100) / 50.0f + 3.0f);
        EXPECT_EQ(m.sy, m.sx);
        EXPECT_EQ(m.sz, static_cast<float>(d[1] % 100) / 30.0f + 3.0f);
        EXPECT_EQ(m.r, d[2] % 255);
        EXPECT_EQ(m.g, d[3] % 255);
        EXPECT_EQ(m.b, d[4] % 255);
        EXPECT_EQ(m.dir, d[5] % 3);
        EXPECT_EQ(m.speed, static_cast<float>(d[6] % 1500) / 20.0f + 25.0f);
        EXPECT_EQ(m.lane, m.speed * 5.0f);
        EXPECT_EQ(crt::rand(), d[7]) << "the constructor must take exactly seven draws";
        const float zeros[] = {m.x, m.y, m.dist, m.ox, m.oy};
        for (float v : zeros) EXPECT_EQ(v, 0.0f);
        EXPECT_EQ(m.z, 100.0f);
        EXPECT_EQ(m.turn, 0);
    }

    const forced::Edge<float Moverz::*, float> edges[] = {
        {0, 99, &Moverz::sx, 4.98f},    {0, 0, &Moverz::sy, 3.0f},         {1, 99, &Moverz::sz, 6.3f},
        {6, 1499, &Moverz::speed, 99.95f}, {6, 1499, &Moverz::lane, 499.75f}, {6, 0, &Moverz::lane, 125.0f},
    };
    forced::CheckEdges<Moverz>(edges);
    for (int value : {2, 32767, 32765}) {  // 32767 % 3 == 1, 32765 % 3 == 2: never heading -y
        uint32_t seed = 0;
        ASSERT_TRUE(forced::SeedFor(5, value, -1, &seed));
        crt::srand(seed);
        EXPECT_EQ(Moverz().dir, value % 3);
    }
}

TEST(Moverz, OneFrameAtBoundariesAndEdges)
{
    constexpr float kLane = 300.0f;
    constexpr float kUnset = 7.0f;  // offsets a frame without a boundary must leave alone
    struct Case {
        const char* what;
        int dir;
        float x, y, dist, speed;
        int turn;  // the forced draw; taken only at a boundary
        int expectDir;
        float expectX, expectY, expectDist, expectOx, expectOy;
        int draws;
    };
    const Case cases[] = {
        {"wrap at +x beats the boundary", 0, 59990, 0, 3990, 50, 0, 0, -60000, 0, 50, kUnset, kUnset, 0},
        {"boundary, straight on", 0, 3990, 0, 3990, 25, 0, 0, 4000, 0, 0, 0, -kLane, 1},
        {"boundary, turn to +y", 0, 3990, 0, 3990, 25, 1, 2, 4000, 0, 0, kLane, 0, 1},
        {"boundary, turn to -y", 0, 3990, 0, 3990, 25, 2, 3, 4000, 0, 0, -kLane, 0, 1},
        {"dist equal to a block is no boundary", 0, 0, 0, 3975, 25, 0, 0, 25, 0, 4000, kUnset, kUnset, 0},
        {"exactly at +worldsize does not wrap", 0, 59975, 0, 100, 25, 0, 0, 60000, 0, 125, kUnset, kUnset, 0},
        {"wrap at -x", 1, -59990, 8000, 10, 50, 0, 1, 60000, 8000, 50, kUnset, kUnset, 0},
        {"exactly at -worldsize does not wrap", 1, -59950, 0, 10, 50, 0, 1, -60000, 0, 60, kUnset, kUnset, 0},
        {"boundary going -x, turn to -x", 1, -3990, 0, 3990, 25, 0, 1, -4000, 0, 0, 0, kLane, 1},
        {"boundary going +y, turn to -x", 2, 4000, 3990, 3990, 25, 1, 1, 4000, 4000, 0, 0, kLane, 1},
        {"wrap at +y", 2, 0, 59999, 200, 2, 0, 2, 0, -60000, 2, kUnset, kUnset, 0},
        {"boundary going -y, straight on", 3, 0, -7990, 3990, 25, 2, 3, 0, -8000, 0, -kLane, 0, 1},
        {"boundary going -y, turn to +x", 3, 0, -7990, 3990, 25, 0, 0, 0, -8000, 0, 0, -kLane, 1},
        {"overshoot pulled back", 0, 7980, 4000, 3980, 99.5f, 0, 0, 8000, 4000, 0, 0, -kLane, 1},
        {"unknown heading is left alone", 5, 10, 20, 3999, 25, 0, 5, 10, 20, 3999, kUnset, kUnset, 0},
    };
    for (const Case& c : cases) {
        uint32_t seed = 0;
        ASSERT_TRUE(forced::SeedFor(0, c.turn, -1, &seed));
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 2);
        Moverz m;
        m.dir = c.dir;
        m.x = c.x;
        m.y = c.y;
        m.dist = c.dist;
        m.speed = c.speed;
        m.lane = kLane;
        m.ox = m.oy = kUnset;
        m.turn = -1;
        crt::srand(seed);
        m.CalcMoverz();
        SCOPED_TRACE(c.what);
        EXPECT_EQ(m.dir, c.expectDir);
        EXPECT_EQ(m.x, c.expectX);
        EXPECT_EQ(m.y, c.expectY);
        EXPECT_EQ(m.dist, c.expectDist);
        EXPECT_EQ(m.ox, c.expectOx);
        EXPECT_EQ(m.oy, c.expectOy);
        EXPECT_EQ(m.turn, c.draws ? c.turn : -1);
        EXPECT_EQ(crt::rand(), d[c.draws]) << "draws taken";
        EXPECT_EQ(m.z, 100.0f);
        EXPECT_EQ(m.lane, kLane);
    }
}

TEST(Moverz, LongDriveKeepsItsInvariants)
{
    crt::srand(1);
    Moverz fleet[40];
    std::set<std::pair<int, int>> seenTurns;
    for (Moverz& m : fleet) {
        bool wrapped = false;
        bool boundarySeen = false;
        for (int frame = 0; frame < 20000; ++frame) {
            const Moverz before = m;
            const uint32_t state = crt::g_randState;
            m.CalcMoverz();
            const bool boundary = m.dist == 0.0f;
            ASSERT_EQ(crt::g_randState, boundary ? forced::Forward(state) : state) << "one draw per boundary";
            ASSERT_NE(m.dir, before.dir ^ 1) << "a mover never reverses";
            ASSERT_LE(std::fabs(m.x), 60000.0f);
            ASSERT_LE(std::fabs(m.y), 60000.0f);
            ASSERT_LE(m.dist, 4000.0f);
            const float along = before.dir < 2 ? m.x : m.y;
            const float across = before.dir < 2 ? m.y : m.x;
            ASSERT_EQ(across, before.dir < 2 ? before.y : before.x) << "only the moved coordinate changes";
            if (std::fabs(along) == 60000.0f && m.dist == m.speed) wrapped = true;
            if (boundary) {
                boundarySeen = true;
                seenTurns.insert({before.dir, m.dir});
                if (!wrapped) {
                    // Single-precision steps drift about a unit over a dozen straight blocks.
                    ASSERT_NEAR(std::remainder(along, 4000.0f), 0.0f, 2.0f) << "boundary on a grid line";
                }
            } else {
                ASSERT_EQ(m.dir, before.dir);
                ASSERT_EQ(m.ox, before.ox);
                ASSERT_EQ(m.oy, before.oy);
            }
            if (boundarySeen) {
                ASSERT_TRUE((m.ox == 0.0f) != (m.oy == 0.0f));
                ASSERT_EQ(std::fabs(m.ox + m.oy), m.lane);
            }
        }
        ASSERT_TRUE(boundarySeen);
    }
    EXPECT_EQ(seenTurns.size(), 12u) << "each of the three outcomes of every heading occurs";
}
