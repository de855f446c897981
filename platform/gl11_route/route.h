// Where the GL 1.1 and GLU calls of the scene, the shell and its pieces go on
// the desktop: straight to the driver, or through the GL 1.1 layer onto an
// OpenGL ES 3 context. The library defines those gl* names (the list in
// platform/gl11/entry_points.h) in the program that links it, so that they
// come before the driver's; a backend says which way once its context is current.
#pragma once

namespace gl11route {

enum class Route {
    Driver,   // the driver's fixed function, as the scene was written for
    Layer,    // the layer, batching into ES draws
    Nowhere,  // dropped: a flight flown on without drawing
};

// After a context is made current: through the layer, opened on it with its
// ES table filled from the driver, when `es` (an ES 3 context); straight to
// the driver otherwise. False, with the reason in gl11::OpenError(), when the
// layer cannot be opened there (the calls then go to the driver).
bool Start(bool es);
// Before the context goes: the layer forgets it; calls go to the driver again.
void Stop();
// Before a swap or a read of the picture: the layer draws what it holds.
void Flush();
Route Current();
void Set(Route route);

// One line on stderr, once a run: no ES 3 context could be had (why), so the
// scene is drawn by the driver's fixed function instead.
void SayFixed(const char* program, const char* why);

// The driver's function of this name, not this library's own.
void* DriverFunction(const char* name);
// The layer's ES table filled with the driver's functions.
void UseDriverEs();

}  // namespace gl11route
