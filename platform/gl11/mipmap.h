// The mipmap chain that gluBuild2DMipmaps makes from a power-of-two RGBA image:
// each level the box-filtered half of the one above, down to 1 x 1.
#pragma once

#include <cstddef>
#include <cstdint>

namespace gl11 {

inline constexpr bool IsPowerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

// Levels below one of width x height, the level itself included: 8 for 128 x 128.
int MipLevelCount(int width, int height);

// Writes the next level of a width x height RGBA image (both powers of two, not
// both 1): each texel the rounded mean of the 2 x 2 (or 2 x 1) texels above it.
// dst holds max(width / 2, 1) x max(height / 2, 1) texels.
void HalveImage(const uint8_t* src, int width, int height, uint8_t* dst);

}  // namespace gl11
