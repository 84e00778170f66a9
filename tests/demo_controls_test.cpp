// The shell's own keys in a headless run of the demonstration: slow motion
// stretches the frame period (and so the recording's frame delays) without
// touching a pixel of the page, and F1 shows the help.
#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "app/shell.h"
#include "demo/driver.h"
#include "demo_support.h"
#include "platform/headless/headless.h"

namespace {

using namespace demotest;

std::vector<int> GifDelays(const std::string& path) {
    std::vector<int> delays;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return delays;
    if (DGifSlurp(gif) == GIF_OK) {
        for (int i = 0; i < gif->ImageCount; ++i) {
            GraphicsControlBlock gcb{};
            DGifSavedExtensionToGCB(gif, i, &gcb);
            delays.push_back(gcb.DelayTime);
        }
    }
    DGifCloseFile(gif, &error);
    return delays;
}

// Sees the refreshes of a run: the clock time, from the first refresh, at
// which the paused menu's "Go" shows after `from` seconds.
class StopWatch : public RefreshObserver {
public:
    explicit StopWatch(double from) : from_(from) {}
    double stoppedAt = -1;
    void PageRefreshed(const PageFrame& frame) override {
        if (start_ < 0) start_ = frame.seconds;
        if (stoppedAt >= 0 || frame.seconds - start_ < from_) return;
        Page page;
        page.width = frame.width;
        page.height = frame.height;
        page.pixels.assign(frame.pixels, frame.pixels + static_cast<size_t>(frame.width) * frame.height);
        if (ModeButtonFill(page) == kGreen) stoppedAt = frame.seconds - start_;
    }

private:
    double from_;
    double start_ = -1;
};

}  // namespace

// "Stop" clicked 15 s into a running longitudinal wave (the wave that polls
// least often) takes effect within one frame period and 0.1 s when slowed;
// at normal speed within two polls (a click is two messages, a poll pumps one).
TEST(ShellKeys, StopActsWithinAFramePeriodWhenSlowed) {
    const double period = kLongitudinalWave.period;
    for (int presses : {0, 1, 3}) {
        const int slowdown = 1 << presses;
        std::string script = "key l\n";
        for (int i = 0; i < presses; ++i) script += "key minus\n";
        script += "key space\nwait 15\n" + ClickGo() + "wait 1\nkey q\n";
        HeadlessOptions options;
        ScriptError error;
        ASSERT_TRUE(ParseScript(script, options.events, error)) << error.message;
        HeadlessBackend backend(std::move(options));
        StopWatch watch(15.0);
        EXPECT_EQ(OskWinMain(&backend, nullptr, WaveDemoMain, &watch), 0);
        const double bound = slowdown == 1 ? 2 * kLongitudinalWave.pollEvery * period + period
                                           : slowdown * period + 0.1;
        ASSERT_GE(watch.stoppedAt, 15.0) << "1/" << slowdown << " speed: never stopped";
        EXPECT_LE(watch.stoppedAt - 15.0, bound) << "1/" << slowdown << " speed";
        std::printf("1/%d speed: Stop clicked at 15 s took effect at %.3f s\n", slowdown, watch.stoppedAt);
    }
}

TEST(ShellKeys, SlowMotionStretchesFramesAndHelpListsTheKeys) {
    TempDir dir;
    const fs::path gif = dir.path() / "run.gif";
    // Transversal wave (40 ms a frame), four times slower (the fourth press
    // stays at 1/8), running; then back to normal speed step by step, a
    // press every 0.5 s (a slowed run takes the keys in as they come).
    const std::string slow = "key t\nkey minus\nkey minus\nkey minus\nkey minus\nkey space\nwait 1.5\n"
                             "key plus\nwait 0.5\nkey plus\nwait 0.5\nkey plus\nwait 0.5\nkey plus\nwait 0.6\n"
                             "key f1\nkey q\n";
    const OskRun run = RunOsk(dir, slow, "--record '" + gif.string() + "'");
    ASSERT_EQ(run.status, 0) << run.output;

    // Frame delays in hundredths (a millisecond of overshoot per frame may
    // round up): 32 at 1/8 speed, then 16, 8 and 4, never slower than 1/8.
    // The first frame is the start screen's, the last the end's.
    const std::vector<int> delays = GifDelays(gif.string());
    ASSERT_GT(delays.size(), 10u);
    std::vector<int> speeds;
    for (std::size_t i = 1; i + 1 < delays.size(); ++i) {
        const int d = delays[i];
        ASSERT_LE(d, 33) << "frame " << i << " slower than 1/8 speed";
        speeds.push_back(d >= 31 ? 32 : d >= 15 ? 16 : d >= 7 ? 8 : d >= 3 ? 4 : 0);
    }
    EXPECT_TRUE(std::is_sorted(speeds.rbegin(), speeds.rend())) << "speeds do not step up in order";
    EXPECT_GE(std::count(speeds.begin(), speeds.end(), 32), 3);
    for (int band : {16, 8, 4}) EXPECT_GE(std::count(speeds.begin(), speeds.end(), band), 1) << band;

    // Frame 2 at normal and at 1/2 speed: the page is untouched by the speed.
    TempDir normalDir;
    const OskRun normal = RunOsk(normalDir, "key t\nkey n\nkey n\n");
    ASSERT_EQ(normal.status, 0) << normal.output;
    TempDir slowDir;
    const OskRun slowed = RunOsk(slowDir, "key t\nkey minus\nkey n\nkey n\n");
    ASSERT_EQ(slowed.status, 0) << slowed.output;
    EXPECT_EQ(normal.last().pixels, slowed.last().pixels) << "slow motion changed the picture of a frame";

    // F1: a message box listing the buttons and keys (headless: on standard error).
    for (const char* line : {"Space, PageUp: Go / Stop", "N, Right, PageDown: Next", "presenter's remote", "M: marked",
                             "C: both waves", "F11, F", "full screen", "Z: fit", "-, +", "1/8 speed", "F1, ?"}) {
        EXPECT_NE(run.output.find(line), std::string::npos) << "help lacks '" << line << "':\n" << run.output;
    }
}

// A presenter's remote sends PageDown and PageUp: they step and run or stop
// exactly as N and space do, on the wave screens and the paused menu, page
// for page; Right, Backspace and Escape press their buttons as well.
TEST(ShellKeys, PresentersRemoteDrivesTheLessonLikeTheButtons) {
    const std::string lesson =
        "key t\nkey STEP\nkey STEP\nkey RUN\nwait 0.5\nkey RUN\nkey STEP\nkey RUN\nwait 0.3\n"
        "key RUN\nkey RUN\nwait 0.2\nkey BACK\nkey l\nkey STEP\nkey QUIT\n";
    auto script = [&lesson](const char* step, const char* run, const char* back, const char* quit) {
        std::string text = lesson;
        for (const auto& [word, key] : {std::pair{"STEP", step}, {"RUN", run}, {"BACK", back}, {"QUIT", quit}}) {
            for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word)) {
                text.replace(at, std::strlen(word), key);
            }
        }
        return text;
    };
    TempDir buttonsDir;
    const OskRun buttons = RunOsk(buttonsDir, script("n", "space", "b", "q"));
    ASSERT_EQ(buttons.status, 0) << buttons.output;
    TempDir remoteDir;
    const OskRun remote = RunOsk(remoteDir, script("pagedown", "pageup", "backspace", "escape"));
    ASSERT_EQ(remote.status, 0) << remote.output;
    TempDir arrowDir;
    const OskRun arrow = RunOsk(arrowDir, script("right", "pageup", "b", "q"));
    ASSERT_EQ(arrow.status, 0) << arrow.output;

    // The lesson ran: stepped, ran, paused, went back and quit.
    ASSERT_GT(buttons.countTitle("Transversal Wave"), 10);
    ASSERT_GT(buttons.countTitle("Longitudinal Wave"), 0);
    EXPECT_EQ(buttons.titles.back(), "Plot Finished - Close Window to Terminate");
    for (const OskRun* other : {&remote, &arrow}) {
        ASSERT_EQ(other->titles, buttons.titles);
        for (std::size_t i = 1; i <= buttons.titles.size(); ++i) {
            ASSERT_EQ(other->page(i).pixels, buttons.page(i).pixels) << "refresh " << i;
        }
    }
}
