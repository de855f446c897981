// The glow image and the degree tables: the ring plot before blurring, single
// blur passes on small pictures, and the known properties of the finished image.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "scene/glow.h"

namespace {

using Rgba = std::array<int, 4>;

Rgba TexelAt(int row, int col)
{
    const unsigned char* p = mtex + 4 * (texo * row + col);
    return {p[0], p[1], p[2], p[3]};
}

int Red(int row, int col) { return mtex[4 * (texo * row + col)]; }
int Alpha(int row, int col) { return mtex[4 * (texo * row + col) + 3]; }

}  // namespace

TEST(Glow, DegreeTablesUseTheShortPi)
{
    FillDegreeTables();
    // Exact where the short pi still gives exact floats.
    EXPECT_EQ(cosd[0], 1.0f);
    EXPECT_EQ(sind[0], 0.0f);
    EXPECT_EQ(sind[90], 1.0f);
    EXPECT_EQ(cosd[180], -1.0f);
    EXPECT_EQ(sind[270], -1.0f);
    // Tiny but not zero where the full pi would give zero.
    struct Tiny { const float* table; int degree; double low, high; };
    const Tiny tiny[] = {{cosd, 90, 1.7e-9, 1.9e-9}, {sind, 180, 3.5e-9, 3.7e-9}, {cosd, 270, -5.5e-9, -5.3e-9}};
    for (const Tiny& t : tiny) {
        EXPECT_GT(t.table[t.degree], t.low) << t.degree;
        EXPECT_LT(t.table[t.degree], t.high) << t.degree;
    }
    // Whole degrees, not radians: every entry is within float rounding of the true value.
    for (int d = 0; d < maxd; ++d) {
        const double r = d * std::acos(-1.0) / 180.0;
        EXPECT_NEAR(cosd[d], std::cos(r), 1e-7) << d;
        EXPECT_NEAR(sind[d], std::sin(r), 1e-7) << d;
    }
}

TEST(Glow, RingPlotBeforeBlur)
{
    FillDegreeTables();
    std::memset(mtex, 0x5A, sizeof mtex);  // the plot must clear what was there
    PlotGlowRings();
    struct Case { int row, col; Rgba rgba; const char* what; };
    const Case cases[] = {
        {78, 78, {255, 255, 255, 252}, "centre: core radius 1 overwrites radius 0"},
        {79, 13, {3, 3, 3, 3}, "radius 63 at 0 degrees wraps past column 127"},
        {78, 15, {3, 3, 3, 3}, "radius 63 at 180 degrees"},
        {15, 78, {3, 3, 3, 3}, "radius 63 at 270 degrees"},
        {13, 78, {0, 0, 0, 0}, "radius 63 at 90 degrees is dropped, not wrapped to the top"},
        {78, 112, {255, 255, 255, 153}, "core radius 34 replaces ring radius 34"},
        {78, 113, {111, 111, 111, 111}, "radius 36 at 1 degree overwrites radius 35 at 0"},
        {78, 141 - 128, {0, 0, 0, 0}, "nothing lands on row 78 from the wrap"},
    };
    for (const Case& c : cases) EXPECT_EQ(TexelAt(c.row, c.col), c.rgba) << c.what;

    int plotted = 0;
    for (int r = 0; r < texo; ++r) {
        for (int c = 0; c < texo; ++c) {
            const Rgba t = TexelAt(r, c);
            if (r < 15) {
                EXPECT_EQ(t, (Rgba{0, 0, 0, 0})) << r << "," << c;
            }
            if (t == Rgba{0, 0, 0, 0}) continue;
            ++plotted;
            EXPECT_TRUE(t[0] == t[1] && t[1] == t[2]) << r << "," << c;
            if (t[0] == 255 && t[3] != 255) {
                EXPECT_EQ((255 - t[3]) % 3, 0) << "core alpha " << r << "," << c;
            } else {
                EXPECT_EQ(t[3], t[0]) << "ring texel " << r << "," << c;
                EXPECT_EQ((255 - t[0]) % 4, 0) << "ring value " << r << "," << c;
            }
        }
    }
    EXPECT_GT(plotted, 0);
}

TEST(Glow, SingleBlurPass)
{
    struct Dot { int row, col, channel, value; };
    struct Case {
        const char* what;
        std::vector<Dot> input;
        std::vector<Dot> output;  // every other byte must be 0
    };
    const Case cases[] = {
        {"inside the image", {{10, 10, 0, 255}}, {{9, 9, 0, 63}, {9, 10, 0, 63}, {10, 9, 0, 63}, {10, 10, 0, 63}}},
        {"start of a row feeds the end of the rows above",
         {{10, 0, 0, 255}},
         {{10, 0, 0, 63}, {9, 0, 0, 63}, {9, 127, 0, 63}, {8, 127, 0, 63}}},
        {"last row, nothing reaches row 0",
         {{127, 5, 0, 200}},
         {{126, 4, 0, 50}, {126, 5, 0, 50}, {127, 4, 0, 50}, {127, 5, 0, 50}}},
        {"channels stay apart", {{40, 60, 3, 8}}, {{39, 59, 3, 2}, {39, 60, 3, 2}, {40, 59, 3, 2}, {40, 60, 3, 2}}},
        {"mean rounds down", {{20, 20, 1, 3}, {20, 21, 1, 4}}, {{19, 20, 1, 1}, {20, 20, 1, 1}, {19, 21, 1, 1}, {20, 21, 1, 1}}},
    };
    for (const Case& c : cases) {
        std::memset(mtex, 0, sizeof mtex);
        std::memset(mtexfilter, 0xA5, sizeof mtexfilter);  // scratch content must not leak
        for (const Dot& d : c.input) mtex[4 * (texo * d.row + d.col) + d.channel] = static_cast<unsigned char>(d.value);
        unsigned char expected[GLOW_BYTES] = {};
        for (const Dot& d : c.output) expected[4 * (texo * d.row + d.col) + d.channel] = static_cast<unsigned char>(d.value);
        qblur();
        for (int b = 0; b < GLOW_BYTES; ++b) {
            ASSERT_EQ(mtex[b], expected[b]) << c.what << ": texel " << b / 4 << " channel " << b % 4;
        }
        EXPECT_EQ(std::memcmp(mtex, mtexfilter, sizeof mtex), 0) << c.what;
    }

    // All 255: the last row halves (no row below), its last texel quarters,
    // and the last texel of row 126 loses only its right neighbour's lower half.
    std::memset(mtex, 255, sizeof mtex);
    qblur();
    for (int r = 0; r < texo; ++r) {
        for (int c = 0; c < texo; ++c) {
            int want = 255;
            if (r == 127) want = c == 127 ? 63 : 127;
            else if (r == 126 && c == 127) want = 191;
            for (int ch = 0; ch < 4; ++ch) ASSERT_EQ(mtex[4 * (texo * r + c) + ch], want) << r << "," << c << "," << ch;
        }
    }
}

TEST(Glow, FinishedImage)
{
    FillDegreeTables();
    BuildGlowImage();

    long sums[4] = {};
    int zeroTexels = 0, red255 = 0, maxAlpha = -1, maxAlphaCount = 0, maxRow = -1, maxCol = -1;
    for (int r = 0; r < texo; ++r) {
        for (int c = 0; c < texo; ++c) {
            const Rgba t = TexelAt(r, c);
            ASSERT_TRUE(t[0] == t[1] && t[1] == t[2]) << "not grey at " << r << "," << c;
            for (int ch = 0; ch < 4; ++ch) sums[ch] += t[ch];
            zeroTexels += t == Rgba{0, 0, 0, 0};
            red255 += t[0] == 255;
            if (t[3] > maxAlpha) {
                maxAlpha = t[3];
                maxAlphaCount = 0;
                maxRow = r;
                maxCol = c;
            }
            maxAlphaCount += t[3] == maxAlpha;
            if (r == 0 || r >= 116 || c == 0 || c >= 126) {
                EXPECT_EQ(t, (Rgba{0, 0, 0, 0})) << r << "," << c;
            }
            if (c <= 126) {
                EXPECT_EQ(Alpha(r, c), Alpha(r, 126 - c)) << "alpha symmetry at " << r << "," << c;
            }
        }
    }
    EXPECT_EQ(sums[0], 1238329);
    EXPECT_EQ(sums[1], 1238329);
    EXPECT_EQ(sums[2], 1238329);
    EXPECT_EQ(sums[3], 963527);
    EXPECT_EQ(zeroTexels, 5309);
    EXPECT_EQ(red255, 545);
    EXPECT_EQ(maxAlpha, 235);
    EXPECT_EQ(maxAlphaCount, 1);
    EXPECT_EQ(maxRow, 63);
    EXPECT_EQ(maxCol, 63);
    EXPECT_EQ(TexelAt(63, 63), (Rgba{255, 255, 255, 235}));

    const int row63[16][2] = {{0, 0},     {24, 24},    {56, 56},    {90, 88},    {222, 142}, {249, 168},
                              {255, 192}, {255, 216},  {255, 234},  {255, 210},  {253, 186}, {247, 162},
                              {186, 128}, {80, 80},    {48, 48},    {17, 17}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Red(63, 8 * i), row63[i][0]) << "column " << 8 * i;
        EXPECT_EQ(Alpha(63, 8 * i), row63[i][1]) << "column " << 8 * i;
    }

    // A second build, and one from full-precision tables, give the same bytes.
    std::vector<unsigned char> first(mtex, mtex + GLOW_BYTES);
    BuildGlowImage();
    EXPECT_EQ(std::memcmp(mtex, first.data(), GLOW_BYTES), 0);
    for (int d = 0; d < maxd; ++d) {
        cosd[d] = static_cast<float>(std::cos(d * std::acos(-1.0) / 180.0));
        sind[d] = static_cast<float>(std::sin(d * std::acos(-1.0) / 180.0));
    }
    BuildGlowImage();
    EXPECT_EQ(std::memcmp(mtex, first.data(), GLOW_BYTES), 0);
    FillDegreeTables();
}
