// The glyph table of the built-in font, and its glyphs drawn as quads, one
// per run of lit font pixels in a row.
#include "shell/fps_overlay/bitmap_font.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstring>

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

constexpr int IndexOf(char code)
{
    for (size_t i = 0; i < kGlyphCount; ++i)
        if (kGlyphs[i].code == code) return static_cast<int>(i);
    return 0;  // the blank
}

}  // namespace

bool Lit(char code, int column, int row)
{
    if (column < 0 || column >= GLYPH_COLUMNS || row < 0 || row >= GLYPH_ROWS) return false;
    return kGlyphs[IndexOf(code)].rows[row][column] == '#';
}

void DrawText(const char* text, int x, int y)
{
    static GLfloat corners[MAX_TEXT * GLYPH_ROWS * MAX_RUNS * 4][2];  // window pixels, four per quad
    int count = 0;
    for (int i = 0; i < MAX_TEXT && text[i] != '\0'; ++i) {
        const char* const* rows = kGlyphs[IndexOf(text[i])].rows;
        for (int row = 0; row < GLYPH_ROWS; ++row) {
            const float top = static_cast<float>(y + (GLYPH_ROWS - row) * SCALE), bottom = top - SCALE;
            for (int column = 0; column < GLYPH_COLUMNS; ++column) {
                if (rows[row][column] != '#' || (column > 0 && rows[row][column - 1] == '#')) continue;
                int end = column;
                while (end < GLYPH_COLUMNS && rows[row][end] == '#') ++end;
                const float left = static_cast<float>(x + i * ADVANCE + column * SCALE);
                const float right = static_cast<float>(x + i * ADVANCE + end * SCALE);
                const GLfloat quad[4][2] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
                std::memcpy(corners[count], quad, sizeof quad);
                count += 4;
            }
        }
    }
    glVertexPointer(2, GL_FLOAT, 0, corners);
    glDrawArrays(GL_QUADS, 0, count);
}

}  // namespace font
