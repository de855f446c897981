// A small built-in bitmap font for the frame-rate line: 5 x 7 glyphs drawn
// twice their size with glBitmap (GL 1.1), so that no font package is needed.
#pragma once

#include <array>
#include <cstdint>

namespace font {

inline constexpr int GLYPH_COLUMNS = 5;  // font pixels
inline constexpr int GLYPH_ROWS = 7;     // font pixels
inline constexpr int SCALE = 2;          // screen pixels per font pixel
inline constexpr int WIDTH = GLYPH_COLUMNS * SCALE;   // screen pixels
inline constexpr int HEIGHT = GLYPH_ROWS * SCALE;     // screen pixels
inline constexpr int ADVANCE = WIDTH + SCALE;         // screen pixels from one glyph to the next
inline constexpr int BYTES_PER_ROW = (WIDTH + 7) / 8;

// One glyph, top row first; '#' marks a lit font pixel.
struct Glyph {
    char code;
    const char* rows[GLYPH_ROWS];
};

// A glyph as glBitmap takes it: bottom row first, most significant bit leftmost,
// rows padded to whole bytes (unpack alignment 1).
using Bitmap = std::array<uint8_t, BYTES_PER_ROW * HEIGHT>;

// The glyph for a character; a blank one for characters the font lacks.
const Bitmap& BitmapOf(char code);
// Whether the font pixel at (column, row from the top) of a character's glyph is lit.
bool Lit(char code, int column, int row);

// Draws text with its lower-left corner at window pixel (x, y), in the current
// raster colour: the caller has set up a pixel-exact projection.
void DrawText(const char* text, int x, int y);

}  // namespace font
