// The demonstration end to end: osk runs headless on a script of clicks and
// keys, and the dumped refreshes show which screen, mode and frame it was in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/demo_support.h"

namespace {

using namespace demotest;

const std::string kStripLongitudinal = "Longitudinal Wave";
const std::string kStripTransversal = "Transversal Wave";
const std::string kStripStart = "Select Waveform";
const std::string kStripClosed = "Plot Finished - Close Window to Terminate";

// What one refresh showed.
struct Shot {
    std::string title;
    int modeFill = -1;  // fill at x 24.0: green "Go", yellow "Stop"
    int frame = -1;     // the wave's frame number, -1 off the wave screens
};

std::vector<Shot> Shots(const OskRun& run) {
    std::vector<Shot> shots;
    for (size_t i = 1; i <= run.titles.size(); ++i) {
        Shot s;
        s.title = run.titles[i - 1];
        const Page p = run.page(i);
        if (!p.ok()) {
            shots.push_back(s);
            continue;
        }
        s.modeFill = ModeButtonFill(p);
        if (s.title == kStripLongitudinal) s.frame = LongitudinalFrame(p);
        if (s.title == kStripTransversal) s.frame = TransversalFrame(p);
        shots.push_back(s);
    }
    return shots;
}

// The shots of one wave screen, in order.
std::vector<Shot> WaveShots(const OskRun& run, const std::string& title) {
    std::vector<Shot> out;
    for (const Shot& s : Shots(run))
        if (s.title == title) out.push_back(s);
    return out;
}

void ExpectStartScreen(const Page& p) {
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.atUser(17.6, 3.34), kGreen) << "Longitudinal";
    EXPECT_EQ(p.atUser(21.4, 3.34), kGreen) << "Transversal";
    EXPECT_EQ(p.atUser(26.0, 3.34), kRed) << "Quit";
    EXPECT_GT(p.count(0.5, 3.4, 6.0, 3.8, kBlue), 50) << "the title";
    EXPECT_EQ(p.count(0.0, 0.0, 28.0, 3.0, kWhite), p.count(0.0, 0.0, 28.0, 3.0, p.at(0, 0)))
        << "the lower page is blank";
    EXPECT_EQ(p.at(0, 0), kWhite);
}

// The fixed buttons of an animation screen and the mode button pair.
void ExpectAnimationButtons(const Page& p, int modeFill) {
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.atUser(14.8, 3.34), kLightGrey) << "Back";
    EXPECT_EQ(StepButtonFill(p), kPaleMagenta) << "Next/Single";
    EXPECT_EQ(p.atUser(20.4, 3.34), kSkyBlue) << "Restart";
    EXPECT_EQ(ModeButtonFill(p), modeFill) << "Go/Stop";
    EXPECT_EQ(p.atUser(26.0, 3.34), kRed) << "Quit";
}

TEST(DemoStartScreen, ShowsTitleAndThreeButtonsAndWaits) {
    TempDir dir;
    const OskRun run = RunOsk(dir, "");  // the end of the script closes the window
    EXPECT_EQ(run.status, 0) << run.output;
    ASSERT_FALSE(run.titles.empty());
    EXPECT_EQ(run.titles.back(), kStripStart);
    ExpectStartScreen(run.last());
    EXPECT_EQ(run.countTitle(kStripClosed), 0) << "closing is not Quit";
}

TEST(DemoStartScreen, MissedClicksRedrawAndWaitAgain) {
    TempDir dir;
    // Between the two wave buttons, in the title, and in the title strip.
    const OskRun run = RunOsk(dir, Click(20.8, 3.5) + Click(2.0, 3.5) + "click 300 5\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.countTitle(kStripStart), 4);
    ExpectStartScreen(run.last());
}

TEST(DemoStartScreen, TitleTakesTheLineWeightThePreviousScreenLeft) {
    // 40 (two pixels) at first, 25 (one pixel) after a missed click on the
    // start screen, 40 again after "Back" from a wave.
    TempDir dir;
    const OskRun run = RunOsk(dir, Click(20.8, 3.5) + ClickLongitudinal() + ClickBack());
    std::vector<int> ink;
    for (size_t i = 1; i <= run.titles.size(); ++i) {
        // The figure change that leaves the start screen flushes it once more.
        if (i < run.titles.size() && run.titles[i] == kStripLongitudinal) continue;
        if (run.titles[i - 1] == kStripStart) ink.push_back(run.page(i).count(0.4, 3.3, 6.0, 3.9, kBlue));
    }
    ASSERT_EQ(ink.size(), 3u);
    EXPECT_GT(ink[0], ink[1] * 5 / 4) << "bold at first, thin after the missed click";
    EXPECT_EQ(ink[2], ink[0]);
}

TEST(DemoEnterWave, EachWaveStartsAtFrameZeroInStepping) {
    for (const bool longitudinal : {true, false}) {
        SCOPED_TRACE(longitudinal ? "longitudinal" : "transversal");
        TempDir dir;
        const OskRun run = RunOsk(dir, longitudinal ? ClickLongitudinal() : ClickTransversal());
        EXPECT_EQ(run.status, 0);
        const std::string strip = longitudinal ? kStripLongitudinal : kStripTransversal;
        ASSERT_EQ(run.titles.back(), strip);
        const auto shots = WaveShots(run, strip);
        ASSERT_EQ(shots.size(), 1u) << "frame 0 is shown once and the driver waits";
        EXPECT_EQ(shots[0].frame, 0);
        const Page p = run.last();
        ExpectAnimationButtons(p, kGreen);
        // The page title, in blue, where the start screen's title was.
        EXPECT_GT(p.count(0.5, 3.4, 8.0, 3.8, kBlue), 50);
    }
}

TEST(DemoStepping, ThirtyNextClicksShowThirtyFrames) {
    TempDir dir;
    std::string script = ClickTransversal();
    for (int i = 0; i < 30; ++i) script += ClickNext();
    const OskRun run = RunOsk(dir, script);
    EXPECT_EQ(run.status, 0);
    const auto shots = WaveShots(run, kStripTransversal);
    ASSERT_EQ(shots.size(), 31u);
    for (int i = 0; i <= 30; ++i) {
        EXPECT_EQ(shots[i].frame, i);
        EXPECT_EQ(shots[i].modeFill, kGreen);
    }
    ExpectAnimationButtons(run.last(), kGreen);
}

TEST(DemoStepping, ClickOutsideTheButtonsAdvancesOneFrame) {
    TempDir dir;
    // On the wave between two particles (a click on one marks it), on the
    // title, and just below the "Go" box.
    const OskRun run = RunOsk(dir, ClickLongitudinal() + Click(10.2, 1) + Click(3, 3.5) + Click(24.0, 3.19));
    const auto shots = WaveShots(run, kStripLongitudinal);
    ASSERT_EQ(shots.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(shots[i].frame, i);
        EXPECT_EQ(shots[i].modeFill, kGreen);
    }
}

TEST(DemoRunning, GoRunsAndStopTakesEffectAtAPollFrame) {
    for (const bool longitudinal : {true, false}) {
        SCOPED_TRACE(longitudinal ? "longitudinal" : "transversal");
        TempDir dir;
        const std::string strip = longitudinal ? kStripLongitudinal : kStripTransversal;
        const int pollEvery = longitudinal ? 5 : 2;
        const OskRun run = RunOsk(dir, (longitudinal ? ClickLongitudinal() : ClickTransversal()) +
                                        ClickGo() + "wait 0.5\n" + ClickGo());
        EXPECT_EQ(run.status, 0);
        const auto shots = WaveShots(run, strip);
        ASSERT_GE(shots.size(), 8u);
        // Frame 0 stepping, then running frames 1, 2, ... one refresh each.
        EXPECT_EQ(shots[0].modeFill, kGreen);
        size_t i = 1;
        for (; i < shots.size() && shots[i].modeFill == kYellow; ++i) EXPECT_EQ(shots[i].frame, static_cast<int>(i));
        // 0.5 s at 0.05 s (0.04 s) a frame, then up to a poll frame.
        const int stopFrame = shots[i - 1].frame;
        EXPECT_EQ(stopFrame % pollEvery, 0);
        EXPECT_GE(stopFrame, longitudinal ? 10 : 12);
        EXPECT_LE(stopFrame, 15);
        // The paused menu: Go again, the same frame, nothing after it.
        ASSERT_EQ(i, shots.size() - 1);
        EXPECT_EQ(shots[i].modeFill, kGreen);
        EXPECT_EQ(shots[i].frame, stopFrame);
        ExpectAnimationButtons(run.last(), kGreen);
        // The wave itself is unchanged by pausing.
        const Page before = run.page(run.titles.size() - 1);
        const Page after = run.last();
        EXPECT_EQ(before.count(0, 0, 28, 3.0, kBlue), after.count(0, 0, 28, 3.0, kBlue));
        EXPECT_EQ(before.count(0, 0, 28, 3.0, kSkyBlue), after.count(0, 0, 28, 3.0, kSkyBlue));
    }
}

TEST(DemoPaused, SingleAndGoContinueTheFrameNumber) {
    for (const bool single : {true, false}) {
        SCOPED_TRACE(single ? "Single" : "Go");
        TempDir dir;
        const OskRun run = RunOsk(dir, ClickTransversal() + ClickGo() + "wait 0.2\n" + ClickGo() +
                                        (single ? ClickNext() : ClickGo()) + "wait 0.2\n");
        const auto shots = WaveShots(run, kStripTransversal);
        // Find the paused menu: the first green after the yellow run.
        size_t paused = 2;
        while (paused < shots.size() && shots[paused].modeFill != kGreen) ++paused;
        ASSERT_LT(paused + 1, shots.size());
        const int stopFrame = shots[paused].frame;
        EXPECT_EQ(shots[paused - 1].frame, stopFrame);
        EXPECT_EQ(shots[paused + 1].frame, stopFrame + 1);
        if (single) {
            EXPECT_EQ(shots[paused + 1].modeFill, kGreen) << "stepping waits after one frame";
            EXPECT_EQ(paused + 2, shots.size());
        } else {
            EXPECT_EQ(shots[paused + 1].modeFill, kYellow);
            EXPECT_GT(shots.size(), paused + 3) << "keeps running";
            EXPECT_EQ(shots.back().frame, stopFrame + static_cast<int>(shots.size() - paused - 1));
        }
    }
}

TEST(DemoPaused, MissedClickRedrawsTheMenuWithoutAFrame) {
    TempDir dir;
    const OskRun run = RunOsk(dir, ClickTransversal() + ClickGo() + "wait 0.2\n" + ClickGo() + Click(10, 1) +
                                    Click(10, 2));
    const auto shots = WaveShots(run, kStripTransversal);
    ASSERT_GE(shots.size(), 4u);
    const Shot& last = shots.back();
    for (size_t k = shots.size() - 3; k < shots.size(); ++k) {
        EXPECT_EQ(shots[k].modeFill, kGreen);
        EXPECT_EQ(shots[k].frame, last.frame);
    }
    EXPECT_EQ(run.page(run.titles.size() - 2), run.last());
}

TEST(DemoRestart, FromSteppingStartsAgainAtFrameZeroRunning) {
    TempDir dir;
    std::string script = ClickLongitudinal();
    for (int i = 0; i < 5; ++i) script += ClickNext();
    script += ClickRestart() + "wait 0.3\n";
    const OskRun run = RunOsk(dir, script);
    const auto shots = WaveShots(run, kStripLongitudinal);
    ASSERT_GT(shots.size(), 9u);
    EXPECT_EQ(shots[5].frame, 5);
    // The new figure's first refresh may show the old page once (the figure
    // change flushes it); from then on frames 0, 1, 2, ... run.
    size_t k = 6;
    if (shots[k].frame == 5) ++k;
    for (int n = 0; k < shots.size(); ++k, ++n) {
        EXPECT_EQ(shots[k].frame, n);
        EXPECT_EQ(shots[k].modeFill, kYellow);
    }
}

TEST(DemoBack, ReturnsToTheStartScreenAndAWaveStartsAnew) {
    TempDir dir;
    const OskRun run = RunOsk(dir, ClickLongitudinal() + ClickNext() + ClickNext() + ClickBack() +
                                    ClickTransversal());
    const auto shots = Shots(run);
    ASSERT_GE(shots.size(), 4u);
    EXPECT_EQ(run.titles.back(), kStripTransversal);
    EXPECT_EQ(shots.back().frame, 0);
    EXPECT_EQ(shots.back().modeFill, kGreen);
    // The start screen was shown again in between.
    // Each start screen shows once while waiting and once more in the flush
    // of the figure change that leaves it.
    EXPECT_EQ(run.countTitle(kStripStart), 4);
    for (size_t i = 1; i <= run.titles.size(); ++i)
        if (run.titles[i - 1] == kStripStart && i > 1 && run.titles[i - 2] == kStripLongitudinal)
            ExpectStartScreen(run.page(i));
}

TEST(DemoQuit, FromEveryScreenEndsWithStatusZero) {
    struct Case {
        const char* name;
        std::string script;
    };
    const std::vector<Case> cases = {
        {"start screen", ClickQuit()},
        {"stepping", ClickLongitudinal() + ClickQuit()},
        {"running", ClickTransversal() + ClickGo() + "wait 0.3\n" + ClickQuit()},
        {"paused", ClickTransversal() + ClickGo() + "wait 0.1\n" + ClickGo() + ClickQuit()},
        {"after back", ClickLongitudinal() + ClickBack() + ClickQuit()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        // Events after "Quit" are never read.
        const OskRun run = RunOsk(dir, c.script + ClickLongitudinal() + ClickNext());
        EXPECT_EQ(run.status, 0) << run.output;
        ASSERT_FALSE(run.titles.empty());
        EXPECT_EQ(run.titles.back(), kStripClosed);
        EXPECT_EQ(run.countTitle(kStripClosed), 1);
    }
}

TEST(DemoClicks, RightClickActsAsLeftClick) {
    TempDir dir;
    const ClientPoint lon = UserToClient(18.9, kRowY);
    const ClientPoint next = UserToClient(18.4, kRowY);
    const std::string script = "rclick " + std::to_string(lon.x) + " " + std::to_string(lon.y) + "\n" +
                               "rclick " + std::to_string(next.x) + " " + std::to_string(next.y) + "\n";
    const OskRun run = RunOsk(dir, script);
    const auto shots = WaveShots(run, kStripLongitudinal);
    ASSERT_EQ(shots.size(), 2u);
    EXPECT_EQ(shots[1].frame, 1);
}

// Pixel clicks at the edges of "Go" in Stepping: a hit runs (yellow), a miss
// steps (green).  The click lands at column / 36 and row / 36 user units.
TEST(DemoClicks, HitAreaBoundsInPixels) {
    struct Case {
        int column, row;  // page pixel, row counted from the bottom
        bool hit;
        const char* what;
    };
    // "Go": x 24.0 +- 1.2 -> 22.8 .. 25.2 (columns 821 .. 907); the drawn box
    // is 22.9 .. 25.1.  y 3.25 .. 3.82 -> rows 118 .. 137 (row 117 is 3.25,
    // just below 3.4f - 0.15 in double).
    const std::vector<Case> cases = {
        {821, 126, true, "left bound"},        {820, 126, false, "left, one pixel out"},
        {907, 126, true, "right bound"},       {908, 126, false, "right, one pixel out"},
        {864, 118, true, "bottom bound"},      {864, 117, false, "bottom, on 3.25"},
        {864, 137, true, "top bound"},         {864, 138, false, "top, one pixel out"},
        {905, 126, true, "0.05 right of box"}, {823, 126, true, "0.05 left of box"},
        {864, 115, false, "0.05 below box"},   {864, 139, false, "0.05 above box"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const OskRun run = RunOsk(dir, ClickLongitudinal() + ClickPixel(c.column, c.row));
        const auto shots = WaveShots(run, kStripLongitudinal);
        ASSERT_GE(shots.size(), 2u);
        EXPECT_EQ(shots[1].frame, 1);
        EXPECT_EQ(shots[1].modeFill, c.hit ? kYellow : kGreen);
    }
}

TEST(DemoClicks, StartButtonBoundsInPixels) {
    // "Longitudinal": 18.9 +- 1.7 -> 17.2 .. 20.6, columns 620 .. 741.
    const std::vector<std::pair<int, bool>> cases = {{620, true}, {619, false}, {741, true}, {742, false}};
    for (const auto& [column, hit] : cases) {
        SCOPED_TRACE(column);
        TempDir dir;
        const OskRun run = RunOsk(dir, ClickPixel(column, 126));
        EXPECT_EQ(run.titles.back(), hit ? kStripLongitudinal : kStripStart);
    }
}

TEST(DemoTitles, StripTextsOfAWholeSession) {
    TempDir dir;
    const OskRun run = RunOsk(dir, ClickLongitudinal() + ClickBack() + ClickTransversal() + ClickQuit());
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> distinct;
    for (const std::string& t : run.titles)
        if (distinct.empty() || distinct.back() != t) distinct.push_back(t);
    const std::vector<std::string> expected = {kStripStart, kStripLongitudinal, kStripStart, kStripTransversal,
                                               kStripClosed};
    EXPECT_EQ(distinct, expected);
}

// Keys arrive as clicks at the centre of the button they name.
TEST(DemoKeys, EveryKeyReachesItsButton) {
    TempDir dir;
    const std::string script =
        "key n\nkey space\nkey r\nkey b\n"  // no buttons of theirs on the start screen
        "key l\n"                            // Longitudinal, frame 0
        "key n\nkey right\n"                 // frames 1 and 2
        "key space\nwait 0.3\nkey space\n"   // Go, then Stop at a poll frame
        "key n\n"                            // Single: one more frame
        "key backspace\n"                    // Back
        "key t\n"                            // Transversal
        "key r\nwait 0.1\n"                  // Restart: running from frame 0
        "key b\nkey q\n";                    // Back, Quit
    const OskRun run = RunOsk(dir, script);
    EXPECT_EQ(run.status, 0) << run.output;
    // The start screen: shown once at first (the keys without buttons did nothing).
    ASSERT_GE(run.titles.size(), 2u);
    size_t firstWave = 0;
    while (firstWave < run.titles.size() && run.titles[firstWave] != kStripLongitudinal) ++firstWave;
    // The wait and the figure change's flush; a key that clicked anywhere
    // would have drawn the start screen again.
    EXPECT_EQ(firstWave, 2u);

    const auto lon = WaveShots(run, kStripLongitudinal);
    ASSERT_GE(lon.size(), 6u);
    EXPECT_EQ(lon[0].frame, 0);
    EXPECT_EQ(lon[1].frame, 1);
    EXPECT_EQ(lon[2].frame, 2);
    EXPECT_EQ(lon[3].modeFill, kYellow);
    // Paused at a poll frame, then one frame in Stepping.
    const Shot& stepped = lon.back();
    EXPECT_EQ(stepped.modeFill, kGreen);
    EXPECT_EQ(lon[lon.size() - 2].modeFill, kGreen);
    EXPECT_EQ(lon[lon.size() - 2].frame % 5, 0);
    EXPECT_EQ(stepped.frame, lon[lon.size() - 2].frame + 1);

    const auto tra = WaveShots(run, kStripTransversal);
    ASSERT_GE(tra.size(), 3u);
    EXPECT_EQ(tra[0].frame, 0);
    EXPECT_EQ(tra[0].modeFill, kGreen);
    EXPECT_EQ(tra.back().modeFill, kYellow);
    EXPECT_EQ(run.titles.back(), kStripClosed);
}

}  // namespace
