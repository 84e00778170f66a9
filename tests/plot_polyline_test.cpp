// Polylines on the program's page: 28 x 4 page units, 36 pixels per unit,
// user units equal to page units unless a test sets another window.
#include <gtest/gtest.h>

#include <stdlib.h>
#include "tests/posix_compat.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "plot/host.h"
#include "plot/palette.h"
#include "plot/plot.h"
#include "tests/plot_support.h"

namespace {

using namespace plot_palette;

class PolylinePage : public ProgramPageSuite {
protected:
    void SetUp() override {
        ProgramPageSuite::SetUp();
        if (HasFatalFailure()) return;
        SETCOLOURS(kBlue, 5);
        LINEWIDTH(25);
    }

    // Runs of painted pixels along one row, as [first, last] columns.
    static std::vector<std::pair<int, int>> Runs(int row) {
        std::vector<std::pair<int, int>> runs;
        for (int col = 0; col < PlotState.imageWidth; ++col) {
            if (PixelAt(col, row) == kWhite) continue;
            if (!runs.empty() && runs.back().second == col - 1) {
                runs.back().second = col;
            } else {
                runs.push_back({col, col});
            }
        }
        return runs;
    }

};

std::string CaptureCall(void (*call)()) {
    PlotOutputCapture console;
    call();
    return console.Output();
}

// ---- arguments and the points visited ---------------------------------------------------

TEST_F(PolylinePage, TooFewPointsAreReportedAndDrawNothing) {
    const auto blank = PagePixels();
    static float phase;
    phase = 0.25f;
    EXPECT_EQ(CaptureCall([] {
                  const float x[] = {1, 2}, y[] = {1, 2};
                  PLOTL(x, y, 0, 1, 0, 0, 0, 0, &phase);
              }),
              "PLOTL - zu wenig Punkte -> 0\n");
    EXPECT_EQ(CaptureCall([] {
                  const float x[] = {1, 2}, y[] = {1, 2};
                  PLOTL(x, y, 1, 1, 0, 2, 0, 1, &phase);  // dashed needs two
              }),
              "PLOTL - zu wenig Punkte -> 1\n");
    EXPECT_EQ(CaptureCall([] {
                  const float x[] = {1, 2}, y[] = {1, 2};
                  PLOTL(x, y, -3, 1, 0, 9, 0, 0, &phase);  // line type 9 is 5: dashed
              }),
              "PLOTL - zu wenig Punkte -> -3\n");
    EXPECT_EQ(PagePixels(), blank);
    EXPECT_EQ(phase, 0.25f);
}

TEST_F(PolylinePage, OnePointIsADotOrAMarker) {
    const float x[] = {1.5f}, y[] = {1.5f};
    float phase = 0;
    PLOTL(x, y, 1, 1, 0, 1, 0, 0, &phase);  // equidistant with one point: plain
    EXPECT_EQ(PaintedPixels(), (PixelSet{{54, 54}}));

    ClearPage();
    PLOTL(x, y, 1, 1, 4, 0, 0, 0, &phase);  // symbol 4: a square of side 0.16
    const PixelSet square = PaintedPixels();
    EXPECT_EQ(square.count({54, 54}), 0u);
    EXPECT_EQ(square.count({54 + 2, 54 + 2}), 1u);  // (1.58, 1.58): its corner
    EXPECT_EQ(square.count({54 - 3, 54 - 3}), 1u);
}

TEST_F(PolylinePage, SymbolMinusOneJoinsThePreviousPoint) {
    PLOT(1, 1, 3);  // the current point
    const float x[] = {2, 3}, y[] = {1, 1};
    float phase = 0;
    PLOTL(x, y, 2, 1, -1, 0, 0, 0, &phase);
    for (int col = 36; col <= 108; ++col) ASSERT_EQ(PixelAt(col, 36), kBlue) << col;

    // Symbol 0 starts afresh at the first point.
    ClearPage();
    PLOT(1, 1, 3);
    PLOTL(x, y, 2, 1, 0, 0, 0, 0, &phase);
    EXPECT_EQ(PixelAt(54, 36), kWhite);
    EXPECT_EQ(PixelAt(72, 36), kBlue);
    // Symbols below -1 count as -1.
    ClearPage();
    PLOT(1, 1, 3);
    PLOTL(x, y, 2, 1, -40, 0, 0, 0, &phase);
    EXPECT_EQ(PixelAt(54, 36), kBlue);
}

TEST_F(PolylinePage, IncrementVisitsEveryKthPointAfterTheFirst) {
    const float x[] = {1, 2, 3, 4, 5}, y[] = {1, 1, 1, 1, 1};
    float phase = 0;
    PLOTL(x, y, 5, 2, 1, 0, 0, 0, &phase);  // dots at points 1 and 3
    EXPECT_EQ(PaintedPixels(), (PixelSet{{72, 36}, {144, 36}}));

    // An increment beyond the points is cut to n - 1 = 4: point 3 only.
    ClearPage();
    PLOTL(x, y, 5, 99, 1, 0, 0, 0, &phase);
    EXPECT_EQ(PaintedPixels(), (PixelSet{{144, 36}}));
    // Zero and negative increments are 1.
    ClearPage();
    PLOTL(x, y, 5, -2, 1, 0, 0, 0, &phase);
    EXPECT_EQ(PaintedPixels().size(), 5u);
}

TEST_F(PolylinePage, EquidistantXSpreadsThePointsEvenly) {
    const float x[] = {0, 10};
    float y[11];
    for (float& v : y) v = 2;
    float phase = 0;
    PLOTL(x, y, 11, 1, 1, 1, 0, 0, &phase);
    PixelSet want;
    for (int i = 0; i <= 10; ++i) want.insert({36 * i, 72});
    EXPECT_EQ(PaintedPixels(), want);

    // With an odd line type the increment is also held to n / 3.
    ClearPage();
    PLOTL(x, y, 11, 5, 1, 1, 0, 0, &phase);  // increment 3: points 2, 5, 8
    EXPECT_EQ(PaintedPixels(), (PixelSet{{72, 72}, {180, 72}, {288, 72}}));
}

TEST_F(PolylinePage, StepSymbolsDrawStaircases) {
    const float x[] = {1, 2}, y[] = {1, 2};
    float phase = 0;
    PLOTL(x, y, 2, 1, 7, 0, 0, 0, &phase);  // vertical leg first
    for (int row = 36; row <= 72; ++row) EXPECT_EQ(PixelAt(36, row), kBlue) << row;
    for (int col = 36; col <= 72; ++col) EXPECT_EQ(PixelAt(col, 72), kBlue) << col;
    EXPECT_EQ(PixelAt(72, 36), kWhite);

    ClearPage();
    PLOTL(x, y, 2, 1, 8, 0, 0, 0, &phase);  // horizontal leg first
    EXPECT_EQ(PixelAt(72, 36), kBlue);
    EXPECT_EQ(PixelAt(36, 72), kWhite);
}

// ---- wrappers -------------------------------------------------------------------------------

TEST_F(PolylinePage, EachLineStartsAfreshAndRepaintsItsFirstPoint) {
    PLOTLINE(1, 1, 2, 1);
    SETCOLOUR(kRed);
    PLOTLINE(2, 1, 3, 1);
    EXPECT_EQ(PixelAt(71, 36), kBlue);
    EXPECT_EQ(PixelAt(72, 36), kRed);
    EXPECT_EQ(PixelAt(108, 36), kRed);
}

TEST_F(PolylinePage, RectangleOutlineRunsThroughItsCornerBuffers) {
    PLOTRECT(1, 1, 2, 2);
    const float wantX[] = {1, 2, 2, 1, 1}, wantY[] = {1, 1, 2, 2, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(PlotState.rectX[i], wantX[i]);
        EXPECT_EQ(PlotState.rectY[i], wantY[i]);
    }
    const auto outline = PagePixels();
    ClearPage();
    BOXFILL(1, 1, 2, 2, 0, 0);  // the box's own outline, for comparison
    EXPECT_EQ(PagePixels(), outline);
    EXPECT_FLOAT_EQ(PlotState.penX, 1.0f);
}

// ---- dashes ---------------------------------------------------------------------------------

// Checks the runs along row 72 of a dashed line from x = 1 against dashes of
// `on` and gaps of `off` page units (a pixel of slack at each end).
void ExpectDashes(const std::vector<std::pair<int, int>>& runs, double on, double off, double end) {
    std::vector<std::pair<double, double>> want;
    for (double start = 1; start < end; start += on + off) want.push_back({start, std::min(start + on, end)});
    ASSERT_EQ(runs.size(), want.size());
    for (std::size_t i = 0; i < runs.size(); ++i) {
        EXPECT_NEAR(runs[i].first, 36 * want[i].first, 1.01) << "dash " << i;
        EXPECT_NEAR(runs[i].second, 36 * want[i].second, 1.01) << "dash " << i;
    }
}

TEST_F(PolylinePage, DashLengths) {
    // Ends off the period, so that no dash begins right at the last point.
    const float x[] = {1, 4, 6.9f}, y[] = {2, 2, 2};
    float phase = 0;
    PLOTL(x, y, 3, 1, 0, 2, 4, 0, &phase);  // 4 or less: 0.18 and 0.12
    ExpectDashes(Runs(72), 0.18, 0.12, 6.9);
    EXPECT_EQ(phase, 0.0f);  // continuation 0 leaves the phase alone

    ClearPage();
    PLOTL(x, y, 3, 1, 0, 4, 50, 0, &phase);  // 50: 0.3 and 0.2
    ExpectDashes(Runs(72), 0.3, 0.2, 6.9);

    ClearPage();
    const float ends[] = {1, 6.9f};
    PLOTL(ends, y, 3, 1, 0, 3, 50, 0, &phase);  // equidistant x, dashed
    ExpectDashes(Runs(72), 0.3, 0.2, 6.9);

    // The pattern is measured in page units: a doubled user scale draws the
    // same dashes.
    ClearPage();
    SETWINDOW(0, 0, 56, 8);
    const float wide[] = {2, 8, 13.8f}, high[] = {4, 4, 4};
    PLOTL(wide, high, 3, 1, 0, 2, 50, 0, &phase);
    ExpectDashes(Runs(72), 0.3, 0.2, 6.9);
}

TEST_F(PolylinePage, DashPatternRunsOnAcrossCalls) {
    const float x[] = {1, 2.3f, 3.1f, 4.6f, 5.2f, 7.9f, 8.4f, 10.05f, 12};
    const float y[] = {0.5f, 1.7f, 3.2f, 0.4f, 2.2f, 2.25f, 0.9f, 3.5f, 1};
    float whole = 0;
    PLOTL(x, y, 9, 1, 0, 2, 0, 1, &whole);
    const auto once = PagePixels();
    const auto painted = PaintedPixels();

    int endsInGap = 0;
    for (const int split : {1, 2, 4, 6}) {
        ClearPage();
        PLOT(20, 3, 13);  // somewhere else: the first call starts afresh
        float phase = 0;
        PLOTL(x, y, split + 1, 1, 0, 2, 0, 1, &phase);
        EXPECT_GT(phase, 0.0f);
        EXPECT_LT(phase, 0.3f);
        endsInGap += phase > 0.18f;
        PLOTL(x + split, y + split, 9 - split, 1, 0, 2, 0, 1, &phase);
        EXPECT_EQ(PagePixels(), once) << "split at point " << split;
        EXPECT_NEAR(phase, whole, 1e-4);
    }
    EXPECT_GT(endsInGap, 0) << "no call ended inside a gap";
    // Not a solid line: the gaps left pixels of the path unpainted.
    ClearPage();
    PLOTPOLY(x, y, 9);
    EXPECT_GT(PaintedPixels().size(), painted.size() + 100);
}

TEST_F(PolylinePage, ContinuedPhaseIsReducedToThePattern) {
    // Without a fresh start the first piece is drawn from the current point.
    const float x[] = {1, 4}, y[] = {2, 2};
    PLOT(1, 2, 13);
    float phase = 0.07f;
    PLOTL(x, y, 2, 1, 0, 2, 0, 1, &phase);
    const auto reference = PagePixels();
    const float returned = phase;
    EXPECT_EQ(PixelAt(36, 72), kBlue);
    EXPECT_EQ(PixelAt(41, 72), kWhite);  // the first dash ends at 1.11

    // The same position one and twenty periods later.
    for (const float later : {0.37f, 6.07f}) {
        ClearPage();
        PLOT(1, 2, 13);
        phase = later;
        PLOTL(x, y, 2, 1, 0, 2, 0, 1, &phase);
        EXPECT_EQ(PagePixels(), reference) << later;
        EXPECT_NEAR(phase, returned, 1e-4) << later;
    }
    // An absurd phase still ends.
    ClearPage();
    phase = 3e37f;
    PLOTL(x, y, 2, 1, 0, 2, 0, 1, &phase);
    EXPECT_GE(phase, 0.0f);
    EXPECT_LT(phase, 0.3f);
}

TEST_F(PolylinePage, FreshStartWithAPhaseBeyondTheDashStartsInTheGap) {
    // Phase 0.5 with continuation 0 is read as 0.5 - 0.3 = 0.2 into the
    // period, 0.02 into the gap: the first dash starts 0.10 after x = 1.
    const float x[] = {1, 4}, y[] = {2, 2};
    float phase = 0.5f;
    PLOTL(x, y, 2, 1, 0, 2, 0, 0, &phase);
    const auto runs = Runs(72);
    ASSERT_FALSE(runs.empty());
    EXPECT_NEAR(runs[0].first, 36 * 1.10, 1.01);
    EXPECT_NEAR(runs[0].second, 36 * 1.28, 1.01);
    EXPECT_EQ(phase, 0.5f);
}

TEST_F(PolylinePage, MarkersOnADashedLineLieOnePeriodApart) {
    const float x[] = {1, 2.5f, 4}, y[] = {2, 2, 2};
    float phase = 0;
    PLOTL(x, y, 3, 1, 2, 2, 0, 0, &phase);  // symbol 2: plus markers
    // The vertical bar of each plus crosses row 74 (y = 2.06) at x = 1 + 0.3k.
    std::vector<int> bars;
    for (const auto& run : Runs(74)) bars.push_back(run.first);
    ASSERT_GE(bars.size(), 10u);
    for (int k = 0; k < 10; ++k) EXPECT_NEAR(bars[k], 36 * (1 + 0.3 * k), 1.01) << k;
    // No line joins them: halfway between two markers the row is empty.
    for (int k = 0; k < 9; ++k) EXPECT_EQ(PixelAt(static_cast<int>(36 * (1.15 + 0.3 * k)), 72), kWhite) << k;
}

TEST_F(PolylinePage, AnEnormousDashedSegmentEnds) {
    const float x[] = {1, 1e7f, 1e7f}, y[] = {2, 2, 3};
    float phase = 0;
    PLOTL(x, y, 3, 1, 0, 2, 5, 1, &phase);
    EXPECT_EQ(PixelAt(36, 72), kBlue);
    EXPECT_GE(phase, 0.0f);
    EXPECT_LT(phase, 0.05f);
}

}  // namespace
