// The real demo, frame after frame, in an offscreen 1024 x 768 context for
// 8000 frames (NORVEX_LONG_RUN_FRAMES): no frame leaves a GL error and the
// memory the allocator has handed out stays flat once the driver has warmed up.
// The flight advances by the frame, so frame N shows the same view on every
// machine. The driver's per-frame memory follows the view (tens of MB between
// a busy and an empty one, and a view can last hundreds of frames), and the
// busiest view so far is met some 2500 frames in. So the first 3000 frames are
// a warm-up; what follows is split in two halves, and the least heap in use of
// the second is compared with that of the first: a leak raises the floor, a
// busy view does not. Mesa's shader cache on disk is turned off: whether a
// shader comes from it or is compiled changes the driver's memory by megabytes,
// and with it off the heap at frame N is the same, to some kilobytes, run after
// run. The resident size is no measure of a leak: the allocator keeps the
// pages its per-thread arenas once touched, more arenas with more cores, so it
// follows the busiest view met so far.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "world/crt.h"
#include "platform/offscreen/offscreen.h"
#include "scene/scene.h"
#include "shell/core/draw.h"

namespace {

constexpr long kDefaultFrames = 8000;
constexpr long kWarmUpFrames = 3000;
constexpr long kGrowthKb = 2048;

long RunFrames()
{
    const char* text = std::getenv("NORVEX_LONG_RUN_FRAMES");
    if (text == nullptr) return kDefaultFrames;
    char* end = nullptr;
    const long frames = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && frames > kWarmUpFrames + 1 ? frames : kDefaultFrames;
}

// What the allocator has handed out and not had back, over all its arenas, kB.
long HeapInUseKb()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

}  // namespace

TEST(LongRun, OffscreenDemoRaisesNoGLErrorAndKeepsItsMemoryFlat)
{
    using Clock = std::chrono::steady_clock;
    const long frames = RunFrames();
    const long half = kWarmUpFrames + (frames - kWarmUpFrames) / 2;

    setenv("MESA_SHADER_CACHE_DISABLE", "true", 1);
    plat::OffscreenGL gl;
    ASSERT_TRUE(gl.Open(1024, 768)) << gl.error();
    crt::srand(20051208);
    ASSERT_EQ(Initialize(1024, 768), 1);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Floors of the heap in use: during the warm-up, then in each half of the rest.
    long floorKb[3] = {-1, -1, -1};
    long framesWithError = 0, firstError = 0;
    const auto start = Clock::now();
    for (long frame = 1; frame <= frames; ++frame) {
        Draw();
        gl.Swap();
        if (const GLenum error = glGetError(); error != GL_NO_ERROR && framesWithError++ == 0) firstError = frame;
        const int phase = frame <= kWarmUpFrames ? 0 : frame <= half ? 1 : 2;
        const long kb = HeapInUseKb();
        if (floorKb[phase] < 0 || kb < floorKb[phase]) floorKb[phase] = kb;
    }
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("long run: %ld frames in %.0f s (%.1f fps); least heap in use: warm-up %ld, then %ld and %ld kB\n",
                frames, took, frames / took, floorKb[0], floorKb[1], floorKb[2]);

    EXPECT_EQ(framesWithError, 0) << "first GL error after frame " << firstError;
    EXPECT_LE(floorKb[2] - floorKb[1], kGrowthKb)
        << "the heap's floor rose from " << floorKb[1] << " kB to " << floorKb[2] << " kB";
}
