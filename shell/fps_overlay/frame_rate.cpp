// Counting frames over half-second spans, and the overlay that draws the figure.
#include "shell/fps_overlay/frame_rate.h"

#include <GL/gl.h>

#include <cstdio>

#include "shell/fps_overlay/bitmap_font.h"

void FrameRate::Count(uint32_t tick)
{
    if (!started) {  // the first frame opens the first span
        started = true;
        spanStart = tick;
        frames = 0;
        return;
    }
    ++frames;
    const uint32_t elapsed = tick - spanStart;  // unsigned: right across the 32-bit wrap
    if (elapsed < FRAME_RATE_SPAN_MS) return;
    std::snprintf(text, sizeof text, "FPS: %.1f", frames * 1000.0 / elapsed);
    spanStart = tick;
    frames = 0;
}

void DrawFrameRateText(const char* text)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);

    // Bitmaps take the raster colour, which lighting would compute, and their
    // fragments would be textured, depth-tested and blended like any other.
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TRANSFORM_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    for (GLenum capability : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_ALPHA_TEST, GL_FOG,
                              GL_STENCIL_TEST, GL_SCISSOR_TEST, GL_COLOR_LOGIC_OP, GL_DITHER})
        glDisable(capability);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewport[2], 0.0, viewport[3], -1.0, 1.0);  // one unit per pixel of the viewport
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    const int x = FRAME_RATE_MARGIN, y = FRAME_RATE_MARGIN;
    glColor3f(0.0f, 0.0f, 0.0f);  // a shadow one font pixel down and right keeps it legible on light boxes
    font::DrawText(text, x + font::SCALE, y - font::SCALE);
    glColor3f(1.0f, 1.0f, 1.0f);
    font::DrawText(text, x, y);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopClientAttrib();
    glPopAttrib();  // the matrix mode too
}
