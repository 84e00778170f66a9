// font.h - the plot library's built-in stroke font as read-only tables.
//
// Every glyph is a short run of 16-bit stroke words on a small integer grid:
//   bits 0..2  y (0..7), bits 3..5  x (0..7),
//   bits 6..7  0 move, 1 draw, 2 move and start a descender (every y that
//              follows is taken 2 lower until a plain move), 3 end of glyph.
// The cap height is 6 grid units, lower-case letters stand 4 high, y = 7
// carries dots, descenders reach y = -2; the body spans x 0..6.
//
// Glyph numbers 0..511: the base set 32..126 (one glyph per character code,
// German arrangement: 91..93 are Ä Ö Ü, 123..125 ä ö ü, 42 ß, 64 the acute
// and 96 the grave accent) and the alternate set 288..382 reached with the
// prefix character '^' (glyph = code + 256); above them glyphs that only
// Latin-1 bytes reach: the dotless i (the base of the accented i) and the
// inverted question mark.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace plotfont {

inline constexpr int kStrokeWords = 1500;  // size of the stroke table
inline constexpr int kGlyphCount = 512;
inline constexpr int kCompositeCount = 49;  // entry 0 unused

// The stroke words; word 0 holds no stroke.
extern const std::array<int16_t, kStrokeWords> kStrokeTable;
// The glyph index: glyph g owns the words index[g] .. index[g + 1] - 1 (a run
// of fewer than two words draws nothing); index[512] ends the last glyph.
extern const std::array<int16_t, kGlyphCount + 1> kGlyphIndex;

// Character map: entry c (0..255) for a plain byte, c + 256 for a byte after
// the prefix.  >= 0: a glyph number (0: none, drawn as a space);
// < 0: minus a composite number.
extern const std::array<int16_t, std::size_t{2} * 256> kCharacterMap;

// Composite letters: {base glyph, accent glyph}; entry 0 is not referenced.
extern const std::array<std::array<int16_t, 2>, kCompositeCount> kComposites;

// Height class by glyph (5, 6 or 7): capitals mode scales a glyph by 6/class.
extern const std::array<int16_t, kGlyphCount> kHeightClass;

// Advance width by glyph in tenths of the character height; 0 means 10.
extern const std::array<int16_t, kGlyphCount> kAdvanceWidth;

// Glyph numbers with a role of their own.
inline constexpr int kSpaceGlyph = 32;
inline constexpr int kSlashGlyph = 47;
inline constexpr int kAcuteGlyph = 64;
inline constexpr int kGraveGlyph = 96;
inline constexpr int kDiaeresisGlyph = 290;
inline constexpr int kCircumflexGlyph = 350;
inline constexpr int kCedillaGlyph = 352;
inline constexpr int kRingGlyph = 367;
inline constexpr int kTildeGlyph = 382;
inline constexpr int kDotlessIGlyph = 384;
inline constexpr int kInvertedQuestionGlyph = 385;

// ---- the wide set: glyphs that only UTF-8 text reaches ----------------------
// Numbered from kWideFirst on, in tables of their own so that the byte-reached
// set above stays as it is.
inline constexpr int kWideFirst = 512;
inline constexpr int kWideGlyphCount = 320;  // glyphs 512..831
inline constexpr int kWideStrokeWords = 5000;
inline constexpr int kReplacementGlyph = kWideFirst;  // a character with no glyph

extern const std::array<int16_t, kWideStrokeWords> kWideStrokeTable;
extern const std::array<int16_t, kWideGlyphCount + 1> kWideGlyphIndex;

struct WideGlyphInfo {
    int16_t heightClass;  // as kHeightClass
    int16_t advance;      // as kAdvanceWidth
    int16_t capital;      // the glyph capitals mode draws instead, or 0
    bool isCapital;       // a capital letter: accents above it sit higher
    bool raises;          // a mark over a letter, raised above it as drawn
};
extern const std::array<WideGlyphInfo, kWideGlyphCount> kWideGlyphs;

// A character beyond Latin-1: its glyph, and the mark drawn with it (0: none).
struct WideCharacter {
    char32_t code;
    int16_t glyph;
    int16_t mark;
};
// Sorted by code.
extern const std::span<const WideCharacter> kWideCharacters;
// The entry for `code`, or nullptr when it has no glyph.
const WideCharacter* FindWideCharacter(char32_t code);

// The stroke words of glyph g of either set.
struct GlyphRun {
    const int16_t* words;
    int count;
};
inline GlyphRun GlyphWords(int g) {
    if (g >= kWideFirst) {
        const int n = g - kWideFirst;
        return {&kWideStrokeTable[kWideGlyphIndex[n]], kWideGlyphIndex[n + 1] - kWideGlyphIndex[n]};
    }
    return {&kStrokeTable[kGlyphIndex[g]], kGlyphIndex[g + 1] - kGlyphIndex[g]};
}
inline int HeightClassOf(int g) { return g >= kWideFirst ? kWideGlyphs[g - kWideFirst].heightClass : kHeightClass[g]; }
inline int AdvanceOf(int g) { return g >= kWideFirst ? kWideGlyphs[g - kWideFirst].advance : kAdvanceWidth[g]; }

// Decoded stroke word fields.
inline constexpr int WordX(int word) { return (word >> 3) & 7; }
inline constexpr int WordY(int word) { return word & 7; }
inline constexpr int WordOp(int word) { return (word >> 6) & 3; }
inline constexpr int kOpMove = 0;
inline constexpr int kOpDraw = 1;
inline constexpr int kOpDescender = 2;
inline constexpr int kOpEnd = 3;

}  // namespace plotfont
