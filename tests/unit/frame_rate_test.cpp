// The frame-rate figure: frames counted over half-second spans from the tick
// count, right across its 32-bit wrap, "--" until the first span ends.
#include <gtest/gtest.h>

#include <string>

#include "shell/fps_overlay/frame_rate.h"

TEST(FrameRate, CountsOverHalfSecondSpans)
{
    const struct { const char* what; uint32_t start, step; int frames; const char* text; } rows[] = {
        {"first frame only", 1000, 100, 0, "FPS: --"},       {"span not over", 1000, 100, 4, "FPS: --"},
        {"10 per second", 1000, 100, 5, "FPS: 10.0"},       {"across the wrap", 0xFFFFFF00u, 50, 10, "FPS: 20.0"},
        {"slow frames", 0, 1500, 1, "FPS: 0.7"},
        {"next span started", 0, 20, 30, "FPS: 50.0"},  // 25 frames close the first span; 5 more do not
        {"second span", 0, 20, 50, "FPS: 50.0"},        // counted afresh: 25 frames, not 50
    };
    for (const auto& r : rows) {
        FrameRate rate;
        for (int i = 0; i <= r.frames; ++i) rate.Count(r.start + static_cast<uint32_t>(i) * r.step);
        EXPECT_EQ(std::string(rate.text), r.text) << r.what;
    }
}
