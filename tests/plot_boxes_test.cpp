// Filled, hatched and outlined boxes and dots on the program's page: 28 x 4
// page units on a 1024 x 768 screen, 36 pixels per unit, user units equal to
// page units.
#include <gtest/gtest.h>

#include <stdlib.h>
#include "tests/posix_compat.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "plot/host.h"
#include "plot/palette.h"
#include "plot/plot.h"
#include "tests/plot_support.h"

namespace {

using namespace plot_palette;

class BoxPage : public ProgramPageSuite {
protected:
    void SetUp() override {
        ProgramPageSuite::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_FLOAT_EQ(PlotState.pixelsPerUnitX, 36.0f);
        SETCOLOURS(kBlue, kYellow);
        LINEWIDTH(25);
        PlotDefaultFlush();  // an empty changed-pixel rectangle
    }

    static bool RectangleIsEmpty() {
        return PlotState.dirtyLeft == PlotState.imageWidth - 1 && PlotState.dirtyRight == 0 &&
               PlotState.dirtyTop == PlotState.imageHeight - 1 && PlotState.dirtyBottom == 0;
    }

};

// ---- solid boxes and their outline --------------------------------------------

TEST_F(BoxPage, YellowBoxWithBlueOutlineCoversExactlyItsPixels) {
    BOX(1, 1, 2, 2);
    for (int row = 0; row < PlotState.imageHeight; ++row) {
        for (int col = 0; col < PlotState.imageWidth; ++col) {
            const bool inSpan = col >= 36 && col <= 72 && row >= 36 && row <= 72;
            const bool edge = inSpan && (col == 36 || col == 72 || row == 36 || row == 72);
            const int want = edge ? kBlue : inSpan ? kYellow : kWhite;
            ASSERT_EQ(PixelAt(col, row), want) << "col " << col << " row " << row;
        }
    }
    // The outline went through the pen; the pen ends at the lower left corner.
    EXPECT_EQ(PlotState.dirtyLeft, 36);
    EXPECT_EQ(PlotState.dirtyRight, 72);
    EXPECT_EQ(PlotState.dirtyTop, 143 - 72);
    EXPECT_EQ(PlotState.dirtyBottom, 143 - 36);
    EXPECT_FLOAT_EQ(PlotState.penX, 1.0f);
    EXPECT_FLOAT_EQ(PlotState.penY, 1.0f);
}

TEST_F(BoxPage, CornersInAnyOrderDrawTheSameBox) {
    BOX(1, 1, 2, 2);
    const auto reference = PagePixels();
    const float corners[][4] = {{2, 2, 1, 1}, {1, 2, 2, 1}, {2, 1, 1, 2}};
    for (const auto& c : corners) {
        ClearPage();
        BOXFILL(c[0], c[1], c[2], c[3], 100, 0);
        EXPECT_EQ(PagePixels(), reference) << c[0] << "," << c[1] << " " << c[2] << "," << c[3];
        EXPECT_FLOAT_EQ(PlotState.penX, 1.0f);
        EXPECT_FLOAT_EQ(PlotState.penY, 1.0f);
    }
}

TEST_F(BoxPage, OutlineAndFillStylesSwitchIndependently) {
    // 104: fill only, written straight into the image.
    BOXFILL(2, 2, 1, 1, 104, 0);
    EXPECT_TRUE(PixelsOfColour(kBlue).empty());
    EXPECT_EQ(PixelsOfColour(kYellow).size(), 36u * 36u);
    EXPECT_EQ(PixelAt(36, 36), kYellow);
    EXPECT_EQ(PixelAt(71, 71), kYellow);
    EXPECT_TRUE(RectangleIsEmpty()) << "a solid fill must not widen the changed rectangle";
    EXPECT_FLOAT_EQ(PlotState.penX, 1.0f);
    EXPECT_EQ(PlotState.penDrawn, 0);

    // 0: outline only, the interior stays as it was.
    ClearPage();
    BOXFILL(1, 1, 2, 2, 0, 0);
    EXPECT_TRUE(PixelsOfColour(kYellow).empty());
    EXPECT_EQ(PixelsOfColour(kBlue).size(), 4u * 36u);
    EXPECT_EQ(PixelAt(54, 54), kWhite);

    // 4 (and 40): nothing drawn, the pen only moves to the lower left corner.
    for (const int style : {4, 40}) {
        ClearPage();
        PlotDefaultFlush();
        PLOT(10, 3, 3);
        PlotDefaultFlush();
        const auto before = PagePixels();
        BOXFILL(2.5f, 2, 1.5f, 1, style, 0);
        EXPECT_EQ(PagePixels(), before) << style;
        EXPECT_TRUE(RectangleIsEmpty()) << style;
        EXPECT_FLOAT_EQ(PlotState.penX, 1.5f);
        EXPECT_FLOAT_EQ(PlotState.penY, 1.0f);
        EXPECT_EQ(PlotState.penDrawn, 0);
    }
}

TEST_F(BoxPage, DegenerateBoxes) {
    // Coinciding corners: the outline is a single dot.
    BOX(1, 1, 1, 1);
    EXPECT_EQ(PixelsOfColour(kBlue), (PixelSet{{36, 36}}));
    EXPECT_TRUE(PixelsOfColour(kYellow).empty());
    // A box narrower than a pixel gets no hatching.
    ClearPage();
    BOXFILL(1, 1, 1.02f, 3, 5, 10);
    EXPECT_TRUE(PixelsOfColour(kYellow).empty());
}

TEST_F(BoxPage, OutlineMatchesTheStrokesOfThePen) {
    // The outline must be exactly the four pen strokes around the box, at
    // every thickness and dot shape, inside, across and beyond the page.
    const float boxes[][4] = {{1, 1, 2, 2},          {0.013f, 0.51f, 27.99f, 3.49f}, {3.3f, 1.7f, 3.3f, 2.9f},
                              {5, 2, 5, 2},          {-3, -2, 1.5f, 0.7f},          {26.5f, 3.2f, 40, 9},
                              {-2000, 1, 2000, 1.2f}, {7.77f, 0.001f, 7.8f, 3.999f}, {12, 2.5f, 11.1f, 1.05f}};
    for (const int shape : {7, 6}) {
        for (const int weight : {25, 50, 80}) {
            for (const auto& b : boxes) {
                SCOPED_TRACE(::testing::Message() << "shape " << shape << " weight " << weight << " box "
                                                  << b[0] << "," << b[1] << " " << b[2] << "," << b[3]);
                PlotState.lineShape = shape;
                LINEWIDTH(weight);
                ClearPage();
                PlotDefaultFlush();
                const float left = std::min(b[0], b[2]), right = std::max(b[0], b[2]);
                const float bottom = std::min(b[1], b[3]), top = std::max(b[1], b[3]);
                PLOT(left, bottom, 13);
                PLOT(right, bottom, 2);
                PLOT(right, top, 2);
                PLOT(left, top, 2);
                PLOT(left, bottom, 2);
                const auto want = PagePixels();
                const int rect[] = {PlotState.dirtyLeft, PlotState.dirtyRight, PlotState.dirtyTop,
                                    PlotState.dirtyBottom};

                ClearPage();
                PlotDefaultFlush();
                PLOT(20, 1, 3);  // a different pen state before
                PlotDefaultFlush();
                ClearPage();
                BOXFILL(b[0], b[1], b[2], b[3], 0, 0);
                ASSERT_EQ(PagePixels(), want);
                EXPECT_EQ(PlotState.dirtyLeft, rect[0]);
                EXPECT_EQ(PlotState.dirtyRight, rect[1]);
                EXPECT_EQ(PlotState.dirtyTop, rect[2]);
                EXPECT_EQ(PlotState.dirtyBottom, rect[3]);
                EXPECT_EQ(PlotState.penX, left);
                EXPECT_EQ(PlotState.penY, bottom);
                EXPECT_EQ(PlotState.penDrawn, 1);
                EXPECT_EQ(PlotState.lastPlotX, left);
                EXPECT_EQ(PlotState.lastPlotY, bottom);
            }
        }
    }
}

// ---- hatching ----------------------------------------------------------------------

TEST_F(BoxPage, HorizontalHatchEveryHalfUnitUpToTheTopEdge) {
    LINEWIDTH(50);  // the hatch uses a one-pixel pen and gives the weight back
    BOXFILL(1, 1, 2, 3, 5, 50);  // 1 | 4: horizontal lines, no outline
    PixelSet want;
    for (const int row : {54, 72, 90, 108}) {  // y = 1.5, 2.0, 2.5 and 3.0
        for (int col = 36; col <= 71; ++col) want.insert({col, row});
    }
    EXPECT_EQ(PixelsOfColour(kYellow), want);
    EXPECT_EQ(PlotState.hatchSpacing, 50);
    EXPECT_EQ(PlotState.lineWeight, 50);
    EXPECT_EQ(PlotState.linePixels, 2);
    EXPECT_EQ(PlotState.penColour, kBlue);

    // With the outline the top line lies under it; a spacing below 10 keeps 50.
    ClearPage();
    LINEWIDTH(25);
    BOXFILL(1, 1, 2, 3, 1, 5);
    EXPECT_EQ(PlotState.hatchSpacing, 50);
    for (const int row : {54, 72, 90}) {
        for (int col = 37; col <= 71; ++col) ASSERT_EQ(PixelAt(col, row), kYellow) << col << "," << row;
    }
    for (int col = 36; col <= 72; ++col) EXPECT_EQ(PixelAt(col, 108), kBlue) << col;
    EXPECT_EQ(PixelAt(54, 63), kWhite);

    // The octal reading: 19 is style 1.
    const auto styleOne = PagePixels();
    ClearPage();
    BOXFILL(1, 1, 2, 3, 19, 0);
    EXPECT_EQ(PagePixels(), styleOne);
}

TEST_F(BoxPage, CrossHatchIsBothStraightPatterns) {
    BOXFILL(1, 1, 2, 3, 7, 50);  // 1 | 2 | 4
    PixelSet want;
    for (const int row : {54, 72, 90, 108}) {
        for (int col = 36; col <= 71; ++col) want.insert({col, row});
    }
    for (const int col : {54, 72}) {  // x = 1.5 and 2.0, the right edge
        for (int row = 36; row <= 107; ++row) want.insert({col, row});
    }
    EXPECT_EQ(PixelsOfColour(kYellow), want);
}

// Distance of a pixel from the nearest of the given diagonal lines, each
// given as the value of (col + sign * row) along it.
double NearestDiagonal(int col, int row, int sign, const std::vector<double>& lines) {
    double best = 1e9;
    for (const double c : lines) best = std::min(best, std::fabs(col + sign * row - c));
    return best;
}

TEST_F(BoxPage, DiagonalHatchesLieOneSpacingApart) {
    // Spacing 0.5 on a unit box: lines at a diagonal step of 0.5 * sqrt 2.
    const double d = 0.5 * std::sqrt(2.0);
    // Upper left to lower right: x + y = 2 + d and 2 + 2d (36 pixels a unit).
    BOXFILL(1, 1, 2, 2, 14, 50);
    const std::vector<double> falling = {36 * (2 + d), 36 * (2 + 2 * d)};
    auto hatch = PixelsOfColour(kYellow);
    ASSERT_GT(hatch.size(), 40u);
    int onFirst = 0;
    for (const auto& [col, row] : hatch) {
        EXPECT_LE(NearestDiagonal(col, row, 1, falling), 2.0) << col << "," << row;
        onFirst += std::fabs(col + row - falling[0]) <= 2.0;
    }
    EXPECT_GT(onFirst, 15);

    // Lower left to upper right: (2 - x) + (y - 1) = d, 2d.
    ClearPage();
    BOXFILL(1, 1, 2, 2, 24, 50);
    const std::vector<double> rising = {36 * (1 - d), 36 * (1 - 2 * d)};  // x - y
    hatch = PixelsOfColour(kYellow);
    ASSERT_GT(hatch.size(), 40u);
    for (const auto& [col, row] : hatch) {
        EXPECT_LE(NearestDiagonal(col, row, -1, rising), 2.0) << col << "," << row;
    }

    // 30: both directions at once.
    ClearPage();
    BOXFILL(1, 1, 2, 2, 34, 50);
    hatch = PixelsOfColour(kYellow);
    int risingCount = 0, fallingCount = 0;
    for (const auto& [col, row] : hatch) {
        fallingCount += NearestDiagonal(col, row, 1, falling) <= 2.0;
        risingCount += NearestDiagonal(col, row, -1, rising) <= 2.0;
    }
    EXPECT_GT(fallingCount, 40);
    EXPECT_GT(risingCount, 40);
}

TEST_F(BoxPage, DiagonalHatchStopsAfter32000Lines) {
    // Spacing 10: the diagonal step is 0.1414.  From x = -100 the hatching
    // reaches the visible page; from x = -10000 it would need about 70000
    // lines, and 32000 of them end far left of the page (all on column 0).
    BOXFILL(-100, 1, 10, 1.5f, 14, 10);
    int visible = 0;
    for (const auto& [col, row] : PixelsOfColour(kYellow)) visible += col >= 1;
    EXPECT_GT(visible, 1000);

    ClearPage();
    BOXFILL(-10000, 1, 10, 1.5f, 14, 10);
    for (const auto& [col, row] : PixelsOfColour(kYellow)) ASSERT_EQ(col, 0) << row;

    // The mirror image, from the far right.
    ClearPage();
    BOXFILL(18, 1, 10018, 1.5f, 24, 10);
    for (const auto& [col, row] : PixelsOfColour(kYellow)) ASSERT_EQ(col, 1007) << row;
}

TEST_F(BoxPage, HatchingFarBeyondThePageKeepsItsPixelsAndEnds) {
    // From y = -1000 every half unit: all lines below the page land on row
    // 0, then y = 0, 0.5, ..., 3.0 land on rows 0, 18, ..., 108.
    BOXFILL(1, -1000, 2, 3, 5, 50);
    std::set<int> rows;
    for (const auto& [col, row] : PixelsOfColour(kYellow)) rows.insert(row);
    EXPECT_EQ(rows, (std::set<int>{0, 18, 36, 54, 72, 90, 108}));

    // Enormous and infinite boxes end, and hatch only inside their columns.
    ClearPage();
    const float inf = std::numeric_limits<float>::infinity();
    BOXFILL(1, -1e30f, 2, 1e30f, 7, 10);
    BOXFILL(1, -inf, 2, inf, 7, 10);
    BOXFILL(-inf, 1, inf, 2, 5, 10);
    BOXFILL(-inf, -inf, inf, inf, 34, 10);
    BOXFILL(1, 1, 2, inf, 34, 10);
    for (const auto& [col, row] : PixelsOfColour(kYellow)) {
        ASSERT_TRUE((col >= 36 && col <= 72) || (row >= 36 && row <= 72)) << col << "," << row;
    }
}

TEST_F(BoxPage, HatchOverFillWidensTheChangedRectangle) {
    // 305 = solid fill + horizontal hatch in the fill colour, no outline: the
    // page looks like the plain fill, but the hatch lines went through the pen.
    BOXFILL(1, 1, 2, 3, 305, 50);
    EXPECT_EQ(PixelsOfColour(kYellow).size(), 36u * 72u + 36u);  // the top line lies on row 108
    EXPECT_EQ(PlotState.dirtyLeft, 36);
    EXPECT_EQ(PlotState.dirtyRight, 71);
    EXPECT_EQ(PlotState.dirtyTop, 143 - 108);
    EXPECT_EQ(PlotState.dirtyBottom, 143 - 54);
    EXPECT_EQ(PlotState.hatchSpacing, 50);

    // 301 adds the outline; 201 without 100 is a plain horizontal hatch.
    ClearPage();
    BOXFILL(1, 1, 2, 3, 301, 50);
    EXPECT_EQ(PixelAt(54, 54), kYellow);
    EXPECT_EQ(PixelAt(36, 54), kBlue);
    EXPECT_EQ(PixelAt(54, 108), kBlue);
    ClearPage();
    BOXFILL(1, 1, 2, 3, 1, 50);
    const auto styleOne = PagePixels();
    ClearPage();
    BOXFILL(1, 1, 2, 3, 201, 50);
    EXPECT_EQ(PagePixels(), styleOne);
}

// ---- dots ----------------------------------------------------------------------------

TEST_F(BoxPage, DotSizes) {
    const auto blank = PagePixels();
    DOT(1.5f, 1.5f, 0);
    DOT(1.5f, 1.5f, -7);
    EXPECT_EQ(PagePixels(), blank);
    EXPECT_TRUE(RectangleIsEmpty());

    // 1 and 2: one pen dot, as thick as the pen.
    DOT(1.5f, 1.5f, 2);
    EXPECT_EQ(PixelsOfColour(kBlue), (PixelSet{{54, 54}}));
    ClearPage();
    LINEWIDTH(50);
    DOT(1.5f, 1.5f, 1);
    EXPECT_EQ(PixelsOfColour(kBlue), (PixelSet{{54, 54}, {55, 54}, {54, 55}, {55, 55}}));
    EXPECT_FLOAT_EQ(PlotState.penX, 1.5f);

    // 3: a box of side 0.03 (1.08 pixels) around the point, outlined.
    ClearPage();
    LINEWIDTH(25);
    DOT(1.5f, 1.5f, 3);
    EXPECT_EQ(PixelsOfColour(kBlue), (PixelSet{{53, 53}, {54, 53}, {53, 54}, {54, 54}}));
    EXPECT_NEAR(PlotState.penX, 1.485f, 1e-5);
    EXPECT_NEAR(PlotState.penY, 1.485f, 1e-5);

    // 20: a 0.2 square (columns 50.4 to 57.6) with a yellow interior.
    ClearPage();
    DOT(1.5f, 1.5f, 20);
    const auto page = PagePixels();
    for (int row = 50; row <= 57; ++row) {
        for (int col = 50; col <= 57; ++col) {
            const bool edge = col == 50 || col == 57 || row == 50 || row == 57;
            ASSERT_EQ(PixelAt(col, row), edge ? kBlue : kYellow) << col << "," << row;
        }
    }
    EXPECT_EQ(PixelsOfColour(kBlue).size() + PixelsOfColour(kYellow).size(), 64u);

    // The side is in page units whatever the user scale.
    ClearPage();
    SETWINDOW(0, 0, 56, 8);
    DOT(3, 3, 20);
    EXPECT_EQ(PagePixels(), page);
}

}  // namespace

// ---- the change in parts -----------------------------------------------------

// A frame as a wave draws it (a band erased, a tall narrow line, bars, dots,
// a curve, a label, single pixels, a solid fill without outline, pixels a
// program wrote itself): the parts hold every pixel that changed, add up to
// the changed rectangle with the direct writes, and leave out most of the
// space between the band and the line.  Not known before collecting (nor
// for what was drawn before it began), nor after it ends.
TEST_F(BoxPage, ChangePartsHoldEveryChangedPixelInAFewRectangles) {
    PlotPixelRect parts[kPlotChangeParts];
    EXPECT_EQ(PlotTakeChangeParts(parts), -1);
    PlotCollectChangeParts(true);
    BOX(20, 3, 21, 3.5f);
    EXPECT_EQ(PlotTakeChangeParts(parts), -1) << "drawn before collecting";
    PlotDefaultFlush();

    const float curveX[] = {2, 6, 10, 14, 18, 22, 26};
    const float curveY[] = {1.2f, 1.8f, 1.3f, 1.9f, 1.1f, 1.7f, 1.4f};
    const int width = PlotState.imageWidth, height = PlotState.imageHeight;
    const auto unite = [](const PlotPixelRect& a, const PlotPixelRect& b) {
        return PlotPixelRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                             std::max(a.bottom, b.bottom)};
    };
    const auto area = [](const PlotPixelRect& r) { return (r.right - r.left + 1) * (r.bottom - r.top + 1); };
    for (int frame : {0, 1}) {
        const std::vector<unsigned char> before = PagePixels();
        const float shift = 0.1f * static_cast<float>(frame);
        SETCOLOURS(kWhite, kWhite);
        BOX(0.5f, 1.0f, 27.5f, 2.0f);
        SETCOLOURS(kRed, kRed);
        PLOTLINE(0.2f, 0.2f, 0.2f, 3.8f);
        SETCOLOURS(kBlue, kYellow);
        for (int i = 1; i < 27; i += 3) BOX(i + shift, 1.1f, i + shift + 0.3f, 1.9f);
        DOT(5 + shift, 1.5f, 3);
        float phase = 0;
        PLOTL(curveX, curveY, 7, 1, 0, 0, 0, 0, &phase);
        TEXT(22, 3.2f, 20, "Stop", 1);
        SETPIXEL(900 + frame, 130);
        BOXFILL(24, 0.2f, 25, 0.6f, 104, 5);  // solid, no outline: written directly
        const PlotPixelRect putBack{10, 5, 20 + frame, 9};
        for (int top = putBack.top; top <= putBack.bottom; ++top)
            std::fill_n(PlotState.pagePixels + static_cast<std::ptrdiff_t>(width) * (height - 1 - top) + putBack.left,
                        11 + frame, kGreen);
        PlotNoteChanged(putBack);

        const PlotPixelRect bounds =
            unite({PlotState.dirtyLeft, PlotState.dirtyTop, PlotState.dirtyRight, PlotState.dirtyBottom},
                  PlotTakeDirectWrites());
        const int count = PlotTakeChangeParts(parts);
        ASSERT_GE(count, 1);
        ASSERT_LE(count, kPlotChangeParts);
        PlotPixelRect joined = parts[0];
        int partsArea = 0;
        for (int i = 0; i < count; ++i) {
            joined = unite(joined, parts[i]);
            partsArea += area(parts[i]);
        }
        EXPECT_EQ(std::tie(joined.left, joined.top, joined.right, joined.bottom),
                  std::tie(bounds.left, bounds.top, bounds.right, bounds.bottom));
        EXPECT_LT(partsArea * 2, area(bounds));
        const std::vector<unsigned char> after = PagePixels();
        for (std::size_t at = 0; at < after.size(); ++at) {
            if (before[at] == after[at]) continue;
            const int col = static_cast<int>(at % width), top = height - 1 - static_cast<int>(at / width);
            ASSERT_TRUE(std::any_of(parts, parts + count,
                                    [&](const PlotPixelRect& p) {
                                        return col >= p.left && col <= p.right && top >= p.top && top <= p.bottom;
                                    }))
                << "frame " << frame << ": column " << col << ", row " << top << " from the top";
        }
        PlotDefaultFlush();
    }
    PlotCollectChangeParts(false);
    BOX(1, 1, 2, 2);
    EXPECT_EQ(PlotTakeChangeParts(parts), -1);
}
