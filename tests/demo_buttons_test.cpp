// The driver's buttons in-process: hit areas and how a button is drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "demo/driver.h"
#include "demo/kept_drawing.h"
#include "plot/host.h"
#include "plot/palette.h"
#include "plot/plot.h"
#include "tests/plot_support.h"

namespace {

using namespace plot_palette;

// All buttons of the animation screens, one per place.
std::vector<DemoButton> AnimationRow() {
    return {kBackButton, kNextButton, kRestartButton, kGoButton, kAnimQuitButton};
}

bool HitAt(const DemoButton& b, float hitHalfWidth, double x, double y) {
    DemoLastClick = {static_cast<float>(x), static_cast<float>(y), 0, true};
    return ButtonHit(b.x, hitHalfWidth, b.y) == 1;
}

TEST(DemoButtonHit, BoundsAreInclusiveAndComparedInDouble) {
    // A button whose bounds are exact in float: x 20 +- 1.25.
    const DemoButton b = {20.0f, 1.15f, 3.4f, "B", 3, 16, 1};
    const float y = 3.5f;
    EXPECT_TRUE(HitAt(b, 1.25f, 18.75, y));
    EXPECT_TRUE(HitAt(b, 1.25f, 21.25, y));
    EXPECT_FALSE(HitAt(b, 1.25f, std::nextafter(18.75f, 0.0f), y));
    EXPECT_FALSE(HitAt(b, 1.25f, std::nextafter(21.25f, 30.0f), y));

    // Vertically: 3.4f + 0.42 in double is just above 3.82f, so the float
    // 3.82 is inside and the next float up is outside; 3.4f - 0.15 is just
    // above 3.25, so the float 3.25 is outside and the next one up inside.
    EXPECT_TRUE(HitAt(b, 1.25f, 20.0, 3.82f));
    EXPECT_FALSE(HitAt(b, 1.25f, 20.0, std::nextafter(3.82f, 4.0f)));
    EXPECT_FALSE(HitAt(b, 1.25f, 20.0, 3.25f));
    EXPECT_TRUE(HitAt(b, 1.25f, 20.0, std::nextafter(3.25f, 4.0f)));
}

TEST(DemoButtonHit, AreaReachesATenthBeyondTheBoxSidesOnly) {
    std::vector<std::pair<DemoButton, float>> all;
    for (const DemoButton& b : kStartButtons)
        all.push_back({b, b.halfWidth > 1.5f ? kWideHitHalfWidth : kNarrowHitHalfWidth});
    for (const DemoButton& b : AnimationRow()) all.push_back({b, kNarrowHitHalfWidth});
    for (const auto& [b, h] : all) {
        SCOPED_TRACE(b.label);
        EXPECT_NEAR(h - b.halfWidth, 0.1f, 1e-6f);
        const double mid = b.y + 0.1;
        EXPECT_TRUE(HitAt(b, h, b.x + b.halfWidth + 0.05, mid));   // right of the box
        EXPECT_TRUE(HitAt(b, h, b.x - b.halfWidth - 0.05, mid));   // left of it
        EXPECT_FALSE(HitAt(b, h, b.x + b.halfWidth + 0.15, mid));
        EXPECT_FALSE(HitAt(b, h, b.x - b.halfWidth - 0.15, mid));
        EXPECT_FALSE(HitAt(b, h, b.x, b.y - 0.15 - 0.05));          // below the box
        EXPECT_FALSE(HitAt(b, h, b.x, b.y + 0.42 + 0.05));          // above it
        EXPECT_TRUE(HitAt(b, h, b.x, ButtonCentreY(b)));
    }
}

TEST(DemoButtonHit, ButtonsOfAScreenNeverShareAPoint) {
    // Sweep the button row; at most one button of a screen may claim a point.
    for (int screen = 0; screen < 2; ++screen) {
        for (double x = 12.0; x <= 28.0; x += 0.01) {
            int hits = 0;
            if (screen == 0) {
                hits += HitAt(kStartButtons[0], kWideHitHalfWidth, x, 3.5);
                hits += HitAt(kStartButtons[1], kWideHitHalfWidth, x, 3.5);
                hits += HitAt(kStartButtons[2], kNarrowHitHalfWidth, x, 3.5);
            } else {
                for (const DemoButton& b : AnimationRow()) hits += HitAt(b, kNarrowHitHalfWidth, x, 3.5);
            }
            ASSERT_LE(hits, 1) << "screen " << screen << " x " << x;
        }
    }
    // The gap between "Longitudinal" (ends at 20.6) and "Transversal" (from 21.0).
    EXPECT_FALSE(HitAt(kStartButtons[0], kWideHitHalfWidth, 20.8, 3.5));
    EXPECT_FALSE(HitAt(kStartButtons[1], kWideHitHalfWidth, 20.8, 3.5));
}

// A page as the program sets it up: 28 x 4 page units, 36 pixels each.
class DemoButtonDrawing : public ProgramPageSuite {
protected:
    void SetUp() override {
        ProgramPageSuite::SetUp();
        if (HasFatalFailure()) return;
        SETWINDOW(0, 0, 28, 4);
        LINEWIDTH(40);
    }
    int Column(double x) const { return static_cast<int>(x * PlotState.pixelsPerUnitX); }
    int Row(double y) const { return static_cast<int>(y * PlotState.pixelsPerUnitY); }
    // Pixels of colour c strictly inside the box of b (its outline excluded).
    int CountInside(const DemoButton& b, int c) const {
        int n = 0;
        for (int r = Row(b.y - 0.15) + 3; r <= Row(b.y + 0.42) - 3; ++r)
            for (int col = Column(b.x - b.halfWidth) + 3; col <= Column(b.x + b.halfWidth) - 3; ++col)
                n += PixelAt(col, r) == c;
        return n;
    }
    void Draw(const DemoButton& b) {
        DrawButton(b.x, b.halfWidth, b.y, b.label, b.fillColour, b.textColour, b.frame);
    }
};

TEST_F(DemoButtonDrawing, FillOutlineAndLabelColours) {
    SETCOLOURS(7, 9);
    Draw(kAnimQuitButton);  // red, automatic label: defaultColour, frame in defaultColour
    EXPECT_EQ(PlotState.penColour, 7);
    EXPECT_EQ(PlotState.fillColour, 9);

    const DemoButton& b = kAnimQuitButton;
    EXPECT_EQ(PixelAt(Column(b.x - b.halfWidth + 0.1), Row(b.y - 0.05)), 2) << "fill";
    EXPECT_EQ(PixelAt(Column(b.x - b.halfWidth) + 1, Row(b.y + 0.1)), 4) << "left outline";
    EXPECT_EQ(PixelAt(Column(b.x), Row(b.y + 0.42)), 4) << "top outline";
    EXPECT_GT(CountInside(b, 4), 20) << "blue label";
    EXPECT_EQ(CountInside(b, kBlack), 0);
    // Nothing outside the box, a pixel beyond the outline.
    EXPECT_EQ(PixelAt(Column(b.x + b.halfWidth) + 3, Row(b.y + 0.1)), 1);
    EXPECT_EQ(PixelAt(Column(b.x), Row(b.y - 0.15) - 3), 1);
}

TEST_F(DemoButtonDrawing, StartScreenQuitHasABlackLabel) {
    Draw(kStartButtons[2]);
    EXPECT_GT(CountInside(kStartButtons[2], kBlack), 20);
    EXPECT_EQ(CountInside(kStartButtons[2], 4), 0);
}

TEST_F(DemoButtonDrawing, AutomaticLabelColourFollowsTheFill) {
    const std::vector<int> light = {1, 3, 5, 6, 7, 8, 10, 11, 15};
    for (int fill = 1; fill <= 40; ++fill) {
        if (fill == 4 || fill == kBlack) continue;  // label colour would equal the fill
        SETCOLOURS(1, 1);
        BOX(0, 0, 28, 4);
        const DemoButton b = {5.0f, 1.1f, 3.4f, "Next", fill, 0, 0};
        Draw(b);
        const bool isLight = std::find(light.begin(), light.end(), fill) != light.end();
        SCOPED_TRACE(fill);
        EXPECT_EQ(CountInside(b, kBlack) > 20, isLight);
        EXPECT_EQ(CountInside(b, 4) > 20, !isLight);
    }
}

TEST_F(DemoButtonDrawing, FrameSignPicksTheExtraOutline) {
    const DemoButton blackFrame = {5.0f, 1.1f, 3.4f, "Go", 3, 0, -1};
    const DemoButton noFrame = {10.0f, 1.1f, 3.4f, "Go", 3, 0, 0};
    Draw(blackFrame);
    Draw(noFrame);
    EXPECT_EQ(PixelAt(Column(5.0 - 1.1) + 1, Row(3.5)), kBlack);
    // Without an extra outline the box keeps its own, in the pen colour 0.
    EXPECT_EQ(PixelAt(Column(10.0 - 1.1) + 1, Row(3.5)), 0);
}

TEST_F(DemoButtonDrawing, ModeButtonCoversThePreviousLabel) {
    std::vector<unsigned char> alone;
    Draw(kStopButton);
    Draw(kSingleButton);
    alone.assign(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize);

    SETCOLOURS(1, 1);
    BOX(0, 0, 28, 4);
    Draw(kGoButton);
    Draw(kNextButton);
    Draw(kStopButton);
    Draw(kSingleButton);
    EXPECT_EQ(std::memcmp(alone.data(), PlotState.pagePixels, alone.size()), 0);
}

}  // namespace

// A drawing kept by DrawKept leaves the page, the plot record and the
// changes the next refresh shows exactly as drawing it does, over whatever
// lies under it and wherever the pen was; a drawing that depends on either
// is drawn every time.
TEST_F(DemoButtonDrawing, KeptDrawingsLeaveWhatDrawingLeaves) {
    struct Case {
        const char* name;
        std::function<void()> draw;
        bool keepable;
    };
    const std::vector<Case> cases = {
        {"button", [] { DrawButton(8.0f, 1.1f, 2.0f, "Stop", kYellow, 0, 1); }, true},
        {"button and a slanted line",
         [] {  // what lies beside the line shows
             DrawButton(8.0f, 1.1f, 2.0f, "Stop", kYellow, 0, 1);
             const float x[2] = {9.3f, 9.9f}, y[2] = {1.0f, 2.9f};
             float phase = 0.0f;
             PLOTL(x, y, 2, 1, 0, 0, 0, 0, &phase);
         },
         false},
        {"box at the pen", [] { BOX(PlotState.penX, 1.5f, PlotState.penX + 1.0f, 2.5f); }, false},
    };
    struct After {
        std::vector<unsigned char> page;
        std::vector<unsigned char> record;
        PlotPixelRect direct;
    };
    const auto after = [] {
        const PlotPixelRect direct = PlotTakeDirectWrites();
        PlotNoteDirectWrites(direct);
        const auto* record = reinterpret_cast<const unsigned char*>(&PlotState);
        return After{std::vector<unsigned char>(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize),
                     std::vector<unsigned char>(record, record + sizeof PlotState), direct};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ForgetKeptDrawings();
        int drawnLate = 0;
        for (int round = 0; round < 4; ++round) {
            // Other pixels under it, the pen elsewhere, a refresh's changes pending.
            SETCOLOURS(2 + round, 5 + round);
            BOX(6.5f + 0.1f * round, 1.0f, 10.0f, 3.0f);
            STROKE(1.0f + round, 0.5f, 0);
            SETCOLOURS(1, 1);
            const std::vector<unsigned char> page(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize);
            const PlotStateRecord record = PlotState;
            const PlotPixelRect direct = PlotTakeDirectWrites();
            PlotNoteDirectWrites(direct);

            c.draw();
            const After drawing = after();

            std::copy(page.begin(), page.end(), PlotState.pagePixels);
            std::memcpy(&PlotState, &record, sizeof record);
            PlotTakeDirectWrites();
            PlotNoteDirectWrites(direct);
            DrawKept(c.name, [&] {
                if (round >= 2) ++drawnLate;
                c.draw();
            });
            const After kept = after();
            ASSERT_TRUE(kept.page == drawing.page) << "round " << round;
            ASSERT_TRUE(kept.record == drawing.record) << "round " << round;
            ASSERT_EQ(kept.direct.left, drawing.direct.left);
            ASSERT_EQ(kept.direct.bottom, drawing.direct.bottom);
        }
        // Kept once the record it starts from has settled (its own first
        // drawing leaves text and rectangle state behind): then put back.
        EXPECT_EQ(drawnLate, c.keepable ? 0 : 4);
    }
}
