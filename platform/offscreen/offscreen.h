// A current OpenGL context with nothing on screen: EGL on a device of its own
// (Mesa's software one where there is no GPU), drawing into a pbuffer. Used by
// the GL tests, the benchmarks and the capture tool; needs no X server.
#pragma once

#include <string>

#include "platform/renderer.h"

namespace plat {

class OffscreenGL {
public:
    OffscreenGL() = default;
    ~OffscreenGL() { Close(); }
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    // Creates a width x height RGBA context (8 bits per channel, depth 16,
    // compatibility profile) and makes it current. False with error() set on
    // failure. Batched: an OpenGL ES 3 context instead, with the scene's GL 1.1
    // calls routed through the layer onto it; where there is none, the
    // compatibility one, and fallback() says why.
    bool Open(int width, int height, Renderer renderer = Renderer::Fixed);
    // A new pbuffer of this size under the same context, whose objects and
    // state carry over. False with error() set on failure (the old one stays).
    bool Resize(int width, int height);
    void Close();
    void Swap();  // waits for the frame, as a window's swap does
    const std::string& error() const { return error_; }
    const std::string& fallback() const { return fallback_; }

private:
    bool OpenAs(int width, int height, bool es);

    void* display_ = nullptr;  // EGLDisplay
    void* surface_ = nullptr;  // EGLSurface
    void* context_ = nullptr;  // EGLContext
    void* config_ = nullptr;   // EGLConfig, for pbuffers of other sizes
    std::string error_;
    std::string fallback_;  // why an ES context was asked for and not made; empty otherwise
};

}  // namespace plat
