// The stroke font's tables: the index, the stroke words and the maps must
// fit together, or text draws stray lines between glyphs or nothing at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "plot/font/font.h"

namespace {

using namespace plotfont;

std::vector<int> WordsOf(int glyph) {
    std::vector<int> words;
    for (int k = kGlyphIndex[glyph]; k < kGlyphIndex[glyph + 1]; ++k) words.push_back(kStrokeTable[k]);
    return words;
}

bool Draws(int glyph) { return kGlyphIndex[glyph + 1] - kGlyphIndex[glyph] >= 2; }

int GlyphOfCode(int code) { return kCharacterMap[code]; }

TEST(FontTables, IndexCoversTheStrokeTableInOrder) {
    EXPECT_EQ(kStrokeTable[0], 0);
    EXPECT_GE(kGlyphIndex[0], 1);
    for (int g = 0; g < kGlyphCount; ++g) EXPECT_LE(kGlyphIndex[g], kGlyphIndex[g + 1]) << g;
    const int end = kGlyphIndex[kGlyphCount];
    EXPECT_LE(end, kStrokeWords);
    for (int k = 1; k < end; ++k) {
        EXPECT_GE(kStrokeTable[k], 0) << k;
        EXPECT_LE(kStrokeTable[k], 0xff) << k;  // bits 8..15 stay clear
    }
    for (int k = end; k < kStrokeWords; ++k) EXPECT_EQ(kStrokeTable[k], 0) << k;
}

TEST(FontTables, OneHundredSeventyTwoGlyphsDrawAllInsideTheTwoSetsAndTheLatin1Extras) {
    int drawing = 0;
    for (int g = 0; g < kGlyphCount; ++g) {
        if (!Draws(g)) continue;
        ++drawing;
        EXPECT_TRUE((g >= 33 && g <= 125) || (g >= 289 && g <= 382) || g == kDotlessIGlyph ||
                    g == kInvertedQuestionGlyph) << g;
    }
    EXPECT_EQ(drawing, 172);
    for (int g : {36, 60, 62, 94, 126}) EXPECT_FALSE(Draws(g)) << g;
}

TEST(FontTables, EveryGlyphStartsWithAMoveAndStaysOnTheGrid) {
    for (int g = 0; g < kGlyphCount; ++g) {
        const std::vector<int> words = WordsOf(g);
        if (words.size() < 2) continue;
        // A draw first would join the glyph to the last point of the one before.
        EXPECT_NE(WordOp(words[0]), kOpDraw) << "glyph " << g;
        int shift = 0;
        for (int w : words) {
            ASSERT_NE(WordOp(w), kOpEnd) << "glyph " << g;
            if (WordOp(w) == kOpDescender) shift = 2;
            if (WordOp(w) == kOpMove) shift = 0;
            const int y = WordY(w) - shift;
            EXPECT_LE(WordX(w), 6) << "glyph " << g;  // inside the body
            EXPECT_GE(y, -2) << "glyph " << g;
            EXPECT_LE(y, 7) << "glyph " << g;
        }
    }
}

TEST(FontTables, GlyphsTheFormatFixes) {
    EXPECT_EQ(WordsOf('A'), (std::vector<int>{0x00, 0x5e, 0x70, 0x0a, 0x6a, 0x6a}));
    EXPECT_EQ(WordsOf('1'), (std::vector<int>{0x0c, 0x66, 0x60, 0x18, 0x68}));
    EXPECT_EQ(WordsOf(kAcuteGlyph), (std::vector<int>{0x14, 0x66}));
    EXPECT_EQ(WordsOf(kCircumflexGlyph), (std::vector<int>{0x0c, 0x5e, 0x6c}));
    EXPECT_EQ(WordsOf(kCedillaGlyph), (std::vector<int>{0x98, 0x5a}));
    EXPECT_EQ(WordsOf('g').front(), 0x81);
    const std::vector<int> j = WordsOf('j');
    EXPECT_EQ(j.front(), 0x96);
    EXPECT_NE(std::find(j.begin(), j.end(), 0x1e), j.end());
    // Capitals stand on the base line and reach the cap height.
    for (int g = 'A'; g <= 'Z'; ++g) {
        int low = 7, high = 0;
        for (int w : WordsOf(g)) {
            low = std::min(low, WordY(w));
            high = std::max(high, WordY(w));
        }
        EXPECT_EQ(low, 0) << static_cast<char>(g);
        EXPECT_EQ(high, 6) << static_cast<char>(g);
    }
}

TEST(FontTables, EveryPrintableCharacterDraws) {
    for (int c = 33; c <= 125; ++c) {
        if (c == '<' || c == '>' || c == '^' || c == '~') {
            EXPECT_FALSE(Draws(GlyphOfCode(c))) << c;
            continue;
        }
        ASSERT_GT(GlyphOfCode(c), 0) << c;
        EXPECT_TRUE(Draws(GlyphOfCode(c))) << "code " << c;
    }
    // The prefixed names of the alternate set.
    for (const unsigned char c : {'[', '*', 'q', 'a', 'p', 'w', 'P', 'm', '+', 'A', 'B', '^', '"', 'o',
                                  '~', '`', '0', '5', '6', 'Q', '!', '<', '>', '@', '{', '|', '}'}) {
        EXPECT_EQ(GlyphOfCode(256 + c), 256 + c);
        EXPECT_TRUE(Draws(256 + c)) << "prefix + " << static_cast<char>(c);
    }
    // Greek letters on all letter codes but the ring and the dollar sign.
    for (int c = 'C'; c <= 'Z'; ++c) EXPECT_TRUE(Draws(256 + c)) << static_cast<char>(c);
    for (int c = 'a'; c <= 'z'; ++c) EXPECT_TRUE(Draws(256 + c)) << static_cast<char>(c);
}

TEST(FontTables, CharacterMapFollowsTheGermanArrangement) {
    EXPECT_EQ(GlyphOfCode('$'), 369);
    EXPECT_EQ(GlyphOfCode('*'), 298);
    EXPECT_EQ(GlyphOfCode('['), 347);
    EXPECT_EQ(GlyphOfCode('}'), 381);
    EXPECT_EQ(GlyphOfCode(0xC4), 91);   // Ä
    EXPECT_EQ(GlyphOfCode(0xDF), 42);   // ß
    EXPECT_EQ(GlyphOfCode(0xFC), 125);  // ü
    EXPECT_EQ(GlyphOfCode(0xB5), 365);  // µ
    for (int c = 0; c < 32; ++c) {
        EXPECT_EQ(GlyphOfCode(c), 0);
        EXPECT_EQ(GlyphOfCode(256 + c), 0);
    }
    for (int k = 384; k < 512; ++k) EXPECT_EQ(kCharacterMap[k], 0);
    EXPECT_EQ(GlyphOfCode(0xAB), 0);  // « has no glyph
    EXPECT_EQ(GlyphOfCode(0xF7), 0);  // nor ÷
    EXPECT_EQ(GlyphOfCode(0xA1), 312);  // ¡ is the alternate set's
    EXPECT_EQ(GlyphOfCode(0xBF), kInvertedQuestionGlyph);
}

TEST(FontTables, CompositesPairALetterWithAnAccent) {
    const std::set<int> accents = {kAcuteGlyph,      kGraveGlyph, kCircumflexGlyph, kDiaeresisGlyph,
                                   kRingGlyph,       kTildeGlyph, kCedillaGlyph,    kSlashGlyph};
    std::set<int> used;
    for (int c = 128; c < 256; ++c) {
        if (kCharacterMap[c] >= 0) continue;
        const int n = -kCharacterMap[c];
        ASSERT_GE(n, 1);
        ASSERT_LT(n, kCompositeCount);
        used.insert(n);
    }
    EXPECT_EQ(used.size(), 47u);
    EXPECT_EQ(used.count(5), 0u);
    EXPECT_EQ(-kCharacterMap[0xE5], 36);  // å
    for (int n = 1; n < kCompositeCount; ++n) {
        const int base = kComposites[n][0];
        EXPECT_TRUE((base >= 'A' && base <= 'Z') || (base >= 'a' && base <= 'z') || base == kDotlessIGlyph) << n;
        EXPECT_TRUE(Draws(base)) << n;
        EXPECT_EQ(accents.count(kComposites[n][1]), 1u) << n;
        EXPECT_TRUE(Draws(kComposites[n][1])) << n;
    }
    EXPECT_EQ(-kCharacterMap[0xC9], 11);  // É
    EXPECT_EQ(kComposites[11][0], 'E');
    EXPECT_EQ(kComposites[11][1], kAcuteGlyph);
    // The accented small i stands on a dotless i.
    for (int c : {0xEC, 0xED, 0xEE, 0xEF}) EXPECT_EQ(kComposites[-kCharacterMap[c]][0], kDotlessIGlyph) << c;
}

TEST(FontTables, HeightClassesAndWidths) {
    EXPECT_EQ(kHeightClass['W'], 5);
    EXPECT_EQ(kHeightClass['a'], 7);
    EXPECT_EQ(kHeightClass['.'], 7);
    EXPECT_EQ(kHeightClass['2'], 6);
    EXPECT_EQ(kHeightClass[kRingGlyph], 5);
    EXPECT_EQ(kHeightClass[kCedillaGlyph], 6);
    for (int g = 0; g < kGlyphCount; ++g) {
        EXPECT_TRUE(kHeightClass[g] >= 5 && kHeightClass[g] <= 7) << g;
    }
    EXPECT_EQ(kAdvanceWidth['i'], 6);
    EXPECT_EQ(kAdvanceWidth['l'], 6);
    EXPECT_EQ(kAdvanceWidth['m'], 16);
    EXPECT_EQ(kAdvanceWidth['w'], 14);
    EXPECT_EQ(kAdvanceWidth['\''], 4);
    EXPECT_EQ(kAdvanceWidth[312], 6);
    EXPECT_EQ(kAdvanceWidth[300], 10);
    EXPECT_EQ(kAdvanceWidth[kDotlessIGlyph], 6);
    for (int g : {0, 31, 127, 128, 287, 386, 511}) EXPECT_EQ(kAdvanceWidth[g], 0) << g;
}

}  // namespace
