// The X visual for a desktop OpenGL window whose buffers are the closest to
// the pixel format asked for. GLX hands out the largest depth buffer it has
// (32 bits here for 16 asked), and depth ties between boxes then resolve
// otherwise than in norvex-capture's 16 bits: the same calls, other pixels.
#pragma once

#include <cstdint>
#include <span>

namespace plat::x11 {

// One GLX framebuffer configuration that has an X visual.
struct GLConfig {
    int red, green, blue, alpha;  // bits
    int depth, stencil;           // bits
    int samples;                  // per pixel; 0: none
    bool doubleBuffer;
    bool trueColor;               // a TrueColor visual (else DirectColor)
    uint32_t visual;              // the visual's ID
};

// Index of the closest configuration to `wanted` in `offered`, -1 when none
// qualifies. It must have exactly the colour bits asked for, at least the
// alpha, depth and stencil bits and double buffering if asked; of those the
// samples asked for first (else the fewest), then the fewest surplus depth,
// stencil and alpha bits, and TrueColor before DirectColor.
int ClosestConfig(std::span<const GLConfig> offered, const GLConfig& wanted);

// The visual of the closest configuration on the X display named by DISPLAY;
// 0 when there is no display or nothing qualifies.
uint32_t ClosestVisual(const GLConfig& wanted);

}  // namespace plat::x11
