// Display modes: what the shell requests for full screen, and the rule that
// decides whether a mode the display offers is that mode.
#pragma once

namespace plat {

struct DisplayMode {
    int width;          // pixels
    int height;         // pixels
    int bitsPerPixel;   // colour depth; 24 and 32 are the same true-colour depth
};

// Only the exact size will do: SDL's "closest" mode may be a larger one. The
// desktop's 32-bit format is reported as 24 bits, so 24 and 32 are one depth.
constexpr bool ModeMatches(const DisplayMode& requested, const DisplayMode& offered)
{
    const auto depth = [](int bits) { return bits == 32 ? 24 : bits; };
    return requested.width == offered.width && requested.height == offered.height &&
           depth(requested.bitsPerPixel) == depth(offered.bitsPerPixel);
}

}  // namespace plat
