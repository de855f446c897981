// The glyph table of the built-in font, and its bitmaps built from it at
// compile time.
#include "shell/fps_overlay/bitmap_font.h"

#include <GL/gl.h>

#include <cstddef>

namespace font {
namespace {

// What the frame-rate line needs: "FPS: 12.3", and "--" before the first count.
constexpr Glyph kGlyphs[] = {
    {' ', {"     ", "     ", "     ", "     ", "     ", "     ", "     "}},
    {'-', {"     ", "     ", "     ", "#####", "     ", "     ", "     "}},
    {'.', {"     ", "     ", "     ", "     ", "     ", " ##  ", " ##  "}},
    {':', {"     ", " ##  ", " ##  ", "     ", " ##  ", " ##  ", "     "}},
    {'0', {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "}},
    {'1', {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "}},
    {'2', {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"}},
    {'3', {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "}},
    {'4', {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "}},
    {'5', {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "}},
    {'6', {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "}},
    {'7', {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "}},
    {'8', {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "}},
    {'9', {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "}},
    {'F', {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "}},
    {'P', {"#### ", "#   #", "#   #", "#### ", "#    ", "#    ", "#    "}},
    {'S', {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "}},
};
constexpr size_t kGlyphCount = sizeof kGlyphs / sizeof kGlyphs[0];

constexpr Bitmap Expand(const Glyph& glyph)
{
    Bitmap bits{};
    for (int y = 0; y < HEIGHT; ++y) {
        const char* row = glyph.rows[GLYPH_ROWS - 1 - y / SCALE];  // bitmaps run bottom-up
        for (int x = 0; x < WIDTH; ++x)
            if (row[x / SCALE] == '#')
                bits[static_cast<size_t>(y * BYTES_PER_ROW + x / 8)] |= static_cast<uint8_t>(0x80u >> (x % 8));
    }
    return bits;
}

constexpr std::array<Bitmap, kGlyphCount> kBitmaps = [] {
    std::array<Bitmap, kGlyphCount> all{};
    for (size_t i = 0; i < kGlyphCount; ++i) all[i] = Expand(kGlyphs[i]);
    return all;
}();

constexpr int IndexOf(char code)
{
    for (size_t i = 0; i < kGlyphCount; ++i)
        if (kGlyphs[i].code == code) return static_cast<int>(i);
    return 0;  // the blank
}

}  // namespace

const Bitmap& BitmapOf(char code) { return kBitmaps[static_cast<size_t>(IndexOf(code))]; }

bool Lit(char code, int column, int row)
{
    if (column < 0 || column >= GLYPH_COLUMNS || row < 0 || row >= GLYPH_ROWS) return false;
    return kGlyphs[IndexOf(code)].rows[row][column] == '#';
}

void DrawText(const char* text, int x, int y)
{
    glRasterPos2f(static_cast<GLfloat>(x) + 0.5f, static_cast<GLfloat>(y) + 0.5f);  // pixel centre
    for (const char* c = text; *c; ++c) glBitmap(WIDTH, HEIGHT, 0.0f, 0.0f, ADVANCE, 0.0f, BitmapOf(*c).data());
}

}  // namespace font
