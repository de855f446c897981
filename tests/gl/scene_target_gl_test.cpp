// The scene's own framebuffer on a real context: the viewport shrinks to the
// scene's share while the projection stays, a picture drawn into it covers the
// whole window stretched with linear filtering (resolved first when
// multisampled), and the glow texture, object 0, keeps its state throughout.
#include <array>

#include "gl_fixture.h"
#include "shell/scene_target.h"

namespace {

using Rgb = std::array<int, 3>;

// Clears each quarter of the viewport to its own colour.
void DrawQuarters(int width, int height, const Rgb (&colours)[4])
{
    glEnable(GL_SCISSOR_TEST);
    for (int q = 0; q < 4; ++q) {
        const int x = q % 2 * (width / 2), y = q / 2 * (height / 2);
        glScissor(x, y, q % 2 ? width - x : width / 2, q / 2 ? height - y : height / 2);
        glClearColor(colours[q][0] / 255.0f, colours[q][1] / 255.0f, colours[q][2] / 255.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

Rgb Pixel(int x, int y)
{
    unsigned char p[4] = {};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

// The texture state the frame relies on: binding, filters, level 0's width.
std::array<GLint, 4> GlowState()
{
    std::array<GLint, 4> s{};
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s[0]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &s[1]);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &s[2]);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &s[3]);
    return s;
}

}  // namespace

TEST_F(SceneTest, SceneTargetStretchesTheSceneOverTheWindow)
{
    const Rgb quarters[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
    // Scale, samples; the scene's size, whether a resolve step is needed; a
    // new window size and the scene's viewport then.
    const struct { float scale; int32_t samples; int sceneW, sceneH; bool resolves; int newW, newH, viewW, viewH; } rows[] = {
        {0.5f, 0, 32, 32, false, 100, 50, 50, 25},
        {0.25f, 4, 16, 16, true, 100, 50, 25, 13},
        {1.0f, 4, 64, 64, false, 100, 50, 100, 50},  // multisampled at the window's size: resolved by the one copy
        {0.3f, 0, 19, 19, false, 3, 1, 1, 1},         // never below one pixel
    };
    const auto glow = GlowState();
    GLfloat projection[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "scale " << r.scale << ", " << r.samples << " samples");
        SceneTarget target;
        target.scale = r.scale;
        target.samples = r.samples;
        ASSERT_TRUE(target.Open(kWidth, kHeight));
        EXPECT_EQ(target.sceneWidth, r.sceneW);
        EXPECT_EQ(target.sceneHeight, r.sceneH);
        EXPECT_EQ(target.resolved != 0, r.resolves);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], r.sceneW);
        EXPECT_EQ(viewport[3], r.sceneH);

        glClearColor(0.5f, 0.5f, 0.5f, 1.0f);  // the window before: grey, wherever the stretch misses
        glClear(GL_COLOR_BUFFER_BIT);
        target.Begin();
        DrawQuarters(r.sceneW, r.sceneH, quarters);
        target.Show();
        GLint bound = -1;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
        EXPECT_EQ(bound, 0) << "the window is drawn to after Show";
        const int corners[4][2] = {{0, 0}, {kWidth - 1, 0}, {0, kHeight - 1}, {kWidth - 1, kHeight - 1}};
        for (int q = 0; q < 4; ++q) EXPECT_EQ(Pixel(corners[q][0], corners[q][1]), quarters[q]) << "corner " << q;
        // Where red meets green on the bottom row: a stretch filters linearly, a copy does not.
        bool between = false;
        for (int x = 0; x < kWidth; ++x) between |= Pixel(x, 0)[0] % 255 != 0;
        EXPECT_EQ(between, r.scale < 1.0f);

        target.Resize(r.newW, r.newH);
        glGetIntegerv(GL_VIEWPORT, viewport);
        EXPECT_EQ(viewport[2], r.viewW);
        EXPECT_EQ(viewport[3], r.viewH);
        target.Close();
        EXPECT_EQ(target.framebuffer, 0u);
        glGetFloatv(GL_PROJECTION_MATRIX, after);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]) << "projection element " << i;
        EXPECT_EQ(GlowState(), glow);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}
