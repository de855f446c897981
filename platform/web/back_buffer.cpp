// The back buffer as a framebuffer of WebGL 2's own, drawn to by everything
// and blitted to the canvas once a frame.
#include "platform/web/back_buffer.h"

#include <GLES3/gl3.h>

namespace plat::page {
namespace {

struct BackBuffer {
    GLuint framebuffer, color, depth;
    GLenum depthFormat;
    int width, height;  // pixels; 0 until sized
};

BackBuffer g_back = {};

}  // namespace

void AttachBackBuffer(int depthBits)
{
    g_back = BackBuffer{};
    g_back.depthFormat = depthBits == 0 ? GL_NONE : depthBits <= 16 ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24;
    glGenFramebuffers(1, &g_back.framebuffer);
    glGenRenderbuffers(1, &g_back.color);
    if (g_back.depthFormat != GL_NONE) glGenRenderbuffers(1, &g_back.depth);
    ResizeBackBuffer(1, 1);  // complete from the start; the window's size follows
}

void ResizeBackBuffer(int width, int height)
{
    if (g_back.framebuffer == 0 || (width == g_back.width && height == g_back.height)) return;
    g_back.width = width;
    g_back.height = height;
    glBindRenderbuffer(GL_RENDERBUFFER, g_back.color);
    // No alpha, as the canvas has none: a blit would carry it into the picture.
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGB8, width, height);
    if (g_back.depth != 0) {
        glBindRenderbuffer(GL_RENDERBUFFER, g_back.depth);
        glRenderbufferStorage(GL_RENDERBUFFER, g_back.depthFormat, width, height);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, g_back.framebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, g_back.color);
    if (g_back.depth != 0)
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, g_back.depth);
}

void ShowBackBuffer()
{
    if (g_back.framebuffer == 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, g_back.framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // Chromium tells a canvas changed, and first clears what it showed last,
    // on a clear but not on a blit: a clear that writes nothing comes first.
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glClear(GL_COLOR_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBlitFramebuffer(0, 0, g_back.width, g_back.height, 0, 0, g_back.width, g_back.height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, g_back.framebuffer);
}

void BindBackBuffer()
{
    if (g_back.framebuffer != 0) glBindFramebuffer(GL_FRAMEBUFFER, g_back.framebuffer);
}

// The objects go with the context.
void DetachBackBuffer() { g_back = BackBuffer{}; }

}  // namespace plat::page
