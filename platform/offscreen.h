// A current OpenGL context with nothing on screen: SDL's offscreen video
// driver over Mesa. Used by the GL tests, the benchmarks and the capture tool;
// needs no X server.
#pragma once

#include <string>

namespace plat {

class OffscreenGL {
public:
    OffscreenGL() = default;
    ~OffscreenGL() { Close(); }
    OffscreenGL(const OffscreenGL&) = delete;
    OffscreenGL& operator=(const OffscreenGL&) = delete;

    // Creates a width x height double-buffered RGBA context (depth 16, legacy
    // profile, 8 bits per channel) and makes it current. False with error() set on failure.
    bool Open(int width, int height);
    void Close();
    void Swap();  // waits for the frame, as a window's swap does
    const std::string& error() const { return error_; }

private:
    void* window_ = nullptr;   // SDL_Window
    void* context_ = nullptr;  // SDL_GLContext
    std::string error_;
};

}  // namespace plat
