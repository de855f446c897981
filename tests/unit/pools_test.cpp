// The pools: built from the unseeded generator in table order, each
// constructor taking its own number of draws, and the same in every process.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "world/crt.h"
#include "scene/pools.h"

namespace {

// The unseeded sequence, long enough to cover every constructor's draws.
std::vector<int> UnseededDraws(int count)
{
    const uint32_t saved = crt::g_randState;
    crt::srand(1);
    std::vector<int> draws(count);
    for (int& d : draws) d = crt::rand();
    crt::g_randState = saved;
    return draws;
}

std::string RunProbe()
{
    std::string out;
    FILE* pipe = popen(POOL_PROBE_PATH, "r");
    if (!pipe) return out;
    std::array<char, 256> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe)) out += buffer.data();
    EXPECT_EQ(pclose(pipe), 0);
    return out;
}

}  // namespace

TEST(Pools, ConstructorsDrawInTableOrder)
{
    const std::vector<int> d = UnseededDraws(POOL_DRAWS);
    constexpr int kLampFirst = 0, kFloorFirst = 4 * 12, kCloudFirst = kFloorFirst + 200 * 8;
    constexpr int kBoxFirst = kCloudFirst + 80 * 6, kMoverFirst = kBoxFirst + 2400 * 12;
    ASSERT_EQ(kMoverFirst + 500 * 7, POOL_DRAWS);

    struct Probe { const char* what; long long got; long long expected; };
    const Probe probes[] = {
        {"licht[0].count", licht[0].count, d[kLampFirst + 7] % 100},
        {"licht[3].timer", licht[3].timer, d[kLampFirst + 3 * 12 + 11] % 120 + 4},
        {"vloer[0].r", vloer[0].r, d[kFloorFirst + 5] % 255},
        {"vloer[199].b", vloer[199].b, d[kFloorFirst + 199 * 8 + 7] % 255},
        {"cloudz[0].x", static_cast<long long>(cloudz[0].x), 2LL * d[kCloudFirst] - 60000},
        {"cloudz[79].z", static_cast<long long>(cloudz[79].z), d[kCloudFirst + 79 * 6 + 2] + 8000LL},
        {"kar[0].length", static_cast<long long>(kar[0].length), d[kBoxFirst + 6] % 450 + 70},
        {"kar[0].blend", kar[0].blend, d[kBoxFirst + 10] % 2},
        {"kar[0].type", kar[0].type, d[kBoxFirst + 11] % 3},
        {"kar[2399].g", kar[2399].g, d[kBoxFirst + 2399 * 12 + 8] % 255},
        {"mover[0].r", mover[0].r, d[kMoverFirst + 2] % 255},
        {"mover[0].dir", mover[0].dir, d[kMoverFirst + 5] % 3},
        {"mover[499].b", mover[499].b, d[kMoverFirst + 499 * 7 + 4] % 255},
    };
    for (const Probe& p : probes) EXPECT_EQ(p.got, p.expected) << p.what;
    for (const Camera& camera : Zenith) EXPECT_EQ(camera.count, 20) << "cameras draw nothing";
}

TEST(Pools, TwoProcessesBuildIdenticalPools)
{
    // The state after exactly POOL_DRAWS draws from the unseeded generator.
    const uint32_t saved = crt::g_randState;
    crt::srand(1);
    for (int i = 0; i < POOL_DRAWS; ++i) crt::rand();
    const uint32_t expected = crt::g_randState;
    crt::g_randState = saved;

    const std::string first = RunProbe();
    const std::string second = RunProbe();
    unsigned state = 0;
    ASSERT_EQ(std::sscanf(first.c_str(), "state %u", &state), 1) << first;
    EXPECT_EQ(state, expected) << "static construction took another number of draws";
    EXPECT_EQ(first, second);
}
