// The pen: strokes rasterised as pen dots, thick dots, markers and steps,
// on the program's 1008 x 144 page (36 pixels per page unit).
#include <algorithm>
#include <chrono>

#include "tests/plot_support.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

// Page units of the pixel centre-ish point (column + f) / 36.
float At(double pixel) { return static_cast<float>(pixel / 36.0); }

struct Box {
    int left, right, bottom, top;
};
Box BoundsOf(const Pixels& pixels) {
    Box b{1 << 30, -1, 1 << 30, -1};
    for (auto [c, r] : pixels) {
        b.left = std::min(b.left, c);
        b.right = std::max(b.right, c);
        b.bottom = std::min(b.bottom, r);
        b.top = std::max(b.top, r);
    }
    return b;
}

TEST_F(PlotTest, FortyFiveDegreeStrokeStepsAlongXWithoutGaps) {
    SETCOLOUR(2);
    PLOT(1, 1, 13);
    PLOT(2, 2, 2);
    Pixels expected;
    for (int c = 36; c <= 72; ++c) expected.insert({c, c});
    EXPECT_EQ(PixelsOfColour(2), expected);
}

TEST_F(PlotTest, StrokeStepsAlongTheAxisWithMorePixels) {
    SETCOLOUR(2);
    PLOT(1, 1, 13);
    PLOT(1.5f, 3, 2);  // 18 columns, 72 rows: y-major, one dot per row
    const Pixels painted = PixelsOfColour(2);
    std::set<int> rows;
    for (auto [c, r] : painted) rows.insert(r);
    EXPECT_EQ(rows.size(), 73u);
    EXPECT_EQ(*rows.begin(), 36);
    EXPECT_EQ(*rows.rbegin(), 108);
    EXPECT_TRUE(painted.count({54, 108}));  // the end point
}

TEST_F(PlotTest, ContinuingPolylineDoesNotRepaintItsVertex) {
    const float vertexY = At(36.5);  // k = 1 lands on the next row
    SETCOLOUR(2);
    PLOT(1, vertexY, 13);
    PLOT(2, vertexY, 2);
    SETCOLOUR(3);
    PLOT(2, 2, 2);  // continues: starts stepping one dot on
    EXPECT_EQ(PixelAt(72, 36), 2);
    EXPECT_EQ(PixelAt(72, 37), 3);

    PLOT(2, vertexY, 13);  // after a move the start point is painted
    PLOT(2, 2, 2);
    EXPECT_EQ(PixelAt(72, 36), 3);
}

TEST_F(PlotTest, DrawToTheCurrentPointPaintsOneDot) {
    SETCOLOUR(2);
    STROKE(1, 1, 0);
    STROKE(1, 1, 1);
    EXPECT_EQ(PixelsOfColour(2), (Pixels{{36, 36}}));
    EXPECT_EQ(PlotState.penDrawn, 1);
}

TEST_F(PlotTest, PenValuesOtherThanOneOnlyMove) {
    SETCOLOUR(2);
    for (int pen : {2, 0, -1}) STROKE(3, 3, pen);
    EXPECT_TRUE(PixelsOfColour(2).empty());
    EXPECT_EQ(PlotState.penDrawn, 0);
    EXPECT_FLOAT_EQ(PlotState.penX, 3);
    for (int code : {0, -5, 13}) PLOT(4, 2, code);
    EXPECT_TRUE(PixelsOfColour(2).empty());
}

TEST_F(PlotTest, ThickDotsAreClampedToTheImageEdge) {
    SETCOLOUR(2);
    LINEWIDTH(26);  // 2 x 2
    PENDOT(28, 4);  // top-right corner: the block's extra pixels fall back onto it
    EXPECT_EQ(PixelsOfColour(2), (Pixels{{1007, 143}}));
    PENDOT(At(10.5), At(10.5));
    EXPECT_EQ(PixelsOfColour(2).size(), 5u);
    EXPECT_EQ(PixelAt(11, 11), 2);

    SETCOLOUR(3);
    LINEWIDTH(60);  // 3 x 3
    PENDOT(0, 0);
    EXPECT_EQ(PixelsOfColour(3), (Pixels{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    PENDOT(At(50.5), At(50.5));
    EXPECT_EQ(PixelsOfColour(3).size(), 4u + 9u);
}

TEST_F(PlotTest, LineShapeSixPaintsOnlyTheLowerRows) {
    PlotState.lineShape = 6;
    SETCOLOUR(2);
    LINEWIDTH(26);
    PENDOT(At(10.5), At(10.5));
    EXPECT_EQ(PixelsOfColour(2), (Pixels{{10, 10}, {11, 10}}));
    SETCOLOUR(3);
    LINEWIDTH(60);
    PENDOT(At(20.5), At(20.5));
    EXPECT_EQ(PixelsOfColour(3).size(), 6u);
    EXPECT_EQ(BoundsOf(PixelsOfColour(3)).bottom, 20);
}

TEST_F(PlotTest, DotCodePaintsOneThickDotAndKeepsDrawing) {
    SETCOLOUR(2);
    LINEWIDTH(60);
    PLOT(At(30.5), At(30.5), 3);
    EXPECT_EQ(PixelsOfColour(2).size(), 9u);
    EXPECT_EQ(PlotState.penDrawn, 1);
}

struct MarkerCase {
    int code;
    float endDx, endDy;  // where the pen is left, relative to the point
    Box box;             // pixel bounds of the marker around (2, 2) = pixel 72
};

TEST_F(PlotTest, EachMarkerHasItsShapeAndLeavesThePenAtItsLastStroke) {
    // 0.08 page units are 2.88 pixels: a marker spans pixels 69..74.
    const MarkerCase cases[] = {
        {4, 0.0f, -0.08f, {69, 74, 69, 74}},   {5, 0.08f, 0.0f, {70, 74, 69, 74}},
        {6, 0.08f, 0.08f, {69, 74, 69, 74}},   {7, 0.08f, -0.08f, {69, 74, 69, 74}},
        {8, 0.0f, -0.08f, {69, 74, 69, 74}},
    };
    for (const MarkerCase& c : cases) {
        OpenProgramPage();
        SETCOLOUR(2);
        PLOT(2, 2, c.code);
        EXPECT_NEAR(PlotState.penX, 2 + c.endDx, 1e-5) << c.code;
        EXPECT_NEAR(PlotState.penY, 2 + c.endDy, 1e-5) << c.code;
        EXPECT_FLOAT_EQ(PlotState.lastPlotX, 2) << c.code;
        const Box b = BoundsOf(PixelsOfColour(2));
        EXPECT_EQ(b.left, c.box.left) << c.code;
        EXPECT_EQ(b.right, c.box.right) << c.code;
        EXPECT_EQ(b.bottom, c.box.bottom) << c.code;
        EXPECT_EQ(b.top, c.box.top) << c.code;
    }
    // The plus has no corners, the square has them all, the cross has no
    // middle of an edge.
    OpenProgramPage();
    SETCOLOUR(2);
    PLOT(2, 2, 4);
    EXPECT_EQ(PixelAt(69, 69), 1);
    EXPECT_EQ(PixelAt(72, 74), 2);
    PLOT(5, 2, 6);
    EXPECT_EQ(PixelAt(177, 69), 2);
    EXPECT_EQ(PixelAt(182, 74), 2);
    PLOT(8, 2, 7);
    EXPECT_EQ(PixelAt(288, 74), 1);
    EXPECT_EQ(PixelAt(285, 69), 2);
}

TEST_F(PlotTest, DrawAfterAMarkerStartsAtItsLastCorner) {
    SETCOLOUR(2);
    PLOT(2, 2, 6);
    SETCOLOUR(3);
    PLOT(2.08f, 3, 2);  // straight up from the square's last corner
    const Box b = BoundsOf(PixelsOfColour(3));
    EXPECT_EQ(b.left, 74);
    EXPECT_EQ(b.right, 74);
    EXPECT_EQ(b.top, 108);
}

TEST_F(PlotTest, StepCodesTakeTheirLegsInOrder) {
    SETCOLOUR(2);
    PLOT(1, 1, 3);
    PLOT(2, 2, 9);  // vertical first: through (1, 2)
    EXPECT_EQ(PixelAt(36, 72), 2);
    EXPECT_EQ(PixelAt(72, 36), 1);

    OpenProgramPage();
    SETCOLOUR(2);
    PLOT(1, 1, 3);
    PLOT(2, 2, 10);  // horizontal first: through (2, 1)
    EXPECT_EQ(PixelAt(72, 36), 2);
    EXPECT_EQ(PixelAt(36, 72), 1);
    EXPECT_EQ(PixelsOfColour(2).size(), 73u);
}

TEST_F(PlotTest, StrokeFarOutsideRunsAlongTheEdge) {
    SETCOLOUR(2);
    PLOT(27, 2, 13);
    PLOT(60, 2, 2);
    const Pixels painted = PixelsOfColour(2);
    EXPECT_EQ(BoundsOf(painted).right, 1007);
    EXPECT_EQ(painted.size(), 1007u - 972u + 1u);
}

TEST_F(PlotTest, NonFiniteAndHugeCoordinatesStayInsideTheImage) {
    SETCOLOUR(2);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    PLOT(1, 1, 13);
    PLOT(inf, 1, 2);
    PLOT(nan, nan, 2);
    PLOT(-1e38f, 1e38f, 2);
    PLOT(1, 1, 4);
    EXPECT_FALSE(PixelsOfColour(2).empty());  // drew somewhere, crashed nowhere
}

}  // namespace

namespace {

TEST_F(PlotTest, StrokeLeavingThePageDiagonallyEndsInTheCorner) {
    SETCOLOUR(2);
    PLOT(27, 3, 13);
    PLOT(1e6f, 1e6f, 2);  // far beyond the top-right corner
    const Pixels painted = PixelsOfColour(2);
    EXPECT_TRUE(painted.count({1007, 143}));
    for (auto [c, r] : painted) EXPECT_EQ(c - 972, r - 108) << c << "," << r;  // the 45-degree run
    EXPECT_EQ(painted.size(), 36u);
}

}  // namespace

namespace {

TEST_F(PlotTest, StrokeEnteringFromFarAwayPaintsItsWholeEdgeRun) {
    SETCOLOUR(2);
    PLOT(-100, 0, 13);
    PLOT(1, 4, 2);  // crosses the left edge at y = 3.96: column 0 collects rows 0..142
    const Pixels painted = PixelsOfColour(2);
    for (int row = 0; row <= 142; ++row) EXPECT_TRUE(painted.count({0, row})) << row;
    EXPECT_TRUE(painted.count({36, 143}));
    EXPECT_EQ(BoundsOf(painted).right, 36);

    OpenProgramPage();
    SETCOLOUR(2);
    PLOT(-50, 2, 13);  // 1801 dots, all but 505 of them on column 0
    PLOT(14, 2, 2);
    Pixels expected;
    for (int col = 0; col <= 504; ++col) expected.insert({col, 72});
    EXPECT_EQ(PixelsOfColour(2), expected);
}

TEST_F(PlotTest, HatchedBoxFarLargerThanThePageStaysQuick) {
    // The diagonal hatch lines of a box 6000 page units across mostly run
    // off the page; their edge runs are painted without stepping every dot.
    const auto start = std::chrono::steady_clock::now();
    BOXFILL(-3000, -3000, 3000, 3000, 230, 10);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 5.0);  // stepping every dot took about 9 s (50 s with sanitizers)
    EXPECT_GT(PixelsOfColour(4).size(), 1000u);
}

}  // namespace
