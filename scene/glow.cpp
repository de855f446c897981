// The glow texture: concentric rings of points around (78, 78), a bright core
// over them, then thirty passes of a 2 x 2 box blur that soften the plot and
// shift it half a texel up and left each time, to end centred on (63, 63).
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "scene/glow.h"

unsigned char mtex[GLOW_BYTES];
unsigned char mtexfilter[GLOW_BYTES];

namespace {

constexpr int kTexels = texo * texo;
constexpr int kRingCentre = 78;   // texels, row and column of the plot's centre
constexpr int kRingRadii = 64;    // outer rings: radius 0..63
constexpr int kCoreRadii = 35;    // bright core: radius 0..34

// Texel index of the ring point (radius, degree), or -1 when it lies past the
// end of the image. The image is one run of texels, so a column of 128 or more
// wraps to the start of the next row.
int RingTexel(int radius, int degree)
{
    // The product is exact in double; truncation goes toward zero.
    const int x = kRingCentre + static_cast<int>(radius * static_cast<double>(cosd[degree]));
    const int y = kRingCentre + static_cast<int>(radius * static_cast<double>(sind[degree]));
    const int t = texo * y + x;
    return t < kTexels ? t : -1;
}

void SetTexel(int t, unsigned char grey, unsigned char alpha)
{
    unsigned char* texel = mtex + 4 * t;
    texel[0] = grey;
    texel[1] = grey;
    texel[2] = grey;
    texel[3] = alpha;
}

}  // namespace

void PlotGlowRings()
{
    std::memset(mtex, 0, sizeof mtex);
    // Later writes win, so a texel hit by several radii keeps the outermost.
    for (int i = 0; i < kRingRadii; ++i) {
        const auto value = static_cast<unsigned char>(255 - 4 * i);
        for (int j = 0; j < maxd; ++j) {
            const int t = RingTexel(i, j);
            if (t >= 0) SetTexel(t, value, value);
        }
    }
    for (int i = 0; i < kCoreRadii; ++i) {
        const auto alpha = static_cast<unsigned char>(255 - 3 * i);
        for (int j = 0; j < maxd; ++j) {
            const int t = RingTexel(i, j);
            if (t >= 0) SetTexel(t, 255, alpha);
        }
    }
}

void qblur()
{
    // Each output byte is the mean (rounded down) of the texel, its right
    // neighbour, the one below and the one below-right, in linear addressing;
    // neighbours past the end of the image count as 0.
    constexpr int kRight = 4;
    constexpr int kBelow = 4 * texo;
    constexpr int kBelowRight = kBelow + kRight;
    constexpr int kInterior = GLOW_BYTES - kBelowRight;  // bytes whose neighbours all exist
    for (int b = 0; b < kInterior; ++b) {
        mtexfilter[b] = static_cast<unsigned char>(
            (mtex[b] + mtex[b + kRight] + mtex[b + kBelow] + mtex[b + kBelowRight]) >> 2);
    }
    for (int b = kInterior; b < GLOW_BYTES; ++b) {
        int sum = mtex[b];
        if (b + kRight < GLOW_BYTES) sum += mtex[b + kRight];
        if (b + kBelow < GLOW_BYTES) sum += mtex[b + kBelow];
        mtexfilter[b] = static_cast<unsigned char>(sum >> 2);
    }
    std::memcpy(mtex, mtexfilter, sizeof mtex);
}

void BuildGlowImage()
{
    PlotGlowRings();
    for (int pass = 0; pass < GLOW_BLUR_PASSES; ++pass) qblur();
}

void settexmap01()
{
    BuildGlowImage();
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, texo, texo, GL_RGBA, GL_UNSIGNED_BYTE, mtex);
}
