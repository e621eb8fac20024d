// The small built-in bitmap font of the image surface.
#pragma once

#include <cstdint>

// Glyphs are 5 columns of 7 rows (bit 0 is the top row) in a cell of 6 x 10 pixels; the top row
// of a glyph lies one pixel below the cell's top, the baseline eight pixels below it.
constexpr int kGlyphColumns = 5;
constexpr int kGlyphRows = 7;
constexpr int kFontCellWidth = 6;
constexpr int kFontCellHeight = 10;
constexpr int kFontAscent = 8;

// The columns of a character; characters outside printable ASCII get a hollow box.
const uint8_t* GlyphColumns(unsigned char c);
