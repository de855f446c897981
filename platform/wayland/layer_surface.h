// One output's layer surface under a Wayland compositor with the layer-shell
// protocol, with an EGL window and an OpenGL context on it: the host of the
// saver loop for --wallpaper (the background layer, no input) and --overlay
// (the overlay layer, all keys, the pointer hidden; the first touch ends it).
// Its own connection: each output is drawn by a process of its own.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/host_event.h"
#include "platform/renderer.h"

namespace plat {

enum class LayerRole { Wallpaper, Overlay };

inline constexpr int LAYER_SHELL_VERSION = 4;   // the newest layer shell we know
inline constexpr int MIN_DEPTH_BITS = 16;       // depth buffer the scene needs, bits

struct LayerState;  // the Wayland and EGL objects, in the .cpp

class LayerSurface {
public:
    LayerSurface();
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    // Connects, puts a layer surface of the role on the output with this
    // registry name (the same name for every client of the compositor), waits
    // for its first size and makes a current OpenGL context on it. False when
    // it cannot: `withdrawn` is set when the output went away meanwhile (no
    // fault, nothing said), otherwise the reason is on stderr. Batched: an
    // OpenGL ES 3 context with the scene's calls through the GL 1.1 layer, or
    // where there is none the usual one, said once on stderr.
    bool Attach(uint32_t outputName, LayerRole role, Renderer renderer = Renderer::Fixed);
    // Waits, in poll() and never spinning, until the compositor asks for the
    // next frame (a covered surface is not asked: it sleeps), or until the run
    // must end: CloseRequest (a stop signal), Dismissed (overlay input),
    // Withdrawn (the output went away), Gone (the connection was lost, said on
    // stderr). Resized when the buffer's pixel size changed since the last call.
    HostEvent Poll();
    // Waits in poll(), dispatching what arrives, for at most this many
    // milliseconds or until a stop signal: a paced loop that still hears input.
    void Wait(uint32_t milliseconds);
    // Asks for the next frame's callback and shows the frame drawn.
    void Swap();
    // Releases the context, the surface and the connection, in reverse order.
    void Detach();

    int width = 0;   // pixels of the buffer: the configured size times the output's scale
    int height = 0;
    bool withdrawn = false;

private:
    std::unique_ptr<LayerState> state_;  // null while detached
};

}  // namespace plat
