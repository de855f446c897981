// The scene's GL 1.1 and GLU calls in the layer's test program go where the
// test sends them: to the native driver, as on the desktop; through the
// fixed-function layer, as on the page; or nowhere, to fly the world on fast.
#pragma once

enum class SceneRoute { Native, Layer, Nowhere };
extern SceneRoute g_sceneRoute;  // Native unless a test says otherwise

// The native driver's function of this name, not this program's own.
void* DriverFunction(const char* name);
