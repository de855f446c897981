// Scene set-up and the frame against a real context: the state Initialize
// leaves, what a second Initialize repeats, a frame's cleanliness, and the
// actors' state surviving a rebuilt context.
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "allocation_counter.h"
#include "gl_fixture.h"
#include "world/crt.h"
#include "scene/pools.h"
#include "scene/scene.h"
#include "shell/core/draw.h"
#include "shell/core/frame.h"

namespace {

// The twelve light colours Initialize will draw from the generator's state now.
std::vector<float> NextLightColours()
{
    const uint32_t saved = crt::g_randState;
    std::vector<float> colours;
    for (int i = 0; i < 12; ++i) colours.push_back(static_cast<float>(crt::rand() % 100) / 100.0f);
    crt::g_randState = saved;
    return colours;
}

template <typename T, size_t N>
std::vector<unsigned char> Bytes(const T (&pool)[N])
{
    const auto* p = reinterpret_cast<const unsigned char*>(pool);
    return {p, p + sizeof pool};
}

}  // namespace

TEST_F(GLTest, InitializeLeavesTheStateTheFrameReliesOnAndRepeatsIt)
{
    // The shell's Initialize keeps the records for Update and sets the scene
    // up for the window's size.
    Keys keys{};
    GL_Window window{};
    window.width = 1024;
    window.height = 768;
    crt::srand(2005);
    std::vector<float> colours = NextLightColours();
    ASSERT_EQ(Initialize(&window, &keys), 1);
    EXPECT_EQ(g_window, &window);
    EXPECT_EQ(g_keys, &keys);

    // 85 degrees vertical, aspect 4/3, near 4, far 100000.
    GLdouble m[16];
    glGetDoublev(GL_PROJECTION_MATRIX, m);
    const double f = 1.0 / std::tan(85.0 * M_PI / 360.0), n = 4.0, far = 100000.0;
    const double expected[16] = {f / (4.0 / 3.0), 0, 0, 0, 0, f, 0, 0,
                                 0, 0, (far + n) / (n - far), -1, 0, 0, 2 * far * n / (n - far), 0};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-6 * (1 + std::fabs(expected[i]))) << i;
    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 768);
    EXPECT_EQ(mode, GL_MODELVIEW);
    for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_LIGHT1, GL_LIGHT2, GL_LIGHT3,
                       GL_POLYGON_OFFSET_FILL})
        EXPECT_TRUE(glIsEnabled(cap)) << std::hex << cap;
    GLfloat factor = 0, units = 0;
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &factor);
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    EXPECT_EQ(factor, -1.0f);
    EXPECT_EQ(units, -2.0f);

    GLint binding = -1, mag = 0, min = 0, width = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &binding);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(binding, 0);
    EXPECT_EQ(mag, GL_LINEAR);
    EXPECT_EQ(min, GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(width, 128);

    auto checkLights = [&](const std::vector<float>& c) {
        for (int i = 0; i < 4; ++i) {
            GLfloat ambient[4], diffuse[4], specular[4];
            glGetLightfv(GL_LIGHT0 + i, GL_AMBIENT, ambient);
            glGetLightfv(GL_LIGHT0 + i, GL_DIFFUSE, diffuse);
            glGetLightfv(GL_LIGHT0 + i, GL_SPECULAR, specular);
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(ambient[k], 0.0f);
                EXPECT_EQ(diffuse[k], 0.0f);
                EXPECT_EQ(specular[k], c[3 * i + k]) << "light " << i << " channel " << k;
            }
            EXPECT_EQ(ambient[3], 1.0f);
            EXPECT_EQ(diffuse[3], 1.0f);
            EXPECT_EQ(specular[3], 1.0f);
        }
    };
    checkLights(colours);

    // A second run, as after a toggle: new colours, the same corners.
    std::vector<unsigned char> corners;
    for (const Carz& box : kar) {
        const auto* p = reinterpret_cast<const unsigned char*>(box.corners);
        corners.insert(corners.end(), p, p + sizeof box.corners);
    }
    colours = NextLightColours();
    ASSERT_EQ(Initialize(1024, 768), 1);
    checkLights(colours);
    size_t at = 0;
    for (const Carz& box : kar) {
        ASSERT_EQ(std::memcmp(box.corners, corners.data() + at, sizeof box.corners), 0);
        at += sizeof box.corners;
    }
}

TEST_F(SceneTest, FrameIsCleanAndAllocatesNothing)
{
    for (int i = 0; i < 3; ++i) Draw();  // the driver compiles its variants on early frames
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const long before = AllocationCount();
    Draw();
    EXPECT_EQ(AllocationCount() - before, 0) << "a frame allocated memory";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(ModelviewDepth(), 1);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    // The first frames look down on the movers gathered at the origin: dark,
    // but lit by the ambient term, never black.
    std::vector<unsigned char> pixels(kWidth * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int brightest = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) brightest = std::max<int>(brightest, pixels[i]);
    EXPECT_GT(brightest, 0);
}

TEST_F(SceneTest, ActorsCarryOnAcrossARebuiltContext)
{
    for (int i = 0; i < 5; ++i) Draw();
    const auto clouds = Bytes(cloudz), movers = Bytes(mover), cameras = Bytes(Zenith), lamps = Bytes(licht);
    const float cloudX = cloudz[0].x, cloudSpeed = cloudz[0].speed;

    // What a toggle does: a new context, Initialize again.
    gl_.Close();
    ASSERT_TRUE(gl_.Open(kWidth, kHeight)) << gl_.error();
    ASSERT_EQ(Initialize(kWidth, kHeight), 1);
    EXPECT_EQ(Bytes(cloudz), clouds);
    EXPECT_EQ(Bytes(mover), movers);
    EXPECT_EQ(Bytes(Zenith), cameras);
    EXPECT_EQ(Bytes(licht), lamps);

    Draw();
    const float next = cloudX + cloudSpeed;
    EXPECT_EQ(cloudz[0].x, next > 120000.0f ? -120000.0f : next) << "the clouds restarted";
    GLint texWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texWidth);
    EXPECT_EQ(texWidth, 128) << "the new context has no glow texture";
}
