// metrics.cpp - the character map, the composite letters, the height classes
// and the advance widths of the built-in stroke font.
#include "plot/font/font.h"

namespace plotfont {
namespace {

using MapTable = std::array<int16_t, std::size_t{2} * 256>;

// Latin-1 letters drawn as a base letter with an accent: {code, composite}.
constexpr int kComposedLetters[][2] = {
    {0xC7, 1},  {0xE9, 2},  {0xE2, 3},  {0xE0, 4},  {0xF5, 6},  {0xEA, 7},  {0xEB, 8},
    {0xE8, 9},  {0xC5, 10}, {0xC9, 11}, {0xF4, 12}, {0xF2, 13}, {0xFB, 14}, {0xF9, 15},
    {0xFF, 16}, {0xE1, 17}, {0xF3, 18}, {0xFA, 19}, {0xF1, 20}, {0xD1, 21}, {0xC0, 22},
    {0xC1, 23}, {0xC2, 24}, {0xC8, 25}, {0xCA, 26}, {0xD2, 27}, {0xD3, 28}, {0xD4, 29},
    {0xD8, 30}, {0xD9, 31}, {0xDA, 32}, {0xDB, 33}, {0xDD, 34}, {0xE3, 35}, {0xE5, 36},
    {0xFD, 37}, {0xCB, 38}, {0xED, 39}, {0xEC, 40}, {0xEE, 41}, {0xEF, 42}, {0xCD, 43},
    {0xCC, 44}, {0xCE, 45}, {0xCF, 46}, {0xC3, 47}, {0xD5, 48},
};

// Latin-1 characters with a glyph of their own: {code, glyph}.
constexpr int kOwnGlyphs[][2] = {
    {0xA6, 289}, {0xA7, 337}, {0xA8, 290}, {0xB1, 299}, {0xB5, 365},
    {0xC4, 91},  {0xD6, 92},  {0xDC, 93},  {0xDF, 42},  {0xE4, 123},
    {0xF6, 124}, {0xFC, 125}, {0xE6, 309}, {0xE7, 310}, {0xF8, 304},
    {0xA1, 312}, {0xBF, kInvertedQuestionGlyph},
};

constexpr MapTable BuildMap() {
    MapTable t{};
    for (int c = 32; c <= 127; ++c) {
        t[c] = static_cast<int16_t>(c);
        t[256 + c] = static_cast<int16_t>(256 + c);
    }
    // The characters the German arrangement puts elsewhere.
    t['$'] = 369;
    t['*'] = 298;
    t['['] = 347;
    t['\\'] = 348;
    t[']'] = 349;
    t['{'] = 379;
    t['|'] = 380;
    t['}'] = 381;
    // The control characters land on glyphs that draw nothing.
    t['<'] = '<';
    t['>'] = '>';
    t['^'] = '^';
    t['~'] = '~';
    for (const auto& own : kOwnGlyphs) t[own[0]] = static_cast<int16_t>(own[1]);
    for (const auto& composed : kComposedLetters) t[composed[0]] = static_cast<int16_t>(-composed[1]);
    return t;
}

struct GlyphTables {
    std::array<int16_t, kGlyphCount> heightClass;
    std::array<int16_t, kGlyphCount> advance;
};

// Advance widths of the base set, glyphs 32..126, in tenths of the height.
constexpr int16_t kBaseAdvance[95] = {
    10, 6,  8,  10, 10, 16, 14, 4,  6,  6,  10, 10, 6,  8,  6,  8,   // 32..47
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 6,  6,  0,  10, 0,  10,  // 48..63
    10, 14, 12, 14, 14, 12, 12, 14, 14, 6,  10, 14, 12, 16, 14, 14,  // 64..79
    12, 14, 14, 10, 12, 14, 14, 16, 14, 14, 12, 14, 14, 14, 0,  10,  // 80..95
    10, 10, 10, 10, 10, 10, 8,  10, 10, 6,  6,  10, 6,  16, 10, 10,  // 96..111
    10, 10, 8,  8,  8,  10, 10, 14, 10, 10, 10, 10, 10, 10, 0,       // 112..126
};

constexpr bool InRange(int g, int low, int high) { return g >= low && g <= high; }

constexpr GlyphTables BuildGlyphTables() {
    GlyphTables t{};
    for (int g = 0; g < kGlyphCount; ++g) {
        int cls = 6;
        if (g == 33 || g == 34 || g == 39 || g == 40 || g == 41 || g == 47 || InRange(g, 63, 93) || g == 95 ||
            g == 96 || InRange(g, 289, 292) || InRange(g, 294, 297) || InRange(g, 328, 330) || InRange(g, 335, 337) ||
            g == 350 || g == 351 || g == 360 || g == 362 || g == 367 || g == 369 || g == 382 ||
            g == kInvertedQuestionGlyph) {  // the last as '?'
            cls = 5;
        } else if (g == 44 || g == 46 || g == 58 || g == 59 || InRange(g, 97, 125) || g == kDotlessIGlyph) {
            cls = 7;
        }
        t.heightClass[g] = static_cast<int16_t>(cls);
        if (InRange(g, 32, 126)) {
            t.advance[g] = kBaseAdvance[g - 32];
        } else if (InRange(g, 288, 383)) {
            t.advance[g] = g == 312 ? 6 : 10;
        } else if (g == kDotlessIGlyph) {
            t.advance[g] = kBaseAdvance['i' - 32];
        } else if (g == kInvertedQuestionGlyph) {
            t.advance[g] = kBaseAdvance['?' - 32];
        }
    }
    return t;
}

constexpr GlyphTables kGlyphTables = BuildGlyphTables();

}  // namespace

constinit const MapTable kCharacterMap = BuildMap();

// {base glyph, accent glyph}, by composite number.
constinit const std::array<std::array<int16_t, 2>, kCompositeCount> kComposites = {{
    {0, 0},                                 //  0 not referenced
    {'C', kCedillaGlyph},                   //  1 Ç
    {'e', kAcuteGlyph},                     //  2 é
    {'a', kCircumflexGlyph},                //  3 â
    {'a', kGraveGlyph},                     //  4 à
    {'a', kRingGlyph},                      //  5 å (the map uses 36)
    {'o', kTildeGlyph},                     //  6 õ
    {'e', kCircumflexGlyph},                //  7 ê
    {'e', kDiaeresisGlyph},                 //  8 ë
    {'e', kGraveGlyph},                     //  9 è
    {'A', kRingGlyph},                      // 10 Å
    {'E', kAcuteGlyph},                     // 11 É
    {'o', kCircumflexGlyph},                // 12 ô
    {'o', kGraveGlyph},                     // 13 ò
    {'u', kCircumflexGlyph},                // 14 û
    {'u', kGraveGlyph},                     // 15 ù
    {'y', kDiaeresisGlyph},                 // 16 ÿ
    {'a', kAcuteGlyph},                     // 17 á
    {'o', kAcuteGlyph},                     // 18 ó
    {'u', kAcuteGlyph},                     // 19 ú
    {'n', kTildeGlyph},                     // 20 ñ
    {'N', kTildeGlyph},                     // 21 Ñ
    {'A', kGraveGlyph},                     // 22 À
    {'A', kAcuteGlyph},                     // 23 Á
    {'A', kCircumflexGlyph},                // 24 Â
    {'E', kGraveGlyph},                     // 25 È
    {'E', kCircumflexGlyph},                // 26 Ê
    {'O', kGraveGlyph},                     // 27 Ò
    {'O', kAcuteGlyph},                     // 28 Ó
    {'O', kCircumflexGlyph},                // 29 Ô
    {'O', kSlashGlyph},                     // 30 Ø
    {'U', kGraveGlyph},                     // 31 Ù
    {'U', kAcuteGlyph},                     // 32 Ú
    {'U', kCircumflexGlyph},                // 33 Û
    {'Y', kAcuteGlyph},                     // 34 Ý
    {'a', kTildeGlyph},                     // 35 ã
    {'a', kRingGlyph},                      // 36 å
    {'y', kAcuteGlyph},                     // 37 ý
    {'E', kDiaeresisGlyph},                 // 38 Ë
    {kDotlessIGlyph, kAcuteGlyph},          // 39 í
    {kDotlessIGlyph, kGraveGlyph},          // 40 ì
    {kDotlessIGlyph, kCircumflexGlyph},     // 41 î
    {kDotlessIGlyph, kDiaeresisGlyph},      // 42 ï
    {'I', kAcuteGlyph},                     // 43 Í
    {'I', kGraveGlyph},                     // 44 Ì
    {'I', kCircumflexGlyph},                // 45 Î
    {'I', kDiaeresisGlyph},                 // 46 Ï
    {'A', kTildeGlyph},                     // 47 Ã
    {'O', kTildeGlyph},                     // 48 Õ
}};

constinit const std::array<int16_t, kGlyphCount> kHeightClass = kGlyphTables.heightClass;
constinit const std::array<int16_t, kGlyphCount> kAdvanceWidth = kGlyphTables.advance;

}  // namespace plotfont
