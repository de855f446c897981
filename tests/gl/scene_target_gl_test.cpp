// The scene's own framebuffer on a real context: the viewport shrinks to the
// scene's share while the projection stays, a picture drawn into it covers the
// whole window, stretched with linear filtering (resolved first when
// multisampled), and the glow texture, object 0, keeps its state throughout.
#include <array>

#include "gl_fixture.h"
#include "shell/scene_target/scene_target.h"

TEST_F(SceneTest, SceneTargetStretchesTheSceneOverTheWindow)
{
    using Ints = std::array<GLint, 4>;
    const auto get = [](GLenum what) { Ints v{}; glGetIntegerv(what, v.data()); return v; };
    const auto red = [](int x, int y) { GLubyte p[4]; glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p); return int{p[0]}; };
    const auto glow = [&] {  // the glow texture's binding, enable and filter
        GLint filter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
        return Ints{get(GL_TEXTURE_BINDING_2D)[0], get(GL_TEXTURE_2D)[0], filter};
    };
    const auto fill = [](int width, GLfloat r, GLfloat g, GLfloat b) {  // the left `width` pixels
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, width, kHeight);
        glClearColor(r, g, b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);  // a stretch would be cut to it
    };
    const Ints glowBefore = glow();
    GLfloat projection[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // Scale, samples; the scene's size and whether it resolves first; a new window size and the viewport then.
    const struct { float scale; int32_t samples; Ints scene; int newW, newH; Ints resized; } rows[] = {
        {0.5f, 0, {0, 0, 32, 32}, 100, 50, {0, 0, 50, 25}},
        {0.25f, 4, {1, 0, 16, 16}, 100, 50, {0, 0, 25, 13}},
        {1.0f, 4, {0, 0, 64, 64}, 100, 50, {0, 0, 100, 50}},  // at the window's size one copy resolves
        {0.3f, 0, {0, 0, 19, 19}, 3, 1, {0, 0, 1, 1}},        // never below one pixel
        {0.5f, 0, {0, 0, 32, 32}, 64, 50, {0, 0, 32, 25}},    // one side alone changes
        {0.5f, 0, {0, 0, 32, 32}, 100, 64, {0, 0, 50, 32}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "scale " << r.scale << ", " << r.samples << " samples");
        SceneTarget target;
        target.scale = r.scale;
        target.samples = r.samples;
        target.Open(kWidth, kHeight);
        ASSERT_NE(target.framebuffer, 0u);
        EXPECT_EQ((Ints{target.resolved != 0, 0, target.sceneWidth, target.sceneHeight}), r.scene);
        EXPECT_EQ(get(GL_VIEWPORT), (Ints{0, 0, r.scene[2], r.scene[3]}));
        fill(kWidth, 0.5f, 0.5f, 0.5f);  // the window grey, kept wherever the stretch would miss
        target.Begin();
        fill(kWidth, 0.0f, 0.0f, 1.0f);  // the scene blue, its left half red
        fill(r.scene[2] / 2, 1.0f, 0.0f, 0.0f);
        target.Show();
        EXPECT_EQ(get(GL_FRAMEBUFFER_BINDING)[0], 0) << "the window is drawn to after Show";
        EXPECT_EQ((Ints{red(0, 0), red(0, kHeight - 1), red(kWidth - 1, 0), red(kWidth - 1, kHeight - 1)}),
                  (Ints{255, 255, 0, 0}));
        // Where red meets blue: a stretch filters linearly, a copy does not.
        bool between = false;
        for (int x = 0; x < kWidth; ++x) between |= red(x, kHeight / 2) % 255 != 0;
        EXPECT_EQ(between, r.scale < 1.0f);
        target.Resize(r.newW, r.newH);
        EXPECT_EQ(get(GL_VIEWPORT), r.resized);
        target.Close();
        EXPECT_EQ(target.framebuffer, 0u);
        glGetFloatv(GL_PROJECTION_MATRIX, after);
        EXPECT_TRUE(std::equal(after, after + 16, projection)) << "the projection changed";
        EXPECT_EQ(glow(), glowBefore);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

// With no --scale, a software renderer (this context's llvmpipe) draws a
// picture of more than about 2.1 million pixels at the share that brings it to
// that, no lower than the least scale, said once a run; a smaller picture goes
// straight into the window.
TEST_F(SceneTest, SoftwareRendererDrawsALargePictureAtAShareOfIt)
{
    // Window size; the scene's size then (0: straight into the window).
    const struct { int w, h, sceneW, sceneH; } rows[] = {
        {2560, 1600, 1833, 1146}, {1920, 1080, 0, 0}, {3840, 2160, 1932, 1087}, {8192, 8192, 2048, 2048}};
    SceneTarget plain;  // scale 1, no samples: straight into the window, whatever the renderer
    plain.Open(2560, 1600);
    EXPECT_EQ(plain.framebuffer, 0u);
    testing::internal::CaptureStderr();
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.w << "x" << r.h);
        SceneTarget target;
        target.fitSoftware = true;
        target.Open(r.w, r.h);
        EXPECT_EQ((std::array{target.framebuffer != 0 ? target.sceneWidth : 0, target.framebuffer != 0 ? target.sceneHeight : 0}),
                  (std::array{r.sceneW, r.sceneH}));
        target.Resize(640, 480);  // small enough again: straight
        EXPECT_EQ(target.framebuffer, 0u);
        target.Close();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("llvmpipe"), std::string::npos) << said;
    EXPECT_NE(said.find("2560x1600 picture is drawn at scale 0.72"), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
