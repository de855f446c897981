// A current OpenGL context with nothing on screen: EGL on a device of its own
// (Mesa's software one where there is no GPU), drawing into a pbuffer. Used by
// the GL tests, the benchmarks and the capture tool; needs no X server.
#pragma once

#include <string>

namespace plat {

class OffscreenGL {
public:
    OffscreenGL() = default;
    ~OffscreenGL() { Close(); }
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    // Creates a width x height RGBA context (8 bits per channel, depth 16,
    // compatibility profile) and makes it current. False with error() set on failure.
    bool Open(int width, int height);
    void Close();
    void Swap();  // waits for the frame, as a window's swap does
    const std::string& error() const { return error_; }

private:
    void* display_ = nullptr;  // EGLDisplay
    void* surface_ = nullptr;  // EGLSurface
    void* context_ = nullptr;  // EGLContext
    std::string error_;
};

}  // namespace plat
