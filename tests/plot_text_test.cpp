// Stroke-font text on a 30 x 6 page at 38 pixels per unit.  Most cases draw
// at height 150 (H = 1.5 page units): in fixed spacing a glyph cell is H wide,
// its body 2/3 H, a grid step gx = H/9 across and gy = H/6 up (9.5 pixels).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "plot/palette.h"
#include "plot/plot.h"
#include "tests/plot_support.h"

namespace {

constexpr int kPaper = plot_palette::kWhite;
constexpr int kInk = plot_palette::kBlack;
constexpr float kPx = 38.0f;  // pixels per page unit

using PixelSet = std::set<std::pair<int, int>>;

struct Box {
    int left = 1 << 30, right = -(1 << 30), bottom = 1 << 30, top = -(1 << 30);
    bool empty() const { return right < left; }
};

class TextPage : public ::testing::Test {
protected:
    void SetUp() override {
        PlotReleasePage();
        PlotState = PlotStateRecord{};
        PlotSetHost(nullptr);
        PLOTOPEN(0, "text.plo", "Text", "text");
        ASSERT_EQ(PAGESETUP(0, 0, 30, 6, 30, 6, 2), 0);
        ASSERT_EQ(PlotState.imageWidth, 1140);
        ASSERT_EQ(PlotState.imageHeight, 228);
        SETCOLOUR(kInk);
        LINEWIDTH(5);
    }
    void TearDown() override {
        PlotReleasePage();
        PlotState = PlotStateRecord{};
    }

    static void Clear() {
        std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, kPaper);
    }
    // Every inked pixel, optionally only columns [fromCol, toCol).
    static PixelSet Ink(int fromCol = 0, int toCol = 1 << 30) {
        PixelSet found;
        toCol = std::min(toCol, PlotState.imageWidth);
        for (int row = 0; row < PlotState.imageHeight; ++row)
            for (int col = std::max(fromCol, 0); col < toCol; ++col)
                if (PlotState.pagePixels[col + PlotState.imageWidth * row] != kPaper) found.insert({col, row});
        return found;
    }
    static Box BoxOf(const PixelSet& pixels) {
        Box b;
        for (const auto& [col, row] : pixels) {
            b.left = std::min(b.left, col);
            b.right = std::max(b.right, col);
            b.bottom = std::min(b.bottom, row);
            b.top = std::max(b.top, row);
        }
        return b;
    }
    // The pixels a plain left-aligned text draws from (x, y) on a clean page.
    static PixelSet Drawn(const char* text, int height = 150, int style = 0, float x = 2, float y = 2,
                          float angle = 0, float slant = 0, float factor = 1) {
        Clear();
        TEXTG(&x, &y, height, text, style, angle, slant, factor, 0, 0);
        return Ink();
    }
    // Columns of glyph cell k of a fixed-spaced text started at page x 2.
    static PixelSet Cell(int k, float h = 1.5f) {
        return Ink(PIXELX(2 + k * h) - 1, PIXELX(2 + k * h + h) - 1);
    }
    // Where alignment 2 puts the start: the anchor minus the measured length.
    static float EndAlignedStart(const char* text, int style, float height = 150) {
        float x = 20;
        float y = 2;
        TEXTG(&x, &y, static_cast<int>(height), text, style, 0, 0, 1, 1, 2);
        return x;
    }
    static int Row(float pageY) { return static_cast<int>(pageY * kPx); }
    static int Col(float pageX) { return static_cast<int>(pageX * kPx); }

    TempDir dir_{TempDir::Use::Entered};
};

PixelSet Minus(const PixelSet& a, const PixelSet& b) {
    PixelSet out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(out, out.end()));
    return out;
}

// ---- empty texts, line feeds, control characters --------------------------------

TEST_F(TextPage, EmptyTextOrLoneLineFeedDrawsNothingAndKeepsTheStart) {
    for (const char* text : {"", "\n"}) {
        for (int alignment = 0; alignment <= 2; ++alignment) {
            Clear();
            float x = 3.25f;
            float y = 1.75f;
            TEXTG(&x, &y, 150, text, 0, 0, 0, 1, 1, alignment);
            EXPECT_EQ(x, 3.25f);
            EXPECT_EQ(y, 1.75f);
            EXPECT_TRUE(Ink().empty()) << "alignment " << alignment;
        }
    }
    // Only the last line feed is dropped.
    EXPECT_EQ(Drawn("AB\n"), Drawn("AB"));
    EXPECT_EQ(Drawn("A\nB"), Drawn("A B"));
}

TEST_F(TextPage, ControlCharactersAloneDrawNothingEvenWhenAligned) {
    for (const char* text : {"<>~<", "^", "~^"}) {
        for (int alignment = 0; alignment <= 2; ++alignment) {
            Clear();
            float x = 5;
            float y = 2;
            TEXTG(&x, &y, 150, text, 0, 0, 0, 1, 1, alignment);
            EXPECT_EQ(x, 5);
            EXPECT_EQ(y, 2);
            EXPECT_TRUE(Ink().empty()) << text;
        }
    }
}

TEST_F(TextPage, MissingPointersOrTextAreIgnored) {
    float x = 2;
    float y = 2;
    TEXTG(nullptr, &y, 150, "A", 0, 0, 0, 1, 1, 1);
    TEXTG(&x, nullptr, 150, "A", 0, 0, 0, 1, 1, 1);
    TEXTG(&x, &y, 150, nullptr, 0, 0, 0, 1, 1, 1);
    EXPECT_TRUE(Ink().empty());
}

TEST_F(TextPage, BytesWithoutAGlyphAndLowControlCodesDrawAsSpaces) {
    const PixelSet spaced = Drawn("A B");
    EXPECT_EQ(Drawn("A\tB"), spaced);
    EXPECT_EQ(Drawn("A\x01" "B"), spaced);
    EXPECT_EQ(Drawn("A\xAB" "B"), spaced);  // the guillemet has no glyph
    EXPECT_EQ(Drawn("A\x7F" "B"), spaced);
    EXPECT_EQ(Drawn("A^ B"), spaced);        // a prefixed space is a space too
}

// ---- raise, lower, prefix, overprint -------------------------------------------------

TEST_F(TextPage, RaisedAndLoweredGlyphsMoveFourGridUnitsAndKeepTheAdvance) {
    const float gy = 1.5f / 6;
    Drawn("H2O");
    const PixelSet plainH = Cell(0), plain2 = Cell(1), plainO = Cell(2);
    Drawn("H<2O");
    EXPECT_EQ(Cell(0), plainH);
    EXPECT_EQ(Cell(2), plainO);
    const Box up = BoxOf(Cell(1)), flat = BoxOf(plain2);
    EXPECT_EQ(up.left, flat.left);
    EXPECT_EQ(up.right, flat.right);
    EXPECT_NEAR(up.bottom - flat.bottom, 4 * gy * kPx, 1.0);
    EXPECT_NEAR(up.top - flat.top, 4 * gy * kPx, 1.0);

    Drawn("H>2O");
    EXPECT_EQ(Cell(2), plainO);
    EXPECT_NEAR(BoxOf(Cell(1)).bottom - flat.bottom, -4 * gy * kPx, 1.0);
    // A later mark replaces an earlier one; the mark lasts one glyph only.
    EXPECT_EQ(Drawn("H<>2O"), Drawn("H>2O"));
    Drawn("HH");
    const PixelSet secondH = Cell(1);
    Drawn("<HH");
    EXPECT_EQ(Cell(1), secondH);
}

TEST_F(TextPage, PrefixTakesTheNextByteFromTheAlternateSet) {
    const PixelSet latinA = Drawn("a");
    const PixelSet alpha = Drawn("^a");
    EXPECT_FALSE(alpha.empty());
    EXPECT_NE(alpha, latinA);
    // After the prefix the control characters are ordinary glyphs.
    const PixelSet caret = Drawn("^^");
    EXPECT_FALSE(caret.empty());
    EXPECT_FALSE(Drawn("^<").empty());
    EXPECT_FALSE(Drawn("^~").empty());
    // The caret is the circumflex accent, which a composed letter lifts by 2.
    const PixelSet accent = Minus(Drawn("\xE2"), Drawn("a"));  // a circumflex
    const Box lifted = BoxOf(accent), own = BoxOf(caret);
    EXPECT_EQ(lifted.left, own.left);
    EXPECT_EQ(lifted.right, own.right);
    EXPECT_NEAR(lifted.bottom - own.bottom, 2 * 0.25f * kPx, 1.0);
    // The prefix applies to one byte only.
    Drawn("^aa");
    EXPECT_EQ(BoxOf(Cell(1)).left - Col(1.5f), BoxOf(latinA).left);
}

TEST_F(TextPage, TrailingPrefixDrawsNothing) {
    EXPECT_EQ(Drawn("AB^"), Drawn("AB"));
    EXPECT_FLOAT_EQ(EndAlignedStart("AB^", 0), EndAlignedStart("AB", 0));
}

TEST_F(TextPage, OverprintPutsTwoGlyphsOnOnePlaceAndAdvancesOnce) {
    PixelSet both = Drawn("=");
    const PixelSet slash = Drawn("/");
    both.insert(slash.begin(), slash.end());
    EXPECT_EQ(Drawn("~=/"), both);
    EXPECT_EQ(Drawn("~~=/"), both);  // several flags act as one
    // The pair advances once, by the width of its first glyph.
    const float h = 1.5f;
    EXPECT_NEAR(EndAlignedStart("~=/", 2), 20 - (1.0f * h - h / 3), 1e-4);
    EXPECT_NEAR(EndAlignedStart("~/=", 2), 20 - (0.8f * h - h / 3), 1e-4);
    EXPECT_NEAR(EndAlignedStart("~=/H", 0), 20 - (h + 2 * h / 3), 1e-4);
    // A slashed O is the same picture as O overprinted with a slash.
    EXPECT_EQ(Drawn("\xD8"), Drawn("~O/"));
    EXPECT_EQ(Drawn("\xD8", 150, 2), Drawn("~O/", 150, 2));
}

// ---- composed letters -------------------------------------------------------------

TEST_F(TextPage, AccentSitsTwoUnitsUpOnSmallLettersAndThreeOnShrunkCapitals) {
    const float gy = 0.25f;
    const int base = Row(2);
    // e acute: the letter as it is, the accent (grid 4..6) two units higher.
    const PixelSet e = Drawn("e");
    const PixelSet eAcute = Drawn("\xE9");
    EXPECT_TRUE(std::includes(eAcute.begin(), eAcute.end(), e.begin(), e.end()));
    const Box acute = BoxOf(Minus(eAcute, e));
    EXPECT_NEAR(acute.bottom, base + 6 * gy * kPx, 1.0);
    EXPECT_NEAR(acute.top, base + 8 * gy * kPx, 1.0);

    // E acute: the E drawn 0.9 high, the accent three of its units higher.
    const Box plainE = BoxOf(Drawn("E"));
    const PixelSet capital = Drawn("\xC9");
    Box eBody, accentBox;
    for (const auto& p : capital) {
        if (p.second <= base + static_cast<int>(0.9f * 6 * gy * kPx) + 1) {
            eBody.left = std::min(eBody.left, p.first);
            eBody.top = std::max(eBody.top, p.second);
        } else {
            accentBox.bottom = std::min(accentBox.bottom, p.second);
            accentBox.top = std::max(accentBox.top, p.second);
        }
    }
    EXPECT_NEAR(plainE.top, base + 6 * gy * kPx, 1.0);
    EXPECT_NEAR(eBody.top, base + 0.9f * 6 * gy * kPx, 1.0);
    EXPECT_NEAR(accentBox.bottom, base + 0.9f * 7 * gy * kPx, 1.0);
    EXPECT_NEAR(accentBox.top, base + 0.9f * 9 * gy * kPx, 1.0);
}

TEST_F(TextPage, CedillaAndSlashKeepTheirOwnPlace) {
    const Box cedilla = BoxOf(Minus(Drawn("\xC7"), Drawn("C")));  // C cedilla
    EXPECT_NEAR(cedilla.bottom, Row(2) - 2 * 0.25f * kPx, 1.0);
    EXPECT_LE(cedilla.top, Row(2) + 1);
    // The C under a cedilla keeps its full height.
    EXPECT_EQ(BoxOf(Drawn("\xC7")).top, BoxOf(Drawn("C")).top);
}

TEST_F(TextPage, RaisedComposedLetterIsRaisedWhole) {
    Drawn("x\xE9");
    const PixelSet flat = Cell(1);
    Drawn("x<\xE9");
    const Box up = BoxOf(Cell(1)), down = BoxOf(flat);
    EXPECT_NEAR(up.bottom - down.bottom, 4 * 0.25f * kPx, 1.0);
    EXPECT_NEAR(up.top - down.top, 4 * 0.25f * kPx, 1.0);
}

// ---- capitals mode and spacing ---------------------------------------------------

TEST_F(TextPage, CapitalsModeDrawsWaveAsCapitalsOfTwoSizes) {
    const float h = 1.5f;
    Drawn("Wave", 150, 1);
    const Box w = BoxOf(Cell(0)), a = BoxOf(Cell(1)), v = BoxOf(Cell(2)), e = BoxOf(Cell(3));
    const int base = Row(2);
    EXPECT_NEAR(w.top - base, 1.2f * h * kPx, 1.5);
    for (const Box& small : {a, v, e}) EXPECT_NEAR(small.top - base, 6.0f / 7 * h * kPx, 1.5);
    for (const Box& any : {w, a, v, e}) EXPECT_NEAR(any.bottom, base, 1.0);
    // The small capitals are the capitals' shapes: 'a' becomes a pointed A.
    Drawn("A", 150, 1);
    const Box capitalA = BoxOf(Ink());
    EXPECT_EQ(a.left - Col(1.5f), capitalA.left);
    // Outside capitals mode the lower-case letters stand 4 units high.
    Drawn("Wave", 150, 0);
    EXPECT_NEAR(BoxOf(Cell(1)).top - base, 4 * h / 6 * kPx, 1.0);
    EXPECT_NEAR(BoxOf(Cell(0)).top - base, h * kPx, 1.0);
}

TEST_F(TextPage, FixedSpacingAdvancesEveryCharacterByTheHeight) {
    const float h = 1.5f;
    for (const char* text : {"il", "mw", "W.", "..", "\xE9\xC9"}) {
        EXPECT_NEAR(EndAlignedStart(text, 0), 20 - (h + 2 * h / 3), 1e-4) << text;
    }
    // The H after two characters starts exactly two cells on.
    for (const char* text : {"ilH", "mwH"}) {
        Drawn(text);
        EXPECT_EQ(BoxOf(Ink(Col(2 + 2 * h) - 1)).left, Col(2 + 2 * h)) << text;
    }
}

TEST_F(TextPage, ProportionalSpacingUsesTheAdvanceWidths) {
    const float h = 1.5f;
    EXPECT_NEAR(EndAlignedStart("il", 2), 20 - (0.6f * h + 0.6f * h - h / 3), 1e-4);
    EXPECT_NEAR(EndAlignedStart("mw", 2), 20 - (1.6f * h + 1.4f * h - h / 3), 1e-4);
    Drawn("ilH", 150, 2);
    EXPECT_EQ(BoxOf(Ink(Col(2 + 1.2f * h) - 2)).left, Col(2 + 1.2f * h));
    Drawn("mwH", 150, 2);
    EXPECT_EQ(BoxOf(Ink(Col(2 + 3.0f * h) - 2)).left, Col(2 + 3.0f * h));
    // Each glyph is stretched to fill its body: the m runs from the start to
    // the end of its 1.6 H advance less the gap.
    const Box m = BoxOf(Drawn("m", 150, 2));
    EXPECT_EQ(m.left, Col(2));
    EXPECT_NEAR(m.right, (2 + 1.6f * h - h / 3) * kPx, 1.0);
    // A narrow glyph is centred in its body.
    const Box i = BoxOf(Drawn("i", 150, 2));
    EXPECT_NEAR(i.left, (2 + (0.6f * h - h / 3) / 2) * kPx, 1.0);
}

TEST_F(TextPage, HeightSetsCapitalsAndFactorStretchesOnlyUpwards) {
    const PixelSet one = Drawn("HH", 40, 0, 2, 2, 0, 0, 1);
    Box first = BoxOf(Ink(0, Col(2.4f))), second = BoxOf(Ink(Col(2.4f) - 1));
    EXPECT_NEAR(first.top - first.bottom, 0.40f * kPx, 1.0);
    EXPECT_NEAR(second.left - first.left, 0.40f * kPx, 1.0);
    Drawn("HH", 40, 0, 2, 2, 0, 0, 2);
    first = BoxOf(Ink(0, Col(2.4f)));
    second = BoxOf(Ink(Col(2.4f) - 1));
    EXPECT_NEAR(first.top - first.bottom, 0.80f * kPx, 1.0);
    EXPECT_NEAR(second.left - first.left, 0.40f * kPx, 1.0);
    // 0 means 1; the stretch is clamped to 0.33 .. 3.
    EXPECT_EQ(Drawn("HH", 40, 0, 2, 2, 0, 0, 0), one);
    EXPECT_EQ(Drawn("H", 40, 0, 2, 2, 0, 0, 10), Drawn("H", 40, 0, 2, 2, 0, 0, 3));
    EXPECT_EQ(Drawn("H", 40, 0, 2, 2, 0, 0, 0.1f), Drawn("H", 40, 0, 2, 2, 0, 0, 0.33f));
}

// ---- slant, angle, length -----------------------------------------------------------

TEST_F(TextPage, SlantAboveHalfACircleCountsFromBelowAndIsClamped) {
    const PixelSet left45 = Drawn("I", 150, 0, 5, 2, 0, -45);
    EXPECT_EQ(Drawn("I", 150, 0, 5, 2, 0, 200), left45);  // 200 - 360 = -160 -> -45
    EXPECT_EQ(Drawn("I", 150, 0, 5, 2, 0, -90), left45);
    EXPECT_EQ(Drawn("I", 150, 0, 5, 2, 0, 405), Drawn("I", 150, 0, 5, 2, 0, 45));
    EXPECT_NE(Drawn("I", 150, 0, 5, 2, 0, 10), Drawn("I", 150, 0, 5, 2, 0, 0));
    // At -45 the upright leans left by 45 degrees: the top serif lies left of
    // the foot by as much as it stands above it (6 units of 0.25 along it).
    PixelSet high, low;
    for (const auto& p : left45) {
        if (p.second > Row(2.9f)) high.insert(p);
        if (p.second <= Row(2) + 1) low.insert(p);
    }
    const float rise = 6 * 0.25f * std::sqrt(0.5f);
    EXPECT_NEAR(BoxOf(high).top - Row(2), rise * kPx, 1.0);
    EXPECT_NEAR(BoxOf(low).left - BoxOf(high).left, rise * kPx, 1.5);
}

TEST_F(TextPage, AngleTurnsTheBaseLine) {
    // "HH" turned by 90 degrees: the second H stands a cell above the first.
    Drawn("HH", 150, 0, 10, 0.2f, 90);
    const Box turned = BoxOf(Ink());
    EXPECT_NEAR(turned.top, (0.2f + 1.5f + 2 * 1.5f / 3) * kPx, 1.5);
    EXPECT_NEAR(turned.right, 10 * kPx, 1.0);
    EXPECT_NEAR(turned.left, (10 - 1.5f) * kPx, 1.5);
    // 180 degrees runs leftwards, upside down.
    const Box back = BoxOf(Drawn("HH", 150, 0, 10, 3, 180));
    EXPECT_NEAR(back.right, 10 * kPx, 1.0);
    EXPECT_NEAR(back.left, (10 - 1.5f - 1.0f) * kPx, 1.5);
    EXPECT_NEAR(back.bottom, (3 - 1.5f) * kPx, 1.5);
}

TEST_F(TextPage, OnlyTheFirstEightyCharactersAreUsed) {
    const std::string eighty(80, 'H');
    const std::string hundred(100, 'H');
    const PixelSet first = Drawn(eighty.c_str(), 20, 0, 0.5f);
    EXPECT_EQ(Drawn(hundred.c_str(), 20, 0, 0.5f), first);
    EXPECT_NEAR(BoxOf(first).right, (0.5f + 79 * 0.2f + 2 * 0.2f / 3) * kPx, 1.0);
    // A line feed beyond the limit is not the last character.
    EXPECT_EQ(Drawn((eighty + "\n").c_str(), 20, 0, 0.5f), first);
}

// ---- alignment and the measured end ------------------------------------------------

TEST_F(TextPage, CentringAtAngleZeroMovesOnlyX) {
    const float h = 1.5f;
    float x = 10;
    float y = 2.5f;
    TEXTG(&x, &y, 150, "HH", 0, 0, 0, 1, 1, 1);
    EXPECT_EQ(y, 2.5f);
    EXPECT_NEAR(x, 10 - (h + 2 * h / 3) / 2, 1e-4);  // the gap after the last glyph does not count
    x = 10;
    y = 2.5f;
    TEXTG(&x, &y, 150, "HH", 0, 90, 0, 1, 1, 1);
    EXPECT_EQ(x, 10);
    EXPECT_NEAR(y, 2.5f - (h + 2 * h / 3) / 2, 1e-4);
    x = 10;
    y = 2.5f;
    TEXTG(&x, &y, 150, "HH", 0, 30, 0, 1, 1, 2);
    EXPECT_NEAR(x, 10 - (h + 2 * h / 3) * std::cos(0.5235988f), 1e-4);
    EXPECT_NEAR(y, 2.5f - (h + 2 * h / 3) * 0.5f, 1e-4);
    // Without write-back the caller's values stay as they were.
    x = 10;
    y = 2.5f;
    TEXTG(&x, &y, 150, "HH", 0, 0, 0, 1, 0, 1);
    EXPECT_EQ(x, 10);
}

TEST_F(TextPage, AlignmentWorksInUserUnits) {
    SETWINDOW(100, 0, 160, 12);  // two user units per page unit
    float x = 130;
    float y = 4;
    TEXTG(&x, &y, 150, "HH", 0, 0, 0, 1, 1, 2);
    EXPECT_NEAR(x, 130 - 2 * (1.5f + 1.0f), 1e-3);
    EXPECT_EQ(y, 4);
    EXPECT_NEAR(BoxOf(Ink()).right, 15 * kPx, 1.0);
}

TEST_F(TextPage, MeasuredEndMatchesTheDrawnPixels) {
    for (int style = 0; style <= 3; ++style) {
        Clear();
        float x = 20;
        float y = 2;
        TEXTG(&x, &y, 150, "WAVE", style, 0, 0, 1, 0, 2);
        EXPECT_NEAR(BoxOf(Ink()).right, 20 * kPx, 1.0) << "style " << style;
    }
    // Centred: the ink of a symmetric text is centred on the anchor.
    Clear();
    TEXTC(15, 2, 150, "HIH", 0, 0, 0, 1);
    const Box centred = BoxOf(Ink());
    EXPECT_NEAR((centred.left + centred.right) / 2.0, 15 * kPx, 1.0);
    // TEXT starts at the point given.
    Clear();
    TEXT(15, 2, 150, "HIH", 0);
    EXPECT_EQ(BoxOf(Ink()).left, Col(15));
    EXPECT_EQ(BoxOf(Ink()).bottom, Row(2));
}

TEST_F(TextPage, PenRestsOnTheLastStrokePoint) {
    float x = 4;
    float y = 2;
    TEXTG(&x, &y, 150, "L", 0, 0, 0, 1, 0, 0);  // L ends with a draw to (6, 1)
    EXPECT_NEAR(PlotState.penX, 4 + 6 * 1.5f / 9, 1e-5);
    EXPECT_NEAR(PlotState.penY, 2 + 1.5f / 6, 1e-5);
}

// ---- descenders and dots ---------------------------------------------------------

TEST_F(TextPage, DescendersReachTwoUnitsDownAndDotsSitOnTheNormalLine) {
    const float gy = 0.25f;
    const int base = Row(2);
    for (const char* text : {"g", "p", "q", "y"}) {
        const Box b = BoxOf(Drawn(text));
        EXPECT_NEAR(b.bottom, base - 2 * gy * kPx, 1.0) << text;
        EXPECT_NEAR(b.top, base + 4 * gy * kPx, 1.0) << text;
    }
    // j: the descender ends at the plain move to its dot, which stands at 6..7.
    const Box j = BoxOf(Drawn("j"));
    EXPECT_NEAR(j.bottom, base - 2 * gy * kPx, 1.0);
    EXPECT_NEAR(j.top, base + 7 * gy * kPx, 1.0);
    // The dot of i is as high as that of j.
    EXPECT_EQ(BoxOf(Drawn("i")).top, j.top);
}

}  // namespace
