// The real demo, frame after frame, in an offscreen 1024 x 768 context for a
// stretch of time (NORVEX_LONG_RUN_SECONDS, 180 by default): no frame leaves a
// GL error and the resident memory stays flat once the driver has warmed up.
// The driver's per-frame memory follows the view (tens of MB between a busy
// and an empty one, and a view can last hundreds of frames), so memory is
// compared by its floor: the least resident size seen from 20% to 60% of the
// run against that in the last 40%. A leak raises the floor; a busy view does not.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/crt.h"
#include "platform/offscreen.h"
#include "scene/scene.h"
#include "shell/shell.h"

namespace {

constexpr long kDefaultSeconds = 180;
constexpr long kGrowthKb = 2048;

long RunSeconds()
{
    const char* text = std::getenv("NORVEX_LONG_RUN_SECONDS");
    if (text == nullptr) return kDefaultSeconds;
    char* end = nullptr;
    const long seconds = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && seconds > 0 ? seconds : kDefaultSeconds;
}

// VmRSS of this process, kB; -1 when it cannot be read.
long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

}  // namespace

TEST(LongRun, OffscreenDemoRaisesNoGLErrorAndKeepsItsMemoryFlat)
{
    using Clock = std::chrono::steady_clock;
    const long seconds = RunSeconds();

    plat::OffscreenGL gl;
    ASSERT_TRUE(gl.Open(1024, 768)) << gl.error();
    crt::srand(20051208);
    Keys keys{};
    GL_Window window{};
    window.keys = &keys;
    window.width = 1024;
    window.height = 768;
    ASSERT_EQ(Initialize(&window, &keys), 1);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Floors of the resident size by fifth of the run; the first fifth warms the driver up.
    constexpr int kFifths = 5;
    long floorKb[kFifths] = {-1, -1, -1, -1, -1};
    const auto start = Clock::now();
    const auto length = std::chrono::duration<double>(seconds);
    long frames = 0, framesWithError = 0, firstError = 0;
    for (auto now = start; now - start < length; now = Clock::now()) {
        Draw();
        gl.Swap();
        ++frames;
        if (const GLenum error = glGetError(); error != GL_NO_ERROR && framesWithError++ == 0) firstError = frames;
        const int fifth = static_cast<int>((now - start) / length * kFifths);
        const long kb = ResidentKb();
        if (fifth < kFifths && kb > 0 && (floorKb[fifth] < 0 || kb < floorKb[fifth])) floorKb[fifth] = kb;
    }
    const double took = std::chrono::duration<double>(Clock::now() - start).count();
    std::printf("long run: %ld frames in %.0f s (%.1f fps); least VmRSS by fifth: %ld %ld %ld %ld %ld kB\n",
                frames, took, frames / took, floorKb[0], floorKb[1], floorKb[2], floorKb[3], floorKb[4]);
    RecordProperty("frames", static_cast<int>(frames));

    EXPECT_EQ(framesWithError, 0) << "first GL error after frame " << firstError;
    const auto least = [](long a, long b) { return a < 0 ? b : b < 0 ? a : std::min(a, b); };
    const long earlyKb = least(floorKb[1], floorKb[2]);
    const long lateKb = least(floorKb[3], floorKb[4]);
    ASSERT_GT(earlyKb, 0) << "no memory reading from 20% to 60% of the run";
    ASSERT_GT(lateKb, 0) << "no memory reading in the last 40% of the run";
    EXPECT_LE(lateKb - earlyKb, kGrowthKb) << "the resident floor rose from " << earlyKb << " kB to " << lateKb << " kB";
}
