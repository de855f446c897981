// Builds the scene in an offscreen context and runs a few frames through the
// shell's Draw, as the main loop does, so that a GL tracer can record what one frame issues.
// Usage: frame_probe [frames]; each frame ends with a buffer swap.
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "platform/offscreen/offscreen.h"
#include "scene/scene.h"
#include "shell/core/draw.h"

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 2;
    plat::OffscreenGL gl;
    if (!gl.Open(1024, 768)) {
        std::fprintf(stderr, "frame_probe: %s\n", gl.error().c_str());
        return 1;
    }
    Initialize(1024, 768);
    gl.Swap();  // marks the end of the set-up in a trace
    for (int i = 0; i < frames; ++i) {
        Draw();
        gl.Swap();
    }
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "frame_probe: GL error 0x%x\n", error);
        return 1;
    }
    return 0;
}
