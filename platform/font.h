// font.h - the layer's default text font: a bitmap font of our own design,
// 8 pixels wide and 13 high, covering printable Latin-1 (0x20-0x7E and
// 0xA0-0xFF).  Rows run top to bottom, bit 7 is the leftmost pixel; the
// base line is below row 10, descenders use rows 11-12; accents above
// capitals sit on rows 0-1.
#pragma once

constexpr int kFontWidth = 8;
constexpr int kFontHeight = 13;

// The 13 rows of a character; a character the font does not draw gets an
// open box.
const unsigned char* FontGlyph(char32_t c);
// Whether the font draws c (rather than the open box).
bool FontHasGlyph(char32_t c);
