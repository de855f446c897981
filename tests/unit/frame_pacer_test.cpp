// The frame-rate cap's schedule: a loop that waits what the pacer says starts
// its frames at these ticks, across the wrap, after late frames, uncapped.
#include <gtest/gtest.h>

#include <vector>

#include "shell/core/frame_pacer.h"

TEST(FramePacer, StartsFramesOnSchedule)
{
    // Cap, first tick, frame costs in ms (the last repeats), frames, and the
    // first few start ticks after the first tick, then the last frame's.
    const struct { uint32_t fps, first; std::vector<uint32_t> costs; size_t frames; std::vector<uint32_t> starts; }
        rows[] = {
        {60, 0, {5}, 7, {0, 16, 33, 50, 66, 83, 100}},      // 1000/60 ms shared out as 16, 17, 17
        {60, 1234, {1}, 61, {0, 16, 33, 1000}},              // 60 frames a second, exactly
        {20, 0xFFFFFFC0u, {1}, 5, {0, 50, 100, 150, 200}},   // across the tick count's wrap
        {60, 0, {20, 5}, 4, {0, 20, 33, 50}},                // a little late: caught up, no burst
        {60, 0, {40, 5}, 4, {0, 40, 56, 73}},                // a whole period late: a fresh schedule
        {10, 0, {150}, 4, {0, 150, 300, 450}},               // slower than the cap: never waits
        {0, 0, {3}, 4, {0, 3, 6, 9}},                        // no cap: back to back
    };
    for (const auto& r : rows) {
        FramePacer pacer(r.fps);
        uint32_t now = r.first;
        std::vector<uint32_t> starts;
        for (size_t frame = 0; frame < r.frames; ++frame) {
            now += pacer.Remaining(now);
            EXPECT_EQ(pacer.Remaining(now), 0u) << "waited too little";
            starts.push_back(now - r.first);
            pacer.Started(now);
            now += r.costs[std::min(frame, r.costs.size() - 1)];
        }
        starts.erase(starts.begin() + static_cast<long>(r.starts.size()) - 1, starts.end() - 1);
        EXPECT_EQ(starts, r.starts) << r.fps << " fps from " << r.first;
    }
}
