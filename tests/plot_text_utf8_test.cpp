// UTF-8 text through the stroke font: Latin-1 means what its bytes mean,
// letters beyond it draw their own strokes, and a character the font lacks
// shows as a box and is counted.  Drawn at height 150 on a 30 x 6 page at
// 38 pixels per unit: a fixed cell is 1.5 units wide, gx = 1/6, gy = 1/4.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plot/font/font.h"
#include "plot/palette.h"
#include "plot/plot.h"
#include "tests/plot_support.h"
#include "utf8/utf8.h"

namespace {

constexpr int kPaper = plot_palette::kWhite;

class Utf8Text : public ::testing::Test {
protected:
    void SetUp() override {
        PlotReleasePage();
        PlotState = PlotStateRecord{};
        PlotSetHost(nullptr);
        PLOTOPEN(0, "utf8.plo", "Text", "utf8");
        ASSERT_EQ(PAGESETUP(0, 0, 30, 6, 30, 6, 2), 0);
        SETCOLOUR(plot_palette::kBlack);
        LINEWIDTH(5);
        TEXTMISSING(1);
    }
    void TearDown() override {
        PlotReleasePage();
        PlotState = PlotStateRecord{};
    }

    static PixelSet Ink() {
        PixelSet found;
        for (int row = 0; row < PlotState.imageHeight; ++row)
            for (int col = 0; col < PlotState.imageWidth; ++col)
                if (PlotState.pagePixels[col + PlotState.imageWidth * row] != kPaper) found.insert({col, row});
        return found;
    }
    static void Clear() { std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, kPaper); }
    static PixelSet Bytes(const std::string& text, int style = 0) {
        Clear();
        TEXT(2, 2, 150, text.c_str(), style);
        return Ink();
    }
    static PixelSet Utf8(const std::string& text, int style = 0) {
        Clear();
        TEXTU(2, 2, 150, text.c_str(), style);
        return Ink();
    }

    TempDir dir_{TempDir::Use::Entered};
};

TEST_F(Utf8Text, Latin1TextDrawsExactlyAsItsBytesInEveryStyle) {
    const std::string texts[] = {
        "Wave 0.5 Hz [x] {y} $ * |",       // the German arrangement
        "H<2O x>i ^a^b^w ^A~=/ ~O/ ^^ ^",  // control characters
        "M\xFC"
        "ller \xC4rger \xC9lan \xF1\xE5\xE7\xC7\xDF \xEC\xCF \xBF\xA1",  // Latin-1 letters
        std::string(85, '\xE9'),                                         // cut at 80 characters
    };
    for (int style = 0; style <= 3; ++style) {
        for (const std::string& text : texts) {
            EXPECT_EQ(Utf8(Latin1ToUtf8(text), style), Bytes(text, style)) << "style " << style << ": " << text;
        }
    }
    EXPECT_EQ(TEXTMISSING(0), 0);
}

TEST_F(Utf8Text, GreekAndCyrillicLettersShapedLikeLatinOnesDrawTheLatinGlyphs) {
    struct Same {
        const char* utf8;
        const char* bytes;
        int style;
    };
    const Same cases[] = {
        {"АВЕКМНОРСТХ аеорсухіј", "ABEKMHOPCTX aeopcyxij", 0},  // Cyrillic
        {"ΑΒΕΖΗΙΚΜΝΟΡΤΥΧ ο", "ABEZHIKMNOPTYX o", 2},            // Greek capitals as Latin ones
        {"αβγδλμπσςω ΓΔΘΛΠΣΦΨΩ", "^a^b^g^d^l^m^p^s^v^w ^G^D^J^L^P^S^F^Y^W", 0},
        {"αβ", "ab", 1},  // capitals mode: small capitals
    };
    for (const Same& c : cases) {
        EXPECT_EQ(Utf8(c.utf8, c.style), Bytes(c.bytes, c.style)) << c.utf8;
    }
    EXPECT_EQ(TEXTMISSING(0), 0);
}

// Draws strokes given on the glyph grid of cell `k` through the pen, as the
// font would at height 150: points are (x, y) pairs, a pair (-1, -1) lifts
// the pen before the next point.
void Reference(int k, const std::vector<std::pair<int, int>>& points) {
    const float gx = 1.0f / 6;
    const float gy = 0.25f;
    bool lifted = true;
    for (const auto& [i, j] : points) {
        if (i < 0) {
            lifted = true;
            continue;
        }
        STROKE(2 + k * 1.5f + i * gx, 2 + j * gy, lifted ? 0 : 1);
        lifted = false;
    }
}

TEST_F(Utf8Text, NewLettersMatchAReferenceDrawnStrokeByStroke) {
    const PixelSet drawn = Utf8("Łęж");
    Clear();
    constexpr std::pair<int, int> up{-1, -1};
    Reference(0, {{1, 6}, {1, 0}, {6, 0}, {6, 1}, up, {0, 2}, {3, 4}});  // L with a stroke
    Reference(1, {{1, 2},
                  {5, 2},
                  {5, 3},
                  {4, 4},
                  {2, 4},
                  {1, 3},
                  {1, 1},
                  {2, 0},
                  {4, 0},
                  {5, 1},  // e
                  up,
                  {5, 0},
                  {4, -1},
                  {5, -2},
                  {6, -2}});  // and its ogonek, under the line
    Reference(2, {{3, 0}, {3, 4}, up, {0, 4}, {3, 2}, {6, 4}, up, {0, 0}, {2, 2}, {4, 2}, {6, 0}});  // zhe
    EXPECT_EQ(drawn, Ink());
    EXPECT_EQ(TEXTMISSING(0), 0);
}

TEST_F(Utf8Text, CharactersWithoutAGlyphShowAsABoxAndAreCounted) {
    // A letter of no set, and a broken sequence (a lead byte before 'b').
    const PixelSet unknown = Utf8(
        "a\xE4\xB8\xAD"
        "b");
    EXPECT_EQ(TEXTMISSING(0), 1);
    const PixelSet broken = Utf8(
        "a\xC3"
        "b");
    EXPECT_EQ(TEXTMISSING(1), 2);
    EXPECT_EQ(TEXTMISSING(0), 0);  // reset after reading
    EXPECT_EQ(unknown, broken);
    // The box takes a cell of its own between the letters, with ink in it.
    const PixelSet letters = Utf8("a b");
    EXPECT_GT(unknown.size(), letters.size() + 50);
    // Measuring for alignment does not count twice.
    TEXTCU(15, 2, 150, "\xE4\xB8\xAD", 0, 0, 0, 1);
    EXPECT_EQ(TEXTMISSING(1), 1);
    // Latin-1 signs the byte sets lack come from the wide set; byte text
    // keeps drawing them as spaces and counts nothing.
    EXPECT_GT(Utf8("\xC2\xAB\xC2\xBB").size(), 0u);
    EXPECT_EQ(Bytes("\xAB\xBB").size(), 0u);
    EXPECT_EQ(TEXTMISSING(0), 0);
}

TEST(WideSet, EveryCharacterDrawsOnTheGridWithAMarkThatDraws) {
    using namespace plotfont;
    std::set<int> glyphs;
    char32_t previous = 0;
    for (const WideCharacter& c : kWideCharacters) {
        EXPECT_GT(c.code, previous);
        previous = c.code;
        glyphs.insert(c.glyph);
        if (c.mark != 0) {
            glyphs.insert(c.mark);
            EXPECT_TRUE(c.mark >= kWideFirst || c.mark == kAcuteGlyph || c.mark == kGraveGlyph ||
                        c.mark == kCircumflexGlyph || c.mark == kDiaeresisGlyph || c.mark == kRingGlyph ||
                        c.mark == kTildeGlyph || c.mark == kCedillaGlyph)
                << std::hex << static_cast<unsigned>(c.code);
        }
    }
    glyphs.insert(kReplacementGlyph);
    for (int g : glyphs) {
        const GlyphRun run = GlyphWords(g);
        ASSERT_GE(run.count, 2) << "glyph " << g;
        EXPECT_NE(WordOp(run.words[0]), kOpDraw) << "glyph " << g;
        int shift = 0;
        for (int k = 0; k < run.count; ++k) {
            const int w = run.words[k];
            ASSERT_NE(WordOp(w), kOpEnd) << "glyph " << g;
            if (WordOp(w) == kOpDescender) shift = 2;
            if (WordOp(w) == kOpMove) shift = 0;
            EXPECT_LE(WordX(w), 6) << "glyph " << g;
            EXPECT_GE(WordY(w) - shift, -2) << "glyph " << g;
        }
    }
    // The whole of Latin Extended-A, Russian, Ukrainian and Greek letters.
    std::vector<unsigned> codes = {0x401, 0x404, 0x406, 0x407, 0x451, 0x454, 0x456, 0x457, 0x490, 0x491, 0x218,
                                   0x219, 0x21A, 0x21B, 0x386, 0x388, 0x389, 0x38A, 0x38C, 0x38E, 0x38F};
    for (unsigned c = 0x100; c <= 0x17F; ++c) codes.push_back(c);
    for (unsigned c = 0x410; c <= 0x44F; ++c) codes.push_back(c);
    for (unsigned c = 0x391; c <= 0x3CE; ++c) {
        if (c != 0x3A2) codes.push_back(c);  // no capital final sigma
    }
    for (unsigned c : codes) EXPECT_NE(FindWideCharacter(c), nullptr) << std::hex << c;
}

// The capitals of the language TEXTLANGUAGE names: Turkish draws i as İ in
// capitals mode (ı as I, as everywhere), Greek written in capitals only, or
// drawn in capitals mode, drops the tonos but keeps the dialytika; a language beyond the first seven
// sets Latin-1 marks close (lower), theirs keep the classic ones; byte text
// keeps its one rule.
TEST_F(Utf8Text, CapitalsFollowTheLanguage) {
    // DotAbove: the other's ink plus ink above it; Lower: its top row lower.
    enum Expect { Same, Differs, DotAbove, Lower };
    struct Case {
        const char* language;
        const char* text;
        const char* common;  // drawn with no language set
        int style;
        Expect expect;
    };
    const Case cases[] = {
        {"tr", "enine", "enine", 1, DotAbove},       {"tr_TR.UTF-8", "enıne", "enine", 1, Same},
        {"tr", "enine", "enine", 0, Same},           {"de", "enine", "enine", 1, Same},
        {"el", "ΈΞΟΔΟΣ", "ΕΞΟΔΟΣ", 1, Same},         {"el", "ΚΎΜΑ ΉΧΟΣ", "ΚΥΜΑ ΗΧΟΣ", 0, Same},
        {"el", "Έξοδος", "Εξοδος", 1, Same},         {"el", "Έξοδος", "Εξοδος", 0, Differs},
        {"el", "Παύση ΐ ΰ", "Παυση ϊ ϋ", 1, Same},   {"el", "ΫΨΗΛΌ", "ΥΨΗΛΟ", 1, Differs},
        {"el", "ΫΨΗΛΌ", "ΫΨΗΛΟ", 1, Same},           {"ga", "Céim", "Céim", 1, Lower},
        {"hu_HU.UTF-8", "Lépés", "Lépés", 1, Lower}, {"hu", "Lépés", "Lépés", 0, Same},
        {"cs", "Podélná", "Podélná", 3, Lower},      {"pt_BR", "Próximo", "Próximo", 1, Same},
        {"fr", "Arrêt", "Arrêt", 3, Same},           {"C.UTF-8", "Céim", "Céim", 1, Same},
    };
    for (const Case& c : cases) {
        TEXTLANGUAGE(nullptr);
        const PixelSet common = Utf8(c.common, c.style);
        TEXTLANGUAGE(c.language);
        const PixelSet drawn = Utf8(c.text, c.style);
        const std::string what = std::string(c.language) + ": " + c.text;
        if (c.expect == Same) {
            EXPECT_EQ(drawn, common) << what;
        } else if (c.expect == Differs) {
            EXPECT_NE(drawn, common) << what;
        }
        int commonTop = 0;  // rows count from the bottom
        for (const auto& pixel : common) commonTop = std::max(commonTop, pixel.second);
        if (c.expect == Lower) {
            int top = 0;
            for (const auto& pixel : drawn) top = std::max(top, pixel.second);
            EXPECT_LT(top, commonTop) << what << ": marks not set close";
        }
        if (c.expect == DotAbove) {
            int above = 0;
            int elsewhere = 0;
            for (const auto& pixel : drawn) {
                if (common.count(pixel) == 0) ++(pixel.second > commonTop ? above : elsewhere);
            }
            EXPECT_EQ(elsewhere, 0) << what << ": ink beside the dot";
            EXPECT_EQ(drawn.size() - static_cast<std::size_t>(above), common.size()) << what << ": letters lost";
            EXPECT_GT(above, 0) << what << ": no dot above";
        }
    }
    TEXTLANGUAGE("tr");
    EXPECT_EQ(Bytes("enine", 1), Utf8("enıne", 1)) << "byte text keeps i as I";
    TEXTLANGUAGE(nullptr);
}

}  // namespace
