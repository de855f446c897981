// Counting frames over half-second spans, and the overlay that draws the figure.
#include "shell/fps_overlay/frame_rate.h"

#include <GL/gl.h>

#include <cstdio>
#include <iterator>

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

namespace {

// The switches the text needs off, and the client arrays it needs as it
// finds them: both renderers serve these.
constexpr GLenum kCapabilities[] = {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_BLEND, GL_POLYGON_OFFSET_FILL};
constexpr GLenum kArrays[] = {GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_TEXTURE_COORD_ARRAY};

// What the text changes, taken before and put back after.
struct Saved {
    GLboolean capabilities[std::size(kCapabilities)];
    GLboolean arrays[std::size(kArrays)];
    GLint matrixMode, vertexSize, vertexType, vertexStride;
    void* vertexPointer;
    GLfloat colour[4];
};

void Switch(GLenum name, bool on, bool array)
{
    if (array) (on ? glEnableClientState : glDisableClientState)(name);
    else (on ? glEnable : glDisable)(name);
}

}  // namespace

void DrawFrameRateText(const char* text)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    Saved saved{};
    for (size_t i = 0; i < std::size(kCapabilities); ++i) saved.capabilities[i] = glIsEnabled(kCapabilities[i]);
    for (size_t i = 0; i < std::size(kArrays); ++i) saved.arrays[i] = glIsEnabled(kArrays[i]);
    glGetIntegerv(GL_MATRIX_MODE, &saved.matrixMode);
    glGetIntegerv(GL_VERTEX_ARRAY_SIZE, &saved.vertexSize);
    glGetIntegerv(GL_VERTEX_ARRAY_TYPE, &saved.vertexType);
    glGetIntegerv(GL_VERTEX_ARRAY_STRIDE, &saved.vertexStride);
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &saved.vertexPointer);
    glGetFloatv(GL_CURRENT_COLOR, saved.colour);

    // Unlit, untextured, undepth-tested and unblended, from the vertex array alone.
    for (GLenum capability : kCapabilities) glDisable(capability);
    for (GLenum array : kArrays) Switch(array, array == GL_VERTEX_ARRAY, true);
    // One unit per pixel of the viewport, as glOrtho(0, width, 0, height, -1, 1) makes it.
    const GLfloat pixels[16] = {2.0f / static_cast<GLfloat>(viewport[2]), 0, 0, 0, 0,
                                2.0f / static_cast<GLfloat>(viewport[3]), 0, 0, 0, 0, -1, 0, -1, -1, 0, 1};
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadMatrixf(pixels);
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
    glMatrixMode(static_cast<GLenum>(saved.matrixMode));
    glColor4f(saved.colour[0], saved.colour[1], saved.colour[2], saved.colour[3]);
    glVertexPointer(saved.vertexSize, static_cast<GLenum>(saved.vertexType), saved.vertexStride, saved.vertexPointer);
    for (size_t i = 0; i < std::size(kArrays); ++i) Switch(kArrays[i], saved.arrays[i], true);
    for (size_t i = 0; i < std::size(kCapabilities); ++i) Switch(kCapabilities[i], saved.capabilities[i], false);
}
