// Floor glows: the eight constructor draws in their order, and the edge values
// of each placement formula.
#include <gtest/gtest.h>

#include <algorithm>

#include "actors/floor.h"
#include "forced_draws.h"

TEST(Floor, ConstructorTakesEightDrawsInOrder)
{
    for (uint32_t seed : {1u, 2u, 4242u, 0xDEADBEEFu}) {
        crt::srand(seed);
        const std::vector<int> d = forced::Replay(seed, 9);
        const Floor f;
        SCOPED_TRACE(seed);
        EXPECT_EQ(f.x, static_cast<float>(2 * d[0] - 60000));
        EXPECT_EQ(f.y, static_cast<float>(2 * d[1] - 60000));
        EXPECT_EQ(f.z, static_cast<float>(d[2] % 600 - 300) / 10.0f - 500.0f);
        EXPECT_EQ(f.sx, std::max(10.0f, static_cast<float>(d[3] % 16000 - 8000) / 20.0f));
        EXPECT_EQ(f.sy, std::max(10.0f, static_cast<float>(d[4] % 16000 - 8000) / 20.0f));
        EXPECT_EQ(f.r, d[5] % 255);
        EXPECT_EQ(f.g, d[6] % 255);
        EXPECT_EQ(f.b, d[7] % 255);
        EXPECT_EQ(crt::rand(), d[8]) << "the constructor must take exactly eight draws";
    }
}

TEST(Floor, EdgeDrawsGiveTheirBounds)
{
    using Case = forced::Edge<double (*)(const Floor&), double>;
    const auto x = [](const Floor& f) -> double { return f.x; };
    const auto y = [](const Floor& f) -> double { return f.y; };
    const auto z = [](const Floor& f) -> double { return f.z; };
    const auto sx = [](const Floor& f) -> double { return f.sx; };
    const auto sy = [](const Floor& f) -> double { return f.sy; };
    const auto r = [](const Floor& f) -> double { return f.r; };
    const auto b = [](const Floor& f) -> double { return f.b; };
    const Case cases[] = {
        {0, 0, x, -60000.0},         {0, 32767, x, 5534.0},       {1, 32767, y, 5534.0},
        {2, 0, z, -530.0},           {2, 599, z, -470.1f},        {2, 600, z, -530.0},
        {3, 8199, sx, 10.0},         {3, 8200, sx, 10.0},         {3, 8201, sx, 10.05f},
        {3, 0, sx, 10.0},            {3, 32767, sx, 10.0},        {3, 15999, sx, 399.95f},
        {4, 8199, sy, 10.0},         {4, 24199, sy, 10.0},        {4, 31999, sy, 399.95f},
        {5, 254, r, 254.0},          {5, 255, r, 0.0},            {7, 32767, b, 127.0},
    };
    forced::CheckEdges<Floor>(cases);
}
