// How the scene's GL 1.1 calls are drawn: straight by the driver's fixed
// function (Fixed), or batched by the GL 1.1 layer (platform/gl11) on an
// OpenGL ES 3 context that the backend makes instead (Batched).
#pragma once

namespace plat {

enum class Renderer { Fixed, Batched };

}  // namespace plat
