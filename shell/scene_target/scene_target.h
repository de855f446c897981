// The scene drawn into a framebuffer of its own and shown stretched over the
// whole window: at a share of the window's size (--scale, or by itself with a
// software renderer and a large picture), which software renderers draw
// several times faster, and multisampled where the window's own pixel format
// cannot be (a saver's window, or a picture to be stretched).
// The projection stays the window's; only the viewport shrinks. The glow
// texture is the default texture object, so only renderbuffers are used.
#pragma once

#include <GL/gl.h>

#include <cstdint>

#include "shell/core/frame_pieces.h"

// Pixels a software renderer draws at most by itself: about 1920 x 1080.
inline constexpr double SOFTWARE_MAX_PIXELS = 2.1e6;

class SceneTarget : public FramePiece {
public:
    // Makes the framebuffer for a window drawn at width x height pixels and
    // sets the viewport to the scene's share of it. With fitSoftware, a
    // software renderer draws a picture of more than SOFTWARE_MAX_PIXELS at
    // the scale that brings it to that (said once on stderr), unless the
    // window itself is multisampled. Multisampling the driver
    // lacks is dropped, said once on stderr. None is made (framebuffer stays
    // 0) where nothing is left to do (full size, no samples) or the driver has
    // no framebuffer objects (said once): the scene is then drawn straight
    // into the window.
    void Open(int32_t width, int32_t height) override;
    // The window's new drawing size: a framebuffer to match, and its viewport.
    void Resize(int32_t width, int32_t height) override;
    void Begin() override;  // before the frame: draw into the framebuffer
    void End(uint32_t /*tick*/) override { Show(); }
    void Show();            // after it: the picture stretched over the window, which is drawn to from then on
    void Close() override;  // before the context goes

    const char* program = "norvex";     // names the program in what it says on stderr
    float scale = 1.0f;                 // share of the window's size, 0.25..1
    bool fitSoftware = false;           // scale chosen by the renderer and the size (no --scale)
    int32_t samples = 0;                // samples per pixel asked for; 0: none
    int32_t width = 0, height = 0;      // pixels: the window's drawing size
    int32_t sceneWidth = 0, sceneHeight = 0;  // pixels: the scene's, at least 1 each
    GLuint framebuffer = 0;             // where the scene is drawn; 0 while closed
    GLuint color = 0, depth = 0;        // its renderbuffers
    GLuint resolved = 0, resolvedColor = 0;  // multisampled and stretched: the samples resolved first

private:
    bool Allocate();
    void Free();
};
