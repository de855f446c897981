// The camera: its constructed values, the first update, and its legs over many
// thousands of frames, with every draw checked against a replay of the generator.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "actors/camera.h"
#include "forced_draws.h"
#include "world/crt.h"

namespace {

using Vec = std::array<float, 3>;

Vec V(const float* p) { return {p[0], p[1], p[2]}; }

// Generator state after n draws from `state`.
uint32_t StateAfter(uint32_t state, int n)
{
    const uint32_t saved = crt::g_randState;
    crt::g_randState = state;
    for (int i = 0; i < n; ++i) crt::rand();
    const uint32_t after = crt::g_randState;
    crt::g_randState = saved;
    return after;
}

// The eye's waypoint after a new leg's move draw and value draw: x, z or y.
Vec NextEyeWaypoint(Vec dest, int moveDraw, int valueDraw)
{
    const float ground = static_cast<float>(valueDraw % 40000 - 20000) / 2.0f;
    switch (moveDraw % 3) {
    case 0: dest[0] = ground; break;
    case 1: dest[2] = static_cast<float>(valueDraw % 20000 + 20); break;
    default: dest[1] = ground; break;
    }
    return dest;
}

}  // namespace

TEST(Camera, ConstructionAndFirstUpdate)
{
    crt::srand(777);
    const Camera fresh;
    EXPECT_EQ(crt::g_randState, 777u) << "the constructor draws nothing";
    EXPECT_EQ(V(fresh.dest), (Vec{0.0f, 80.0f, 300.0f}));
    EXPECT_EQ(V(fresh.start), (Vec{0.0f, 50.0f, 100.0f}));
    EXPECT_EQ(V(fresh.eye), (Vec{10.01f, 10.01f, 200.01f}));
    EXPECT_EQ(V(fresh.viewdest), (Vec{}));
    EXPECT_EQ(V(fresh.viewstart), (Vec{}));
    EXPECT_EQ(V(fresh.view), (Vec{}));
    EXPECT_EQ(fresh.count, 20);
    EXPECT_EQ(fresh.duration, 2);
    EXPECT_EQ(fresh.viewcount, 20);
    EXPECT_EQ(fresh.viewduration, 2);
    EXPECT_EQ(fresh.choice, 0);
    EXPECT_EQ(fresh.viewaxis, 0);

    // Across seeds the first eye leg takes each of its three moves.
    bool seen[3] = {};
    for (unsigned seed = 0; seed < 40; ++seed) {
        const std::vector<int> d = forced::Replay(seed, 5);
        crt::srand(seed);
        Camera cam;
        cam.CalcCamera();
        EXPECT_EQ(crt::g_randState, StateAfter(seed, 5)) << seed;
        EXPECT_EQ(V(cam.eye), (Vec{0.0f, 80.0f, 300.0f})) << seed;
        EXPECT_EQ(V(cam.view), (Vec{})) << seed;
        EXPECT_EQ(V(cam.start), (Vec{0.0f, 80.0f, 300.0f})) << seed;

        seen[d[0] % 3] = true;
        EXPECT_EQ(V(cam.dest), NextEyeWaypoint({0.0f, 80.0f, 300.0f}, d[0], d[1])) << seed;
        EXPECT_EQ(cam.count, 0);
        EXPECT_EQ(cam.duration, d[2] % 360 + 260) << seed;

        // The first look-at leg changes z.
        EXPECT_EQ(cam.viewaxis, 1);
        EXPECT_EQ(V(cam.viewdest), (Vec{0.0f, 0.0f, static_cast<float>((d[3] % 22000 - 12000) * 10)})) << seed;
        EXPECT_EQ(cam.viewcount, 0);
        EXPECT_EQ(cam.viewduration, d[4] % 160 + 60) << seed;
    }
    EXPECT_TRUE(seen[0] && seen[1] && seen[2]);
}

TEST(Camera, LegsOverManyFrames)
{
    crt::srand(20050);
    Camera cam;
    cam.CalcCamera();
    Vec lastEye = V(cam.eye), lastView = V(cam.view);
    int eyeLegs = 0, viewLegs = 0, lastAxis = cam.viewaxis;
    float lowestView = 0.0f;
    constexpr int kAxisCoordinate[3] = {0, 2, 1};  // look-at selector: x, z, y

    for (int frame = 0; frame < 60000; ++frame) {
        const uint32_t before = crt::g_randState;
        const Vec oldDest = V(cam.dest), oldViewDest = V(cam.viewdest);
        cam.CalcCamera();
        const bool eyeLeg = cam.count == 0, viewLeg = cam.viewcount == 0;
        const std::vector<int> d = forced::Replay(before, 5);
        ASSERT_EQ(crt::g_randState, StateAfter(before, 3 * eyeLeg + 2 * viewLeg)) << frame;

        if (eyeLeg) {
            ++eyeLegs;
            ASSERT_EQ(V(cam.start), oldDest) << frame;
            ASSERT_EQ(V(cam.eye), lastEye) << "the eye rests on the waypoint two frames, " << frame;
            ASSERT_EQ(V(cam.dest), NextEyeWaypoint(oldDest, d[0], d[1])) << frame;
            ASSERT_EQ(cam.duration, d[2] % 360 + 260) << frame;
        }
        if (viewLeg) {
            ++viewLegs;
            const int v = d[eyeLeg ? 3 : 0];
            const int after = d[eyeLeg ? 4 : 1];
            ASSERT_EQ(cam.viewaxis, (lastAxis + 1) % 3) << "look-at legs cycle z, y, x, " << frame;
            lastAxis = cam.viewaxis;
            ASSERT_EQ(V(cam.viewstart), oldViewDest) << frame;
            ASSERT_EQ(V(cam.view), lastView) << "the look-at point rests two frames, " << frame;
            Vec viewdest = oldViewDest;
            viewdest[kAxisCoordinate[cam.viewaxis]] = static_cast<float>((v % 22000 - 12000) * 10);
            ASSERT_EQ(V(cam.viewdest), viewdest) << frame;
            ASSERT_EQ(cam.viewduration, after % 160 + 60) << frame;
        }
        if (cam.count == cam.duration) {
            ASSERT_EQ(V(cam.eye), V(cam.dest)) << "eye leg ends on its waypoint, " << frame;
        }
        if (cam.viewcount == cam.viewduration) {
            ASSERT_EQ(V(cam.view), V(cam.viewdest)) << frame;
        }

        for (int k = 0; k < 3; ++k) {
            const double eyeLine = cam.start[k] + (static_cast<double>(cam.dest[k]) - cam.start[k]) * cam.count / cam.duration;
            const double viewLine =
                cam.viewstart[k] + (static_cast<double>(cam.viewdest[k]) - cam.viewstart[k]) * cam.viewcount / cam.viewduration;
            ASSERT_NEAR(cam.eye[k], eyeLine, 0.01) << frame;
            ASSERT_NEAR(cam.view[k], viewLine, 0.01) << frame;
        }
        ASSERT_GE(cam.eye[2], 20.0f) << frame;
        ASSERT_LE(cam.eye[2], 20019.0f) << frame;
        for (int k : {0, 1}) {
            ASSERT_GE(cam.eye[k], -10000.0f) << frame;
            ASSERT_LE(cam.eye[k], 6383.5f) << frame;
        }
        lowestView = std::min(lowestView, cam.view[2]);
        lastEye = V(cam.eye);
        lastView = V(cam.view);
    }
    EXPECT_GT(eyeLegs, 60000 / 620);
    EXPECT_GT(viewLegs, 60000 / 220);
    EXPECT_LT(lowestView, -12330.0f) << "nothing keeps the look-at point above the ground";
}
