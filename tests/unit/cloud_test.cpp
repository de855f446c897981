// Clouds: the six constructor draws in their order and their bounds, and the
// drift with its strict wrap at twice the world's half-extent.
#include <gtest/gtest.h>

#include "actors/cloud.h"
#include "forced_draws.h"

TEST(Cloud, ConstructorTakesSixDrawsInOrder)
{
    for (uint32_t seed : {1u, 77u, 31337u, 0xFFFFFFFFu}) {
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 7);
        const Cloud c;
        SCOPED_TRACE(seed);
        EXPECT_EQ(c.x, static_cast<float>(2 * d[0] - 60000));
        EXPECT_EQ(c.y, static_cast<float>(2 * d[1] - 60000));
        EXPECT_EQ(c.z, static_cast<float>(d[2] + 8000));
        EXPECT_EQ(c.sx, static_cast<float>(d[3] % 16000) / 50.0f + 250.0f);
        EXPECT_EQ(c.sy, static_cast<float>(d[4] % 16000) / 50.0f + 250.0f);
        EXPECT_EQ(c.speed, static_cast<float>(d[5] % 1000) / 20.0f + 24.0f);
        EXPECT_EQ(crt::rand(), d[6]) << "the constructor must take exactly six draws";
    }

    const forced::Edge<float Cloud::*, float> edges[] = {
        {0, 0, &Cloud::x, -60000.0f},    {0, 32767, &Cloud::x, 5534.0f},   {1, 32767, &Cloud::y, 5534.0f},
        {2, 0, &Cloud::z, 8000.0f},      {2, 32767, &Cloud::z, 40767.0f},  {3, 0, &Cloud::sx, 250.0f},
        {3, 15999, &Cloud::sx, 569.98f}, {4, 16000, &Cloud::sy, 250.0f},   {5, 0, &Cloud::speed, 24.0f},
        {5, 999, &Cloud::speed, 73.95f}, {5, 1000, &Cloud::speed, 24.0f},
    };
    forced::CheckEdges<Cloud>(edges);
}

TEST(Cloud, DriftsAlongXAndWrapsStrictlyPastTwiceTheWorld)
{
    struct Case {
        float x, speed;
        int calls;
        float expected;
    };
    const Case cases[] = {
        {119990.0f, 24.0f, 1, -120000.0f},  // 120014 wraps in the same call, overshoot dropped
        {119976.0f, 24.0f, 1, 120000.0f},   // exactly 120000 stays for this frame
        {119976.0f, 24.0f, 2, -120000.0f},  // and wraps on the next
        {-120000.0f, 50.0f, 1, -119950.0f},
        {5534.0f, 73.5f, 2, 5681.0f},
    };
    for (const Case& c : cases) {
        Cloud cloud;
        cloud.x = c.x;
        cloud.speed = c.speed;
        const Cloud before = cloud;
        for (int i = 0; i < c.calls; ++i) cloud.CalcCloud();
        EXPECT_EQ(cloud.x, c.expected) << c.x << " + " << c.calls << " x " << c.speed;
        EXPECT_EQ(cloud.y, before.y);
        EXPECT_EQ(cloud.z, before.z);
        EXPECT_EQ(cloud.speed, before.speed);
    }
}
