// A small built-in bitmap font for the frame-rate line: 5 x 7 glyphs drawn
// twice their size, each row's runs of lit font pixels as one quad, with the
// GL 1.1 calls that both renderers serve, so that no font package is needed.
#pragma once


namespace font {

inline constexpr int GLYPH_COLUMNS = 5;  // font pixels
inline constexpr int GLYPH_ROWS = 7;     // font pixels
inline constexpr int SCALE = 2;          // screen pixels per font pixel
inline constexpr int WIDTH = GLYPH_COLUMNS * SCALE;   // screen pixels
inline constexpr int HEIGHT = GLYPH_ROWS * SCALE;     // screen pixels
inline constexpr int ADVANCE = WIDTH + SCALE;         // screen pixels from one glyph to the next
inline constexpr int MAX_TEXT = 24;                    // characters drawn at most
inline constexpr int MAX_RUNS = 3;                     // runs of lit pixels in one glyph row, at most

// One glyph, top row first; '#' marks a lit font pixel.
struct Glyph {
    char code;
    const char* rows[GLYPH_ROWS];
};

// Whether the font pixel at (column, row from the top) of a character's glyph is lit.
bool Lit(char code, int column, int row);

// Draws text with its lower-left corner at window pixel (x, y), in the current
// colour, from the vertex array: the caller has set up a pixel-exact
// projection, unlit and untextured drawing, and only the vertex array enabled.
void DrawText(const char* text, int x, int y);

}  // namespace font
