// Closing the window at any moment ends the demonstration at once with
// status 0, and nothing is drawn or shown after the close was seen.  Run
// these under the sanitizers too (a build with -DOSK_SANITIZE=ON).
#include <gtest/gtest.h>

#include <string>

#include "tests/demo_support.h"

namespace {

using namespace demotest;

struct CloseCase {
    const char* name;
    std::string beforeClose;   // the script up to the close
    std::string lastTitle;     // the strip of the last refresh before it
};

class DemoClose : public ::testing::TestWithParam<int> {};

std::vector<CloseCase> Cases() {
    return {
        {"during the start screen's wait", "", "Select Waveform"},
        {"during the wait after a missed click", Click(20.8, 3.5), "Select Waveform"},
        {"during a wait in Stepping", ClickLongitudinal() + ClickNext(), "Longitudinal Wave"},
        // Due exactly when the first poll frames come round.
        {"during a poll", ClickTransversal() + ClickGo(), "Transversal Wave"},
        // Due in the middle of the four frames between two longitudinal polls;
        // seen at the next poll.
        {"between polls", ClickLongitudinal() + ClickGo() + "wait 0.33\n", "Longitudinal Wave"},
        {"after a long run", ClickTransversal() + ClickGo() + "wait 3.0\n", "Transversal Wave"},
        {"during the paused menu", ClickTransversal() + ClickGo() + "wait 0.2\n" + ClickGo(),
         "Transversal Wave"},
        {"right after a restart", ClickLongitudinal() + ClickRestart(), "Longitudinal Wave"},
        {"after back", ClickLongitudinal() + ClickBack(), "Select Waveform"},
    };
}

TEST_P(DemoClose, EndsAtOnceWithStatusZero) {
    const CloseCase c = Cases()[static_cast<size_t>(GetParam())];
    SCOPED_TRACE(c.name);
    TempDir dir;
    // Events after the close are never read.
    const OskRun run = RunOsk(dir, c.beforeClose + "close\n" + ClickQuit() + ClickLongitudinal());
    EXPECT_EQ(run.status, 0) << run.output;
    ASSERT_FALSE(run.titles.empty());
    EXPECT_EQ(run.titles.back(), c.lastTitle);
    EXPECT_EQ(run.countTitle("Plot Finished - Close Window to Terminate"), 0);
    EXPECT_EQ(run.output.find("runtime error"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("AddressSanitizer"), std::string::npos) << run.output;
}

INSTANTIATE_TEST_SUITE_P(AtEachPoint, DemoClose, ::testing::Range(0, static_cast<int>(Cases().size())));

TEST(DemoCloseTiming, ARunningWaveSeesTheCloseAtItsNextPoll) {
    // The longitudinal wave polls on every 5th frame; frames last 0.051 s.
    // The poll of frame 5 takes the button-up message of the "Go" click, so a
    // close due later is seen at the first poll frame whose end it precedes.
    struct Case {
        const char* wait;
        int lastFrame;
    };
    for (const Case& c : {Case{"0.3", 10}, Case{"0.7", 15}, Case{"1.0", 20}}) {
        SCOPED_TRACE(c.wait);
        TempDir dir;
        const OskRun run = RunOsk(dir, ClickLongitudinal() + ClickGo() + "wait " + c.wait + "\nclose\n");
        EXPECT_EQ(run.status, 0);
        ASSERT_FALSE(run.titles.empty());
        // Frame 0 and its figure change, then one refresh per frame up to the close.
        EXPECT_EQ(run.countTitle("Longitudinal Wave"), c.lastFrame + 1);
        EXPECT_EQ(LongitudinalFrame(run.last()), c.lastFrame);
    }
}

}  // namespace
