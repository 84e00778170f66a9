// The pen: strokes rasterised as pen dots, thick dots, markers and steps,
// on the program's 1008 x 144 page (36 pixels per page unit).
#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <limits>
#include <random>
#include <tuple>
#include <vector>

#include "tests/plot_support.h"

namespace {

// Page units of the pixel centre-ish point (column + f) / 36.
float At(double pixel) { return static_cast<float>(pixel / 36.0); }

struct Box {
    int left, right, bottom, top;
};
Box BoundsOf(const PixelSet& pixels) {
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
    PixelSet expected;
    for (int c = 36; c <= 72; ++c) expected.insert({c, c});
    EXPECT_EQ(PixelsOfColour(2), expected);
}

TEST_F(PlotTest, StrokeStepsAlongTheAxisWithMorePixels) {
    SETCOLOUR(2);
    PLOT(1, 1, 13);
    PLOT(1.5f, 3, 2);  // 18 columns, 72 rows: y-major, one dot per row
    const PixelSet painted = PixelsOfColour(2);
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
    EXPECT_EQ(PixelsOfColour(2), (PixelSet{{36, 36}}));
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
    EXPECT_EQ(PixelsOfColour(2), (PixelSet{{1007, 143}}));
    PENDOT(At(10.5), At(10.5));
    EXPECT_EQ(PixelsOfColour(2).size(), 5u);
    EXPECT_EQ(PixelAt(11, 11), 2);

    SETCOLOUR(3);
    LINEWIDTH(60);  // 3 x 3
    PENDOT(0, 0);
    EXPECT_EQ(PixelsOfColour(3), (PixelSet{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    PENDOT(At(50.5), At(50.5));
    EXPECT_EQ(PixelsOfColour(3).size(), 4u + 9u);
}

TEST_F(PlotTest, LineShapeSixPaintsOnlyTheLowerRows) {
    PlotState.lineShape = 6;
    SETCOLOUR(2);
    LINEWIDTH(26);
    PENDOT(At(10.5), At(10.5));
    EXPECT_EQ(PixelsOfColour(2), (PixelSet{{10, 10}, {11, 10}}));
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
    const PixelSet painted = PixelsOfColour(2);
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
    const PixelSet painted = PixelsOfColour(2);
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
    const PixelSet painted = PixelsOfColour(2);
    for (int row = 0; row <= 142; ++row) EXPECT_TRUE(painted.count({0, row})) << row;
    EXPECT_TRUE(painted.count({36, 143}));
    EXPECT_EQ(BoundsOf(painted).right, 36);

    OpenProgramPage();
    SETCOLOUR(2);
    PLOT(-50, 2, 13);  // 1801 dots, all but 505 of them on column 0
    PLOT(14, 2, 2);
    PixelSet expected;
    for (int col = 0; col <= 504; ++col) expected.insert({col, 72});
    EXPECT_EQ(PixelsOfColour(2), expected);
}

// Processor seconds an operation takes (a loaded machine does not count).
template <typename Operation>
double CpuSeconds(Operation operation) {
    const std::clock_t start = std::clock();
    operation();
    return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

TEST_F(PlotTest, OperationsFarOffThePageTakeMilliseconds) {
    // Found by fuzzing: the diagonal hatch lines of a box almost wholly
    // below the page, 32000 each way, all land on the bottom row.  Stepping
    // each of their dots took 1.5 s (13 s with sanitizers); a benchmark
    // measures it, this only guards against seconds.
    PLOTFLUSH();  // nothing changed yet
    EXPECT_LT(CpuSeconds([] { BOXFILL(1e-38f, -2765944.0f, 127.0f, 0.0f, 336, 0); }), 1.0);
    PixelSet bottomRow;
    for (int col = 0; col <= 1007; ++col) bottomRow.insert({col, 0});
    EXPECT_EQ(PixelsOfColour(4), bottomRow);
    EXPECT_EQ(PlotState.dirtyLeft, 0);
    EXPECT_EQ(PlotState.dirtyRight, 1007);
    EXPECT_EQ(PlotState.dirtyTop, 143);
    EXPECT_EQ(PlotState.dirtyBottom, 143);

    // A box 6000 page units across, both diagonals.
    EXPECT_LT(CpuSeconds([] { BOXFILL(-3000, -3000, 3000, 3000, 230, 10); }), 1.0);
    EXPECT_GT(PixelsOfColour(4).size(), 1000u);

    // A dashed zigzag 80000 units wide with a cross at every dash (3.7 s
    // when each of its 2^20 pieces a segment was walked).
    float x[40], y[40];
    for (int i = 0; i < 40; ++i) {
        x[i] = i % 2 ? 4e4f : -4e4f;
        y[i] = i % 4 < 2 ? -1e3f : 1e3f;
    }
    EXPECT_LT(CpuSeconds([&] {
                  float phase = 0;
                  PLOTL(x, y, 40, 1, 6, 2, 5, 0, &phase);
              }),
              1.0);
}

// The pen's rule, dot by dot: dot k steps the major coordinate by just
// under a pixel from the start (after the first dot of a continuing line),
// the minor one in proportion, up to 32767 dots; then the end point.
void SteppedStroke(float cx, float cy, float x, float y, bool continuing) {
    const PlotStateRecord& s = PlotState;
    if (x == cx && y == cy) {
        PENDOT(x, y);
        return;
    }
    const float dx = x - cx, dy = y - cy;
    const bool yMajor = std::fabs(s.pixelsPerUnitY * dy) > std::fabs(s.pixelsPerUnitX * dx);
    const float step = yMajor ? (dy > 0 ? s.stepY : -s.stepY) : (dx > 0 ? s.stepX : -s.stepX);
    // m = s * d / d taken in double and rounded to single once.
    const float slope = static_cast<float>(yMajor ? static_cast<double>(step) * dx / dy : static_cast<double>(step) * dy / dx);
    const float origin = yMajor ? cy : cx, target = yMajor ? y : x, minorOrigin = yMajor ? cx : cy;
    for (int k = continuing ? 1 : 0; k < 32767; ++k) {
        const double major = k * static_cast<double>(step) + origin;
        if (step > 0 ? major > target : major < target) break;
        const double minor = k * static_cast<double>(slope) + minorOrigin;
        PENDOT(static_cast<float>(yMajor ? minor : major), static_cast<float>(yMajor ? major : minor));
    }
    PENDOT(x, y);
}

struct PageState {
    std::vector<unsigned char> pixels;
    int dirty[4];
    bool operator==(const PageState&) const = default;
};
PageState Snapshot() {
    const PlotStateRecord& s = PlotState;
    return {{s.pagePixels, s.pagePixels + s.imageSize}, {s.dirtyLeft, s.dirtyRight, s.dirtyTop, s.dirtyBottom}};
}
void Restore(const PageState& page) {
    PlotStateRecord& s = PlotState;
    std::copy(page.pixels.begin(), page.pixels.end(), s.pagePixels);
    s.dirtyLeft = page.dirty[0], s.dirtyRight = page.dirty[1], s.dirtyTop = page.dirty[2], s.dirtyBottom = page.dirty[3];
}

TEST_F(PlotTest, StrokesPaintExactlyWhatSteppingEveryDotPaints) {
    // Strokes skip runs of dots on one row or column, and strokes whose
    // pixel is painted already; the page and its changed rectangle must
    // come out as stepping every dot leaves them, on pages already drawn on.
    std::mt19937 random(14);
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<>(low, high)(random); };
    const auto coordinate = [&](double extent) -> float {
        switch (random() % 6) {
            case 0: return static_cast<float>(static_cast<int>(random() % 1400) - 200) / 36.0f;  // a pixel's edge
            case 1: return static_cast<float>(uniform(-3, 3) * extent);
            case 2: return static_cast<float>(uniform(-1, 1) * std::pow(10.0, uniform(0, 4)));
            case 3: return std::nextafter(static_cast<float>(uniform(0, extent)), random() % 2 ? 1e9f : -1e9f);
            default: return static_cast<float>(uniform(-0.2, 1.2) * extent);
        }
    };
    for (int stroke = 0; stroke < 1200; ++stroke) {
        if (stroke % 300 == 0) OpenProgramPage(stroke % 600 == 0);
        if (random() % 50 == 0) PLOTFLUSH();
        SETCOLOUR(2 + static_cast<int>(random() % 2));
        LINEWIDTH(std::array{5, 30, 60}[random() % 3]);
        PlotState.lineShape = random() % 4 == 0 ? 6 : 0;
        const float cx = coordinate(28), cy = coordinate(4), x = coordinate(28), y = coordinate(4);
        const bool continuing = random() % 2;
        STROKE(cx, cy, 0);
        if (continuing) PENDOT(cx, cy), PlotState.penDrawn = 1;
        const PageState before = Snapshot();
        STROKE(x, y, 1);
        const PageState drawn = Snapshot();
        Restore(before);
        SteppedStroke(cx, cy, x, y, continuing);
        ASSERT_TRUE(Snapshot() == drawn) << stroke << ": " << cx << "," << cy << " to " << x << "," << y;
    }
}

// Chains of strokes as polylines draw them, for every pen: from sub-pixel
// to page-long, mostly starting or ending within a few pixels of an edge of
// the page or beyond it, each on a page whose changed-pixel rectangle is
// often empty before it.  Each stroke must leave the page and the rectangle
// exactly as stepping and painting its dots one by one does.
class EveryPen : public PlotTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(EveryPen, StrokeChainsPaintWhatSteppingEveryDotPaints) {
    const auto [weight, shape] = GetParam();
    std::mt19937 random(static_cast<unsigned>(weight * 16 + shape));
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<>(low, high)(random); };
    // A coordinate around the low or high edge, on the page, or far away.
    const auto anywhere = [&](double extent, double perUnit) -> float {
        switch (random() % 5) {
            case 0: return static_cast<float>(uniform(-4, 4) / perUnit);
            case 1: return static_cast<float>(extent + uniform(-4, 4) / perUnit);
            case 2: return static_cast<float>(std::round(uniform(-2, extent * perUnit + 2)) / perUnit);  // an edge
            case 3: return static_cast<float>(uniform(-1, 1) * std::pow(10.0, uniform(1, 4)));
            default: return static_cast<float>(uniform(0, extent));
        }
    };
    const PlotStateRecord& s = PlotState;
    for (int chain = 0; chain < 200; ++chain) {
        if (chain == 0) OpenProgramPage();
        if (chain == 100) {  // 1062 columns clipped of an image 1064 wide
            OpenProgramPage(false);
            PAGESETUP(0, 0, 27.95f, 4.0f, 27.95f, 4.0f, 2);
            ASSERT_EQ(s.clipXEnd, 1062);
            ASSERT_EQ(s.imageWidth, 1064);
        }
        const auto anywhereX = [&] { return anywhere(s.pageWidth, s.pixelsPerUnitX); };
        const auto anywhereY = [&] { return anywhere(s.pageHeight, s.pixelsPerUnitY); };
        SETCOLOUR(2 + chain % 2);
        LINEWIDTH(weight);
        PlotState.lineShape = shape;
        float x = anywhereX(), y = anywhereY();
        STROKE(x, y, 0);
        for (int segment = 0; segment < 8; ++segment) {
            const double length = std::array{0.01, 0.2, 1.0, 4.0, 12.0, 40.0}[random() % 6];
            const double flatness = std::array{1.0, 0.1, 0.0}[random() % 3];
            const bool alongX = random() % 2;
            const float dx = static_cast<float>(uniform(-length, length) * (alongX ? 1 : flatness));
            const float dy = static_cast<float>(uniform(-length, length) * (alongX ? flatness : 1));
            const float nx = random() % 8 ? x + dx : anywhereX(), ny = random() % 8 ? y + dy : anywhereY();
            if (random() % 2) PLOTFLUSH();  // an empty changed-pixel rectangle
            const PageState before = Snapshot();
            STROKE(nx, ny, 1);
            const PageState drawn = Snapshot();
            Restore(before);
            SteppedStroke(x, y, nx, ny, segment > 0);
            ASSERT_TRUE(Snapshot() == drawn)
                << chain << "." << segment << ": " << x << "," << y << " to " << nx << "," << ny;
            x = nx;
            y = ny;
        }
    }
}

// Dots of every size from a pixel to a page unit, in user windows of either
// direction, inside the page, over its edges and beyond them: each must
// leave the page, both changed rectangles and the pen as the solid box of
// its side drawn by BOXFILL does; so must a box of any shape drawn by BOX.
// And a line from the last dot to the next, as PLOTL draws one.
TEST_P(EveryPen, DotsAndLinesPaintWhatBoxesAndPolylinesPaint) {
    const auto [weight, shape] = GetParam();
    std::mt19937 random(static_cast<unsigned>(weight * 16 + shape + 7));
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<>(low, high)(random); };
    PlotStateRecord& s = PlotState;
    struct DotState {
        PageState page;
        PlotPixelRect direct;
        float penX, penY, lastPlotX, lastPlotY;
        int penDrawn, fillStyle;
    };
    const auto dotState = [&] {
        const PlotPixelRect direct = PlotTakeDirectWrites();
        PlotNoteDirectWrites(direct);
        return DotState{Snapshot(), direct, s.penX, s.penY, s.lastPlotX, s.lastPlotY, s.penDrawn, s.fillStyle};
    };
    const auto same = [](const DotState& a, const DotState& b) {
        const auto equal = [](float p, float q) { return p == q || (std::isnan(p) && std::isnan(q)); };
        return a.page == b.page && a.direct.left == b.direct.left && a.direct.top == b.direct.top &&
               a.direct.right == b.direct.right && a.direct.bottom == b.direct.bottom && equal(a.penX, b.penX) &&
               equal(a.penY, b.penY) && equal(a.lastPlotX, b.lastPlotX) && equal(a.lastPlotY, b.lastPlotY) &&
               a.penDrawn == b.penDrawn && a.fillStyle == b.fillStyle;
    };
    OpenProgramPage();
    for (int dot = 0; dot < 600; ++dot) {
        if (dot == 300) {  // 1062 columns clipped of an image 1064 wide
            OpenProgramPage(false);
            PAGESETUP(0, 0, 27.95f, 4.0f, 27.95f, 4.0f, 2);
            ASSERT_EQ(s.clipXEnd, 1062);
        }
        if (dot % 150 == 0) {  // x and y windows either way round, some shifted off the page
            const float x0 = static_cast<float>(uniform(-3, 3)), y0 = static_cast<float>(uniform(-1, 1));
            const bool flipX = random() % 2, flipY = random() % 2;
            SETWINDOW(flipX ? x0 + 28 : x0, flipY ? y0 + 4 : y0, flipX ? x0 : x0 + 28, flipY ? y0 : y0 + 4);
        }
        if (random() % 3 == 0) PLOTFLUSH();
        SETCOLOURS(2 + dot % 2, 4 + dot % 3);
        LINEWIDTH(weight);
        s.lineShape = shape;
        const int size = std::array{3, 4, 7, 12, 20, 45, 100}[random() % 7];
        // A centre anywhere, or one whose dot's side lies within a few pixels
        // of an edge of the clip or of the image.
        const float half = static_cast<float>(size) * 0.005f;  // as DOT takes it
        const auto nearEdge = [&](int clipEnd, int imageEnd, double perUnit) {
            const int edge = std::array{0, clipEnd, imageEnd}[random() % 3];
            return static_cast<float>(edge / perUnit + (random() % 2 ? half : -half) + uniform(-3, 3) / perUnit);
        };
        const float x = random() % 2 ? static_cast<float>(uniform(-1, 29))
                                     : static_cast<float>(USERX(nearEdge(s.clipXEnd, s.imageWidth, s.pixelsPerUnitX)));
        const float y = random() % 2 ? static_cast<float>(uniform(-0.5, 4.5))
                                     : static_cast<float>(USERY(nearEdge(s.clipYEnd, s.imageHeight, s.pixelsPerUnitY)));
        s.fillStyle = 0;
        const DotState before = dotState();
        DOT(x, y, size);
        const DotState drawn = dotState();
        Restore(before.page);
        PlotTakeDirectWrites();
        PlotNoteDirectWrites(before.direct);
        const float hx = s.pageToUserX * half, hy = s.pageToUserY * half;
        BOXFILL(x - hx, y - hy, x + hx, y + hy, 100, 0);
        ASSERT_TRUE(same(dotState(), drawn)) << dot << ": size " << size << " at " << x << "," << y;

        // BOX, a box of any shape with its corners in any order, is BOXFILL's
        // solid box with an outline.
        const float boxX = x + static_cast<float>(uniform(-2, 2)), boxY = y + static_cast<float>(uniform(-1, 1));
        const DotState beforeBox = dotState();
        BOX(x, y, boxX, boxY);
        const DotState box = dotState();
        Restore(beforeBox.page);
        PlotTakeDirectWrites();
        PlotNoteDirectWrites(beforeBox.direct);
        BOXFILL(x, y, boxX, boxY, 100, 0);
        ASSERT_TRUE(same(dotState(), box)) << dot << ": box " << x << "," << y << " to " << boxX << "," << boxY;

        const float far = random() % 2 ? std::numeric_limits<float>::infinity() : std::nanf("");
        const float lineX[2] = {x, random() % 8 ? x + static_cast<float>(uniform(-3, 3)) : far};
        const float lineY[2] = {y, static_cast<float>(uniform(-6, 6))};
        const DotState beforeLine = dotState();
        PLOTLINE(lineX[0], lineY[0], lineX[1], lineY[1]);
        const DotState line = dotState();
        Restore(beforeLine.page);
        float phase = 0.0f;
        PLOTL(lineX, lineY, 2, 1, 0, 0, 0, 0, &phase);
        ASSERT_TRUE(same(dotState(), line)) << dot << ": line to " << lineX[1] << "," << lineY[1];
    }
}

// Polylines as PLOTL draws them, most of them well inside the page (where
// it strokes them without the checks for the page's edges), some over an
// edge or beyond it: each must leave the page, its changed rectangle and
// the pen as its strokes one after another do.
TEST_P(EveryPen, PolylinesPaintWhatTheirStrokesPaint) {
    const auto [weight, shape] = GetParam();
    std::mt19937 random(static_cast<unsigned>(weight * 16 + shape + 3));
    const auto uniform = [&](double low, double high) { return std::uniform_real_distribution<>(low, high)(random); };
    PlotStateRecord& s = PlotState;
    struct LineState {
        PageState page;
        float penX, penY, lastPlotX, lastPlotY;
        int penDrawn;
        bool operator==(const LineState&) const = default;
    };
    const auto lineState = [&] { return LineState{Snapshot(), s.penX, s.penY, s.lastPlotX, s.lastPlotY, s.penDrawn}; };
    for (int line = 0; line < 200; ++line) {
        if (line % 100 == 0) {
            // The second time a clip range inside the image; user units are page units.
            OpenProgramPage(line == 0);
            if (line > 0) PAGESETUP(0, 0, 27.95f, 4.0f, 27.95f, 4.0f, 2);
            SETWINDOW(0, 0, s.pageWidth, s.pageHeight);
        }
        SETCOLOUR(2 + line % 2);
        LINEWIDTH(weight);
        s.lineShape = shape;
        const int n = 1 + static_cast<int>(random() % 70);
        const double step = std::array{0.002, 0.05, 0.4, 3.0}[random() % 4];
        const double margin = random() % 4 ? 0.1 : -0.5;  // now and then over an edge
        std::vector<float> x(static_cast<std::size_t>(n)), y(static_cast<std::size_t>(n));
        double px = uniform(margin, s.pageWidth - margin), py = uniform(margin, s.pageHeight - margin);
        for (std::size_t i = 0; i < x.size(); ++i) {
            x[i] = static_cast<float>(px);
            y[i] = static_cast<float>(py);
            px = std::clamp(px + uniform(-step, step), margin, s.pageWidth - margin);
            py = std::clamp(py + uniform(-step, step) * (random() % 3 ? 1 : 0), margin, s.pageHeight - margin);
        }
        if (random() % 2) PLOTFLUSH();
        const LineState before = lineState();
        float phase = 0.0f;
        PLOTL(x.data(), y.data(), n, 1, 0, 0, 0, 0, &phase);
        const LineState drawn = lineState();
        Restore(before.page);
        STROKE(x[0], y[0], 0);
        PLOT(x[0], y[0], 0);
        for (std::size_t i = 0; i < x.size(); ++i) {
            s.lastPlotX = x[i];
            s.lastPlotY = y[i];
            STROKE(x[i], y[i], 1);
        }
        ASSERT_TRUE(lineState() == drawn) << line << ": " << n << " points from " << x[0] << "," << y[0];
    }
}

INSTANTIATE_TEST_SUITE_P(WeightsAndShapes, EveryPen,
                         ::testing::Combine(::testing::Values(5, 30, 60),
                                            ::testing::Values(kLineShapeBlock, kLineShapeFlat)));

}  // namespace
