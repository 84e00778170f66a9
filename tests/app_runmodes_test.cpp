// The pump's run modes: what ends a wait for a click, what a poll takes,
// and the quit message.
#include "app/mouse.h"
#include "app_support.h"

namespace {

// Each script ends with the window being closed, so a wait that nothing
// ends comes back with -1 instead of hanging.
TEST(RunModeWait, MessagesThatAreNotButtonMessagesNeverEndTheWait) {
    ShellTempDir dir;
    int result = 99;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        PlotState.leftClickX = 40;  // a click was stored and not yet taken
        PlotState.leftClickY = 7;
        GetPlotView()->Invalidate(TRUE);  // a paint is pending as well
        PostToView(WM_MOUSEMOVE, 50, 50);
        PostToView(WM_KEYDOWN, 0, 0, 'Z');  // a key without a button
        PostToView(WM_RBUTTONDBLCLK, 60, 60);
        PostToView(WM_MBUTTONDOWN, 60, 60);
        PostToView(WM_MBUTTONUP, 60, 60);
        PostToView(WM_MBUTTONDBLCLK, 60, 60);
        result = PumpUntilClick();
        return 0;
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(PlotState.runMode, 0);
}

TEST(RunModeWait, ButtonUpAndDoubleClicksEndTheWaitWhenAClickIsStored) {
    for (unsigned message : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP}) {
        ShellTempDir dir;
        int result = 99;
        std::size_t left = 0;
        ShellRun::Run("", [&] {
            PlotState.plotView = GetPlotView();
            PlotState.rightClickX = 12;
            PostToView(message, 30, 30);
            PostToView(WM_MOUSEMOVE, 31, 31);
            result = PumpUntilClick();
            left = AfxPendingMessageCount();
            return 0;
        });
        EXPECT_EQ(result, 0) << std::hex << message;
        EXPECT_EQ(left, 1u) << "the wait ended at the button message, before the move";
    }
}

TEST(RunModeWait, ButtonUpWithoutStoredClickDoesNotEndTheWait) {
    ShellTempDir dir;
    int result = 99;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        PostToView(WM_LBUTTONUP, 30, 30);
        result = PumpUntilClick();
        return 0;
    });
    EXPECT_EQ(result, -1);
}

TEST(RunModeWait, ClickOnFirstColumnWaitsForALaterClick) {
    ShellTempDir dir;
    int result = 99;
    int storedX = -1;
    int storedY = -1;
    std::int64_t when = 0;
    // The first press lands on page column 0 (client x 2): stored x is 0.
    ShellRun::Run("click 2 50\nwait 1.5\nclick 100 60\n", [&] {
        PlotState.plotView = GetPlotView();
        result = PumpUntilClick();
        storedX = PlotState.leftClickX;
        storedY = PlotState.leftClickY;
        when = ShellRun::backend->NowMs();
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(storedX, 98);
    EXPECT_EQ(storedY, 42);
    EXPECT_EQ(when, HeadlessBackend::kStartMs + 1500) << "the wait went on to the second click";
}

TEST(RunModePoll, TakesExactlyOneMessage) {
    ShellTempDir dir;
    int first = 99;
    std::size_t leftAfterFirst = 0;
    ShellRun::Run("", [&] {
        PlotState.plotView = GetPlotView();
        PostToView(WM_MOUSEMOVE, 10, 10);
        PostToView(WM_MOUSEMOVE, 11, 10);
        PostToView(WM_MOUSEMOVE, 12, 10);
        first = PumpOnce();
        leftAfterFirst = AfxPendingMessageCount();
        return 0;
    });
    EXPECT_EQ(first, 0);
    EXPECT_EQ(leftAfterFirst, 2u);
}

TEST(RunModePoll, ThePaintOfThePrecedingRefreshEndsThePoll) {
    ShellTempDir dir;
    int result = 99;
    bool pendingBefore = false;
    bool pendingAfter = true;
    std::int64_t clockBefore = 0;
    std::int64_t clockAfter = 0;
    // The script's close is due only after 5 s: the poll must not wait for it.
    ShellRun::Run("wait 5\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        GetPlotView()->UpdateWindow();  // paint what start-up invalidated
        RefreshPlotView();
        pendingBefore = GetPlotView()->GetUpdateRect(nullptr);
        clockBefore = ShellRun::backend->NowMs();
        result = PumpOnce();
        pendingAfter = GetPlotView()->GetUpdateRect(nullptr);
        clockAfter = ShellRun::backend->NowMs();
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(pendingBefore);
    EXPECT_FALSE(pendingAfter);
    EXPECT_EQ(clockAfter, clockBefore);
}

TEST(RunModePoll, BlocksUntilTheNextScriptEventWhenNothingIsWaiting) {
    ShellTempDir dir;
    int result = 99;
    int storedX = 0;
    std::int64_t when = 0;
    ShellRun::Run("wait 0.25\nrclick 52 68\n", [&] {
        PlotState.plotView = GetPlotView();
        GetPlotView()->UpdateWindow();
        result = PumpOnce();
        storedX = PlotState.rightClickX;
        when = ShellRun::backend->NowMs();
        return 0;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(storedX, 50) << "the poll took the button-down message";
    EXPECT_EQ(when, HeadlessBackend::kStartMs + 250);
}

TEST(QuitMessage, WaitReturnsMinusOneAndNothingIsDrawnAfterwards) {
    ShellTempDir dir;
    int result = 99;
    char button = '?';
    float x = -1.0f;
    int keptY = 0;
    int presentsBefore = -1;
    int presentsAfter = -1;
    int refreshesBefore = -1;
    int refreshesAfter = -1;
    bool viewGone = false;
    bool pageGone = false;
    ShellRun::Run("wait 0.1\nclose\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        PlotState.leftClickY = 3;  // x 0: does not end the wait by itself
        int key = 5;
        float y = 1.0f;
        result = MOUSEWAIT(2, key, x, y, button);
        keptY = PlotState.leftClickY;
        viewGone = PlotState.plotView == nullptr && GetPlotView() == nullptr;
        pageGone = PlotState.pagePixels == nullptr;
        presentsBefore = ShellRun::backend->PresentCount();
        refreshesBefore = ShellRun::recorder->RefreshCount();
        PLOTFLUSH();  // a careless caller: must show nothing and not crash
        RefreshPlotView();
        presentsAfter = ShellRun::backend->PresentCount();
        refreshesAfter = ShellRun::recorder->RefreshCount();
        // Later waits see the quit at once.
        EXPECT_EQ(PumpUntilClick(), -1);
        EXPECT_EQ(PumpOnce(), -1);
        return 0;
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(button, ' ');
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(keptY, 3) << "a wait ended by the quit message clears no click field";
    EXPECT_TRUE(viewGone);
    EXPECT_TRUE(pageGone);
    EXPECT_EQ(presentsAfter, presentsBefore);
    EXPECT_EQ(refreshesAfter, refreshesBefore);
    EXPECT_EQ(PlotState.runMode, 0);
}

}  // namespace
