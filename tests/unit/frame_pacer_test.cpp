// The frame-rate cap's schedule: a loop that waits what the pacer says, with
// frames of a given cost, starts its frames at these ticks, across the 32-bit
// wrap, after late frames, and without a cap.
#include <gtest/gtest.h>

#include <vector>

#include "shell/frame_pacer.h"

TEST(FramePacer, StartsFramesOnSchedule)
{
    // Cap, first tick, each frame's cost in ms (the last repeats), frames run,
    // the first start ticks after the first tick, and the last one.
    const struct { uint32_t fps; uint32_t first; std::vector<uint32_t> costs; int frames; std::vector<uint32_t> starts; uint32_t last; } rows[] = {
        {60, 0, {5}, 7, {0, 16, 33, 50, 66, 83}, 100},           // 1000/60 ms shared out as 16, 17, 17
        {60, 1234, {1}, 61, {0, 16, 33}, 1000},                   // 60 frames a second, exactly
        {20, 0xFFFFFFC0u, {1}, 5, {0, 50, 100, 150}, 200},        // across the tick count's wrap
        {60, 0, {20, 5}, 4, {0, 20, 33}, 50},                     // a little late: caught up, no burst
        {60, 0, {40, 5}, 4, {0, 40, 56}, 73},                     // a whole period late: a fresh schedule
        {10, 0, {150}, 4, {0, 150, 300}, 450},                    // slower than the cap: never waits
        {0, 0, {3}, 4, {0, 3, 6}, 9},                             // no cap: back to back
        {1000, 0, {0}, 4, {0, 1, 2}, 3},
    };
    for (const auto& r : rows) {
        FramePacer pacer(r.fps);
        uint32_t now = r.first;
        std::vector<uint32_t> starts;
        for (int frame = 0; frame < r.frames; ++frame) {
            now += pacer.Remaining(now);
            EXPECT_EQ(pacer.Remaining(now), 0u) << "waited too little";
            starts.push_back(now - r.first);
            pacer.Started(now);
            now += r.costs[std::min<size_t>(static_cast<size_t>(frame), r.costs.size() - 1)];
        }
        SCOPED_TRACE(testing::Message() << r.fps << " fps from " << r.first);
        EXPECT_EQ(std::vector<uint32_t>(starts.begin(), starts.begin() + static_cast<long>(r.starts.size())), r.starts);
        EXPECT_EQ(starts.back(), r.last);
    }
}
