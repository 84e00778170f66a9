// Mouse input for plot programs: the input-kind mask, conversion of stored
// clicks to user units, which button wins, and the disabled case.
#include "app/mouse.h"
#include "app_support.h"

namespace {

TEST(MouseEnable, KindBitsAreSwitchedOneByOne) {
    struct Case {
        int before, kinds, on, after;
    };
    for (const Case& c : {Case{0, 0, 1, 7}, Case{7, 2, 0, 5}, Case{0, 9, 1, 1}, Case{0, 8, 1, 7},
                          Case{5, 6, 0, 1}, Case{0xF2, 1, 1, 3}, Case{0xF7, 4, 0, 3}, Case{3, -1, 0, 0}}) {
        PlotState.mouseMask = c.before;
        MOUSEENABLE(c.kinds, c.on);
        EXPECT_EQ(PlotState.mouseMask, c.after) << c.before << " " << c.kinds << " " << c.on;
    }
    PlotState.mouseMask = 0;
}

TEST(MouseRead, WithoutClicksEnabledReturnsAtOnceWithoutRefreshOrWait) {
    ShellTempDir dir;
    struct Outcome {
        int result = 9, key = 9;
        float x = 9, y = 9;
        char button = '?';
        int refreshes = -1;
        int leftX = 9;
    };
    Outcome disabled, otherKind;
    ShellRun::Run("wait 100\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        auto read = [](Outcome& o, int kinds) {
            PlotState.leftClickX = 4;
            const int before = ShellRun::recorder->RefreshCount();
            o.result = MOUSEWAIT(kinds, o.key, o.x, o.y, o.button);
            o.refreshes = ShellRun::recorder->RefreshCount() - before;
            o.leftX = PlotState.leftClickX;
        };
        read(disabled, 2);  // mask 0 at program start
        MOUSEENABLE(5, 1);  // kinds 1 and 4 only
        read(otherKind, 0);
        return 0;
    });
    for (const Outcome& o : {disabled, otherKind}) {
        EXPECT_EQ(o.result, 0);
        EXPECT_EQ(o.key, 0);
        EXPECT_EQ(o.x, 0.0f);
        EXPECT_EQ(o.y, 0.0f);
        EXPECT_EQ(o.button, ' ');
        EXPECT_EQ(o.refreshes, 0);
        EXPECT_EQ(o.leftX, 0) << "the click fields are cleared";
    }
    EXPECT_EQ(ShellRun::backend, nullptr);
}

TEST(MouseRead, RightWinsOverLeftAndClicksComeBackInUserUnits) {
    ShellTempDir dir;
    char button = '?';
    float x = 0, y = 0;
    int fields[4] = {1, 1, 1, 1};
    char leftButton = '?';
    float lx = 0, ly = 0;
    ShellRun::Run("wait 100\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        // 36 pixels per page unit on the fitted 28 x 4 page (1008 x 144 pixels);
        // the window (10, -2)-(24, 6) gives 2 page units per user unit across
        // and 0.5 up.
        SETWINDOW(10.0f, -2.0f, 24.0f, 6.0f);
        PlotState.leftClickX = 100;
        PlotState.leftClickY = 50;
        PlotState.rightClickX = 180;
        PlotState.rightClickY = 71;
        int key = 0;
        MOUSEPOLL(2, key, x, y, button);
        fields[0] = PlotState.leftClickX;
        fields[1] = PlotState.leftClickY;
        fields[2] = PlotState.rightClickX;
        fields[3] = PlotState.rightClickY;
        PlotState.leftClickX = 72;
        PlotState.leftClickY = 35;
        MOUSEPOLL(2, key, lx, ly, leftButton);
        return 0;
    });
    EXPECT_EQ(button, 'R');
    // x = 180 / 36 / 2 + 10 = 12.5; y = (144 - 71 - 1) / 36 / 0.5 - 2 = 2.
    EXPECT_FLOAT_EQ(x, 12.5f);
    EXPECT_FLOAT_EQ(y, 2.0f);
    for (int f : fields) EXPECT_EQ(f, 0);
    EXPECT_EQ(leftButton, 'L');
    EXPECT_FLOAT_EQ(lx, 11.0f);                                   // 72 / 36 / 2 + 10
    EXPECT_FLOAT_EQ(ly, 4.0f);  // (144 - 35 - 1) / 36 / 0.5 - 2
}

TEST(MouseRead, FrameWaitsForAClickThroughTheHost) {
    ShellTempDir dir;
    int result = 9;
    std::int64_t when = 0;
    ShellRun::Run("wait 3\nclick 200 100\nwait 100\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        result = FRAME(0.0f, 0.0f, 28.0f, 4.0f);  // a figure is in progress: prompt and wait
        when = ShellRun::backend->NowMs();
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(when, HeadlessBackend::kStartMs + 3000);
}

}  // namespace
