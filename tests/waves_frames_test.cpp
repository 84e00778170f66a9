// The wave frames on the program's page (1008 x 144 pixels, 28 x 4 page
// units), checked against the physics of the chain: particle i repeats the
// exciter's motion A sin(n pi / 12) i frames late, with A = 1.1 along the
// chain (longitudinal) or 1.2 across it (transversal).
#include <gtest/gtest.h>

#include <stdlib.h>
#include "tests/posix_compat.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "demo/waves.h"
#include "plot/host.h"
#include "plot/palette.h"
#include "plot/plot.h"
#include "tests/plot_support.h"

namespace {

using namespace plot_palette;

constexpr double kPi = 3.14159265358979323846;

// Displacement of particle i in frame n, from the model (0 where the wave
// has not arrived).
double Displacement(double amplitude, int n, int i) {
    return i > n ? 0.0 : amplitude * std::sin((n - i) * kPi / 12);
}

// Pixel column of a user x, and row of a user y, in each wave's window.
double LongColumn(double x) { return 36 * (x + 1.3) * 28 / 64.8; }
double TransColumn(double x) { return 36 * (x + 0.5) * 28 / 65; }
double Row(double y) { return 36 * (y + 1.5); }

// A run of non-white pixels along a row and the colours found in it.
struct PixelRun {
    int first, last;
    std::vector<int> colours;
    bool Has(int colour) const { return std::count(colours.begin(), colours.end(), colour) > 0; }
    double Centre() const { return (first + last + 1) / 2.0; }
};

class WavePage : public ProgramPageSuite {
protected:
    static unsigned char Pixel(int col, int row) {
        return PlotState.pagePixels[col + PlotState.imageWidth * row];
    }
    static unsigned char PixelAt(double col, double row) {
        return Pixel(static_cast<int>(col), static_cast<int>(row));
    }
    static std::vector<unsigned char> Page() {
        return {PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize};
    }
    static int Count(int colour) {
        const auto page = Page();
        return static_cast<int>(std::count(page.begin(), page.end(), colour));
    }
    static std::vector<PixelRun> Runs(int row) {
        std::vector<PixelRun> runs;
        for (int col = 0; col < PlotState.imageWidth; ++col) {
            const int colour = Pixel(col, row);
            if (colour == kWhite) continue;
            if (runs.empty() || runs.back().last != col - 1) runs.push_back({col, col, {}});
            runs.back().last = col;
            runs.back().colours.push_back(colour);
        }
        return runs;
    }
    static std::vector<PixelRun> RunsWith(int row, int colour) {
        std::vector<PixelRun> found;
        for (const PixelRun& run : Runs(row)) {
            if (run.Has(colour)) found.push_back(run);
        }
        return found;
    }

};

// Pages that show the same picture up to single-precision rounding: every
// pixel that differs has its colour next to it in the other page, and few
// differ.  Returns the number of differing pixels, or -1 if some pixel has
// no such neighbour.
int RoundingDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    const int width = 1008;
    const int height = static_cast<int>(a.size()) / width;
    int differing = 0;
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const int at = col + width * row;
            if (a[at] == b[at]) continue;
            ++differing;
            bool near = false;
            for (const auto& [dc, dr] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                const int c = col + dc, r = row + dr;
                if (c < 0 || c >= width || r < 0 || r >= height) continue;
                near = near || a[c + width * r] == b[at];
            }
            if (!near) return -1;
        }
    }
    return differing;
}

// ---- longitudinal wave -----------------------------------------------------------------

constexpr int kBarRow = 54;  // y = 0, across every bar

TEST_F(WavePage, LongitudinalBackgroundMarksRestPositionsOneTo63) {
    DrawLongitudinalBackground();
    for (const int row : {static_cast<int>(Row(1.2)), static_cast<int>(Row(-1.2))}) {
        const auto ticks = Runs(row);
        ASSERT_EQ(ticks.size(), 63u) << "row " << row;
        for (int i = 1; i <= 63; ++i) {
            EXPECT_NEAR(ticks[i - 1].first, LongColumn(i), 1.01) << i;
            EXPECT_TRUE(ticks[i - 1].Has(kDarkGrey));
        }
    }
    // Nothing between the marks.
    EXPECT_TRUE(Runs(kBarRow).empty());
}

TEST_F(WavePage, LongitudinalFrameZeroIsTheChainAtRest) {
    DrawLongitudinalBackground();
    const int topRow = static_cast<int>(Row(2.2));  // the driver's band, never erased
    PlotState.pagePixels[500 + 1008 * topRow] = 7;
    DrawLongitudinalFrame(0);

    const auto resting = RunsWith(kBarRow, kSilver);
    ASSERT_EQ(resting.size(), 63u);
    for (int i = 1; i <= 63; ++i) {
        EXPECT_NEAR(resting[i - 1].Centre(), LongColumn(i), 1.5) << i;
        EXPECT_TRUE(resting[i - 1].Has(kBlack)) << i;
    }
    const auto exciter = RunsWith(kBarRow, kPink);
    ASSERT_EQ(exciter.size(), 1u);
    EXPECT_NEAR(exciter[0].Centre(), LongColumn(0), 1.5);
    EXPECT_TRUE(exciter[0].Has(kRed));
    EXPECT_EQ(Count(kSkyBlue), 0);
    EXPECT_EQ(Count(kBlue), 0);

    // The ticks and the top band survive the frame's erasing.
    EXPECT_EQ(Runs(static_cast<int>(Row(1.2))).size(), 64u);  // 63 ticks and the red rest line
    EXPECT_EQ(Pixel(500, topRow), 7);
    // The frame leaves its window and weight 40 behind.
    EXPECT_FLOAT_EQ(PlotState.userXMin, -1.3f);
    EXPECT_FLOAT_EQ(PlotState.userXMax, 63.5f);
    EXPECT_FLOAT_EQ(PlotState.userYMax, 2.5f);
    EXPECT_EQ(PlotState.lineWeight, 40);
}

// Exact bar edges.  The phases follow the model's words, worked out here in
// double: phi0 = n * 3.1415927f / 12 rounded to single once, each particle's
// phase the previous one minus 0.2617994 rounded to single, x = i + 1.1f *
// sin(phase) rounded to single.  The user-to-page conversion is taken in
// extended precision and rounded once; the column is its truncated pixel.
float ReachedBarX(int n, int i) {
    float phase = static_cast<float>(n * static_cast<double>(3.1415927f) / 12.0);
    for (int k = 1; k <= i; ++k) phase = static_cast<float>(phase - 0.2617994);
    return static_cast<float>(i + static_cast<double>(1.1f) * std::sin(static_cast<double>(phase)));
}

int ExactColumn(float userX) {
    const long double page =
        (static_cast<long double>(userX) - PlotState.userXMin) * static_cast<long double>(PlotState.userToPageX);
    return static_cast<int>(PlotState.pixelsPerUnitX * static_cast<float>(page));
}

// A bar drawn in `fill` with a 2-pixel outline in `outline` has its outline
// at exactly these columns: the left one at `left`, `left` + 1, the right one
// at `right`, `right` + 1.
void ExpectBarOutline(int left, int right, int outline, int fill) {
    const auto at = [](int col) { return static_cast<int>(PlotState.pagePixels[col + 1008 * kBarRow]); };
    EXPECT_NE(at(left - 1), outline) << "left outline starts left of column " << left;
    EXPECT_EQ(at(left), outline) << "left outline at column " << left;
    EXPECT_EQ(at(left + 2), fill) << "fill after column " << left + 1;
    EXPECT_EQ(at(right - 1), fill) << "fill before column " << right;
    EXPECT_EQ(at(right + 1), outline) << "right outline at column " << right;
    EXPECT_NE(at(right + 2), outline) << "right outline ends right of column " << right + 1;
}

TEST_F(WavePage, BarEdgesOnPixelBoundariesAreExact) {
    // Resting bars whose edges map exactly onto a pixel boundary at 36
    // pixels per unit: particles 17, 26 and 44 (right edges) and 29 and 38
    // (left edges).
    DrawLongitudinalFrame(0);
    const struct { int particle, left, right; } bars[] = {
        {17, 282, 287}, {26, 422, 427}, {29, 469, 473}, {38, 609, 613}, {44, 702, 707}};
    for (const auto& bar : bars) {
        SCOPED_TRACE("particle " + std::to_string(bar.particle));
        ExpectBarOutline(bar.left, bar.right, kBlack, kSilver);
    }
    for (int i = 1; i <= 63; ++i) {
        SCOPED_TRACE("particle " + std::to_string(i));
        ExpectBarOutline(ExactColumn(static_cast<float>(i - 0.15)), ExactColumn(static_cast<float>(i + 0.15)),
                         kBlack, kSilver);
    }
    // Reached bars in frames where a single-precision phase step or a twice
    // rounded frame phase moves an edge by a column.
    for (const int n : {9, 20, 29, 35, 500}) {
        DrawLongitudinalFrame(n);
        for (int i = 2; i <= std::min(n, 63); ++i) {  // particle 1 may touch the exciter
            SCOPED_TRACE("frame " + std::to_string(n) + ", particle " + std::to_string(i));
            const float x = ReachedBarX(n, i);
            if (x - 0.15 >= 63.48) continue;
            ExpectBarOutline(ExactColumn(static_cast<float>(x - 0.15)), ExactColumn(static_cast<float>(x + 0.15)),
                             kBlue, kSkyBlue);
        }
    }
}

TEST_F(WavePage, LongitudinalFramesWhileTheWaveTravels) {
    for (const int n : {1, 6, 12, 23, 40, 63}) {
        SCOPED_TRACE("frame " + std::to_string(n));
        DrawLongitudinalFrame(n - 1);  // whatever came before is erased
        DrawLongitudinalFrame(n);
        const auto resting = RunsWith(kBarRow, kSilver);
        const auto reached = RunsWith(kBarRow, kSkyBlue);
        ASSERT_EQ(resting.size(), static_cast<std::size_t>(63 - n));
        ASSERT_EQ(reached.size(), static_cast<std::size_t>(n));
        for (int i = 1; i <= n; ++i) {
            const double x = i + Displacement(1.1, n, i);
            EXPECT_NEAR(reached[i - 1].Centre(), LongColumn(x), 1.5) << "particle " << i;
            EXPECT_TRUE(reached[i - 1].Has(kBlue));
        }
        // The front particle stands at its rest position.
        EXPECT_NEAR(reached[n - 1].Centre(), LongColumn(n), 1.5);
        if (n < 63) {
            EXPECT_NEAR(resting[0].Centre(), LongColumn(n + 1), 1.5);
        }

        const double u = Displacement(1.1, n, 0);
        const auto exciter = RunsWith(kBarRow, kPink);
        ASSERT_EQ(exciter.size(), 1u);
        EXPECT_NEAR(exciter[0].Centre(), LongColumn(u), 1.5);
    }
}

TEST_F(WavePage, LongitudinalExciterIsJoinedToItsRestPosition) {
    DrawLongitudinalFrame(6);  // the exciter at its right turning point, 1.1
    for (const double y : {-0.9, 0.9}) {
        const int row = static_cast<int>(Row(y));
        for (double x = 0.2; x <= 0.9; x += 0.1) EXPECT_EQ(PixelAt(LongColumn(x), row), kRed) << x << "," << y;
    }
    // The red rest line runs over the whole height at x = 0.
    for (const double y : {-1.4, -0.5, 0.5, 1.4}) EXPECT_EQ(PixelAt(LongColumn(0) + 0.5, Row(y)), kRed) << y;
}

TEST_F(WavePage, LongitudinalFramesOnceEveryParticleMoves) {
    for (int n = 64; n < 64 + 24; ++n) {
        SCOPED_TRACE("frame " + std::to_string(n));
        DrawLongitudinalFrame(n);
        EXPECT_EQ(Count(kSilver), 0) << "no resting bar";
        EXPECT_EQ(Count(kBlack), 0);
        // Particles 1..62 always lie inside; 63 and 64 only while the left
        // edge of their bar is left of 63.48, so 64 only below -0.37.
        // A bar pushed against the right edge may show its outline only.
        int expected = 62;
        for (const int i : {63, 64}) expected += i + Displacement(1.1, n, i) - 0.15 < 63.48;
        const bool last = Displacement(1.1, n, 64) < -0.37;
        EXPECT_EQ(RunsWith(kBarRow, kBlue).size(), static_cast<std::size_t>(expected)) << "64 shown: " << last;
    }
}

TEST_F(WavePage, LongitudinalPictureRepeatsEvery24FramesFromFrame64) {
    for (const int n : {64, 65, 70, 77, 87, 500, 10000}) {
        DrawLongitudinalFrame(n);
        const auto first = Page();
        DrawLongitudinalFrame(n + 24);
        const int differing = RoundingDifference(first, Page());
        EXPECT_GE(differing, 0) << "frame " << n;
        EXPECT_LT(differing, 1000) << "frame " << n;
        DrawLongitudinalFrame(n + 12);  // half a period later it is another picture
        EXPECT_EQ(RoundingDifference(first, Page()), -1) << "frame " << n;
    }
}

// ---- transversal wave --------------------------------------------------------------------

// The centre of particle i's dot in frame n, a little off the axis row so
// that the fill, not the axis, is read.
unsigned char TransDotFill(int n, int i) {
    const double y = Displacement(1.2, n, i);
    return PlotState.pagePixels[static_cast<int>(TransColumn(i)) + 1008 * static_cast<int>(Row(y) + 2)];
}

TEST_F(WavePage, TransversalFrameZeroIsTheChainAtRest) {
    DrawTransversalFrame(0);
    const int row = static_cast<int>(Row(0)) + 2;
    const auto resting = RunsWith(row, kSilver);
    ASSERT_EQ(resting.size(), 64u);
    for (int i = 1; i <= 64; ++i) {
        EXPECT_NEAR(resting[i - 1].Centre(), TransColumn(i), 1.5) << i;
        EXPECT_TRUE(resting[i - 1].Has(kBlack)) << i;
    }
    EXPECT_EQ(TransDotFill(0, 0), kPink);
    EXPECT_EQ(Count(kSkyBlue), 0) << "no wave line and no reached particle";
    EXPECT_EQ(Count(kBlue), 0);
    // The axis runs through all rest positions.
    for (double x = 0.5; x < 64; x += 1) EXPECT_EQ(PixelAt(TransColumn(x), Row(0)), kSilver) << x;
    EXPECT_FLOAT_EQ(PlotState.userXMin, -0.5f);
    EXPECT_FLOAT_EQ(PlotState.userXMax, 64.5f);
    EXPECT_EQ(PlotState.lineWeight, 40);
}

TEST_F(WavePage, TransversalFramesWhileTheWaveTravels) {
    for (const int n : {1, 6, 12, 30, 63}) {
        SCOPED_TRACE("frame " + std::to_string(n));
        DrawTransversalFrame(n);
        EXPECT_EQ(TransDotFill(n, 0), kPink);
        for (int i = 1; i <= 64; ++i) EXPECT_EQ(TransDotFill(n, i), i <= n ? kSkyBlue : kSilver) << i;
        EXPECT_EQ(RunsWith(static_cast<int>(Row(0)) + 2, kBlack).size(), static_cast<std::size_t>(64 - n));
        // The wave line joins neighbours up to the front and goes no further.
        for (int i = 0; i < 64; ++i) {
            const double y = (Displacement(1.2, n, i) + Displacement(1.2, n, i + 1)) / 2;
            const int col = static_cast<int>(TransColumn(i + 0.5));
            int sky = 0;
            for (int row = static_cast<int>(Row(y)) - 3; row <= static_cast<int>(Row(y)) + 3; ++row) {
                sky += Pixel(col, row) == kSkyBlue;
            }
            if (i < n) {
                EXPECT_GT(sky, 0) << "no line between " << i << " and " << i + 1;
            } else {
                EXPECT_EQ(sky, 0) << "line beyond the front at " << i;
            }
        }
    }
}

TEST_F(WavePage, TransversalExciterStemReachesItsDisplacement) {
    DrawTransversalFrame(6);  // the exciter at its top, 1.2
    const double col = TransColumn(0);
    for (double y = 0.15; y <= 1.05; y += 0.1) EXPECT_EQ(PixelAt(col, Row(y)), kRed) << y;
    EXPECT_EQ(PixelAt(col, Row(1.2) + 5), kWhite);
    DrawTransversalFrame(18);  // at its bottom
    for (double y = -0.15; y >= -1.05; y -= 0.1) EXPECT_EQ(PixelAt(col, Row(y)), kRed) << y;
    EXPECT_EQ(PixelAt(col, Row(0.5)), kWhite);
}

TEST_F(WavePage, TransversalFramesOnceEveryParticleMoves) {
    for (int n = 64; n < 64 + 24; ++n) {
        SCOPED_TRACE("frame " + std::to_string(n));
        DrawTransversalFrame(n);
        EXPECT_EQ(Count(kBlack), 0) << "no resting dot";
        for (int i = 1; i <= 64; ++i) EXPECT_EQ(TransDotFill(n, i), kSkyBlue) << i;
    }
}

TEST_F(WavePage, TransversalPictureRepeatsEvery24FramesFromFrame64) {
    for (const int n : {64, 65, 71, 80, 500, 10000}) {
        DrawTransversalFrame(n);
        const auto first = Page();
        DrawTransversalFrame(n + 24);
        const int differing = RoundingDifference(first, Page());
        EXPECT_GE(differing, 0) << "frame " << n;
        EXPECT_LT(differing, 1000) << "frame " << n;
        DrawTransversalFrame(n + 12);
        EXPECT_EQ(RoundingDifference(first, Page()), -1) << "frame " << n;
    }
}

TEST_F(WavePage, NegativeFrameNumbersDrawARestingChain) {
    DrawTransversalFrame(-5);
    EXPECT_EQ(RunsWith(static_cast<int>(Row(0)) + 2, kBlack).size(), 64u);
    EXPECT_EQ(Count(kBlue), 0);
    DrawLongitudinalFrame(-24);
    EXPECT_EQ(RunsWith(kBarRow, kSilver).size(), 63u);
    EXPECT_EQ(Count(kBlue), 0);
    // The most negative number ends at once as well (the exciter may stand
    // on particle 1's bar).
    DrawLongitudinalFrame(-2147483647 - 1);
    EXPECT_GE(RunsWith(kBarRow, kSilver).size(), 62u);
    EXPECT_EQ(Count(kBlue), 0);
}

}  // namespace

// ---- the model shared by the frames and the aids ------------------------------------------

// A frame's displacements are worked out once and shared by both waves (the
// sines) and by every later question about that frame: the answers are bit
// for bit those worked out for one particle alone, and the pictures do not
// depend on which wave or frame was drawn before.
TEST_F(WavePage, SharedDisplacementsEqualOnesWorkedOutAlone) {
    const WaveKind kinds[] = {WaveKind::Longitudinal, WaveKind::Transversal};
    // Frame n of a wave on a cleared page, after whatever was drawn before.
    const auto draw = [](WaveKind kind, int n) {
        std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, kWhite);
        if (kind == WaveKind::Longitudinal) {
            DrawLongitudinalFrame(n);
        } else {
            DrawTransversalFrame(n);
        }
    };
    for (const int n : {0, 1, 13, 40, 63, 64, 65, 100, 9999}) {
        SCOPED_TRACE(n);
        double alone[2][kChainLastParticle + 1];
        double unused[kChainLastParticle + 1];
        for (int k = 0; k < 2; ++k) {
            ParticleDisplacements(kinds[k], n + 5, unused);  // another frame is kept
            for (int i = 0; i <= kChainLastParticle; ++i) alone[k][i] = ParticleDisplacement(kinds[k], i, n);
        }
        for (int k = 0; k < 2; ++k) {
            const WaveKind kind = kinds[k];
            const WaveKind other = kinds[1 - k];
            draw(kind, n + 1);
            const auto afterAnotherFrame = (draw(kind, n), Page());
            draw(other, n);  // the other wave's frame n comes first
            draw(kind, n);
            EXPECT_EQ(afterAnotherFrame, Page()) << "wave " << k;
            double shared[kChainLastParticle + 1];
            ParticleDisplacements(kind, n, shared);
            for (int i = 0; i <= kChainLastParticle; ++i) {
                EXPECT_EQ(shared[i], alone[k][i]) << "wave " << k << " particle " << i;
                EXPECT_EQ(ParticleDisplacement(kind, i, n), alone[k][i]) << "wave " << k << " particle " << i;
            }
        }
    }
}
