// The frame-rate line on a real context: exactly the font's pixels in white
// over a black shadow in the lower-left corner, nothing else touched, and
// every piece of GL state as the scene left it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/offscreen/offscreen.h"
#include "scene/scene.h"
#include "shell/fps_overlay/bitmap_font.h"
#include "shell/fps_overlay/frame_rate.h"

namespace {

constexpr int kWidth = 160, kHeight = 40;  // pixels: room for "FPS: 12.3" and its shadow
constexpr unsigned char kBackground[3] = {64, 128, 191}, kWhite[3] = {255, 255, 255}, kBlack[3] = {};

// Everything the overlay might touch, as numbers: capabilities, then values with their sizes.
std::vector<GLfloat> StateSnapshot()
{
    std::vector<GLfloat> s;
    for (GLenum cap : {GL_LIGHTING, GL_LIGHT0, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_BLEND, GL_POLYGON_OFFSET_FILL,
                       GL_ALPHA_TEST, GL_FOG, GL_STENCIL_TEST, GL_SCISSOR_TEST, GL_COLOR_LOGIC_OP, GL_DITHER})
        s.push_back(glIsEnabled(cap));
    const struct { GLenum name; int count; } values[] = {
        {GL_CURRENT_COLOR, 4}, {GL_CURRENT_RASTER_POSITION, 4}, {GL_CURRENT_RASTER_COLOR, 4}, {GL_MATRIX_MODE, 1},
        {GL_MODELVIEW_MATRIX, 16}, {GL_PROJECTION_MATRIX, 16}, {GL_MODELVIEW_STACK_DEPTH, 1},
        {GL_PROJECTION_STACK_DEPTH, 1}, {GL_ATTRIB_STACK_DEPTH, 1}, {GL_CLIENT_ATTRIB_STACK_DEPTH, 1},
        {GL_UNPACK_ALIGNMENT, 1}, {GL_UNPACK_ROW_LENGTH, 1}, {GL_UNPACK_SKIP_ROWS, 1}, {GL_UNPACK_LSB_FIRST, 1},
        {GL_VIEWPORT, 4}, {GL_TEXTURE_BINDING_2D, 1}, {GL_BLEND_SRC, 1}, {GL_BLEND_DST, 1}, {GL_SHADE_MODEL, 1},
    };
    for (const auto& v : values) {
        GLfloat f[16] = {};
        glGetFloatv(v.name, f);
        s.insert(s.end(), f, f + v.count);
    }
    return s;
}

// Whether text drawn with its lower-left corner at (x0, y0) lights window pixel (x, y).
bool TextLights(const char* text, int x0, int y0, int x, int y)
{
    const int index = (x - x0) / font::ADVANCE, within = (x - x0) % font::ADVANCE;
    return x >= x0 && y >= y0 && y < y0 + font::HEIGHT && index < static_cast<int>(std::strlen(text)) &&
           within < font::WIDTH && font::Lit(text[index], within / font::SCALE, font::GLYPH_ROWS - 1 - (y - y0) / font::SCALE);
}

}  // namespace

TEST(FrameRateGL, TextPixelsExactlyAndStatePutBack)
{
    plat::OffscreenGL gl;
    ASSERT_TRUE(gl.Open(kWidth, kHeight)) << gl.error();
    Initialize(kWidth, kHeight);  // the scene's own state: lights, depth test, texture, perspective
    // What a frame may leave behind, odd where the overlay must set its own.
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.3f, 0.6f, 0.9f, 0.5f);
    glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
    glRasterPos3f(1.0f, 2.0f, -10.0f);
    for (auto [name, value] : {std::pair{GL_UNPACK_ALIGNMENT, 8}, {GL_UNPACK_ROW_LENGTH, 7},
                               {GL_UNPACK_SKIP_ROWS, 1}, {GL_UNPACK_LSB_FIRST, GL_TRUE}})
        glPixelStorei(name, value);
    glClearColor(kBackground[0] / 255.0f, kBackground[1] / 255.0f, kBackground[2] / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const std::vector<GLfloat> before = StateSnapshot();

    const char* text = "FPS: 12.3";
    DrawFrameRateText(text);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(StateSnapshot(), before);

    std::vector<unsigned char> rgb(kWidth * kHeight * 3);  // rows of 480 bytes: no padding
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    const int x0 = FRAME_RATE_MARGIN, y0 = FRAME_RATE_MARGIN, shadow = font::SCALE;
    int white = 0, black = 0, wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const unsigned char* want = kBackground;
            if (TextLights(text, x0, y0, x, y)) want = kWhite, ++white;
            else if (TextLights(text, x0 + shadow, y0 - shadow, x, y)) want = kBlack, ++black;
            wrong += std::memcmp(&rgb[(y * kWidth + x) * 3], want, 3) != 0;
        }
    }
    EXPECT_TRUE(white > 100 && black > 10) << white << " white, " << black << " black: the text is there at all";
    EXPECT_EQ(wrong, 0) << "pixels that are not the font's, its shadow's or the untouched picture";
}
