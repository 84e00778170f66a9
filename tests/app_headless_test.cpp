// The headless backend: script parsing, the virtual clock and event timing,
// the GIF recording, and the command line of osk.
#include <gif_lib.h>

#include <cmath>
#include <fstream>
#include <numeric>
#include <optional>

#include "app/cmdline.h"
#include "app/mouse.h"
#include "app_support.h"

namespace {

TEST(Script, ParsesEventsAndAddsUpWaits) {
    std::vector<ScriptEvent> events;
    ScriptError error;
    ASSERT_TRUE(ParseScript("# a comment\n\nwait 1\n  wait 0.5  \nclick 10 20 # inline\nrclick 0 32767\n"
                            "key ctrl+S\nclose\nwait .25\n",
                            events, error));
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0].kind, ScriptEvent::Click);
    EXPECT_EQ(events[0].delayMs, 1500);
    EXPECT_EQ(events[0].x, 10);
    EXPECT_EQ(events[0].y, 20);
    EXPECT_EQ(events[1].kind, ScriptEvent::RightClick);
    EXPECT_EQ(events[1].delayMs, 0);
    EXPECT_EQ(events[1].y, 32767);
    EXPECT_EQ(events[2].key, 'S');
    EXPECT_EQ(events[2].mods, unsigned{MOD_CTRL});
    EXPECT_EQ(events[3].kind, ScriptEvent::Close);
    EXPECT_EQ(events[4].kind, ScriptEvent::Close) << "the end of the script closes";
    EXPECT_EQ(events[4].delayMs, 250) << "after the trailing wait";
}

TEST(Script, BadLinesAreReportedWithTheirNumber) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    };
    for (const Case& c : {
             Case{"click 1 2\nclik 3 4\n", 2, "unknown event 'clik' (click, rclick, key, wait, close)"},
             Case{"click 5\n", 1, "click needs two whole numbers X Y"},
             Case{"\n\nclick -1 5\n", 3, "click needs two whole numbers X Y from 0 to 32767"},
             Case{"rclick 1.5 2\n", 1, "rclick needs two whole numbers X Y from 0 to 32767"},
             Case{"click 1 40000\n", 1, "click needs two whole numbers X Y from 0 to 32767"},
             Case{"wait -1\n", 1, "wait needs a decimal number of seconds >= 0"},
             Case{"wait 1e3\n", 1, "wait needs a decimal number of seconds >= 0"},
             Case{"wait .\n", 1, "wait needs a decimal number of seconds >= 0"},
             Case{"wait\n", 1, "wait needs a decimal number of seconds >= 0"},
             Case{"close now\n", 1, "close takes no arguments"},
             Case{"key\n", 1, "key needs one key name"},
             Case{"key f13\n", 1, "unknown key name 'f13'"},
         }) {
        std::vector<ScriptEvent> events;
        ScriptError error;
        EXPECT_FALSE(ParseScript(c.text, events, error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_EQ(error.message, c.message) << c.text;
        EXPECT_TRUE(events.empty());
    }
}

TEST(Script, KeyNames) {
    struct Case {
        const char* name;
        unsigned key, mods;
    };
    for (const Case& c :
         {Case{"space", ' ', 0}, Case{"n", 'N', 0}, Case{"Q", 'Q', 0}, Case{"7", '7', 0}, Case{"right", KEY_RIGHT, 0},
          Case{"escape", KEY_ESCAPE, 0}, Case{"pagedown", KEY_PAGEDOWN, 0}, Case{"pageup", KEY_PAGEUP, 0},
          Case{"backspace", KEY_BACKSPACE, 0}, Case{"shift+f6", KEY_F6, MOD_SHIFT},
          Case{"alt+backspace", KEY_BACKSPACE, MOD_ALT}, Case{"ctrl+shift+x", 'X', MOD_CTRL | MOD_SHIFT}}) {
        unsigned key = 0, mods = 0;
        EXPECT_TRUE(ParseKeyName(c.name, key, mods)) << c.name;
        EXPECT_EQ(key, c.key) << c.name;
        EXPECT_EQ(mods, c.mods) << c.name;
    }
    unsigned key = 0, mods = 0;
    for (const char* bad : {"", "ctrl+", "nn", "f0", "spacebar", "ctrl"}) EXPECT_FALSE(ParseKeyName(bad, key, mods)) << bad;
}

TEST(VirtualClock, JumpsToTheFirstMillisecondPastTheDeadlineAndAlwaysMovesOn) {
    HeadlessBackend b(HeadlessOptions{});
    EXPECT_EQ(b.WallClock(), 946684800.0);
    b.WaitUntil(946684800.05);
    EXPECT_EQ(b.NowMs(), HeadlessBackend::kStartMs + 51);
    b.WaitUntil(946684800.0705);
    EXPECT_EQ(b.NowMs(), HeadlessBackend::kStartMs + 71);
    b.WaitUntil(946684700.0);  // long past
    EXPECT_EQ(b.NowMs(), HeadlessBackend::kStartMs + 72);
    EXPECT_EQ(b.WallClock(), 946684800.072);
    b.WaitUntil(std::nan(""));  // no deadline at all: one millisecond on
    EXPECT_EQ(b.NowMs(), HeadlessBackend::kStartMs + 73);
    b.WaitUntil(1e300);  // beyond any clock time: the clock's far end
    EXPECT_EQ(b.NowMs(), std::int64_t{1} << 52);
}

TEST(VirtualClock, DelayAndEventTimesFollowTheScript) {
    ShellTempDir dir;
    std::int64_t afterDelay = 0, secondClick = 0, thirdClick = 0;
    ShellRun::Run("wait 2\nclick 100 40\nwait 1\nclick 110 40\nwait 0.5\nclick 120 40\nwait 100\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        int key = 0;
        float x = 0, y = 0;
        char button = ' ';
        const double t0 = WALLCLOCK();
        DELAY(0.05, t0);
        afterDelay = ShellRun::backend->NowMs();
        MOUSEWAIT(2, key, x, y, button);  // the first click is due at 2 s
        DELAY(0.3, WALLCLOCK());
        MOUSEWAIT(2, key, x, y, button);  // due 1 s after the first was delivered
        secondClick = ShellRun::backend->NowMs();
        DELAY(0.8, WALLCLOCK());  // overshoots the third click's time
        MOUSEWAIT(2, key, x, y, button);
        thirdClick = ShellRun::backend->NowMs();
        return 0;
    });
    EXPECT_EQ(afterDelay, HeadlessBackend::kStartMs + 51);
    EXPECT_EQ(secondClick, HeadlessBackend::kStartMs + 3000);
    EXPECT_EQ(thirdClick, HeadlessBackend::kStartMs + 3801) << "a late event is delivered at once";
}

// Quick presses arrive as the window system sends them, the second of a pair
// as a double click, and every one of them is stored as a click.
TEST(QuickClicks, ASecondPressIsADoubleClickAndStillAClick) {
    const std::string script = "click 100 40\nclick 100 40\nclick 100 40\nwait 0.6\nclick 100 40\n"
                               "click 300 40\nrclick 300 40\n";
    HeadlessOptions options;
    ScriptError error;
    ASSERT_TRUE(ParseScript(script, options.events, error));
    HeadlessBackend backend(options);
    std::vector<int> presses;
    for (BackendEvent e; e.type != BackendEvent::Close;) {
        backend.WaitEvent(e);
        if (e.type == BackendEvent::MouseDown) presses.push_back(e.clicks);
    }
    // Counted up while quick, anew after a pause, far away or with another button.
    EXPECT_EQ(presses, (std::vector<int>{1, 2, 3, 1, 1, 1}));

    ShellTempDir dir;
    std::string buttons;
    ShellRun::Run(script, [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        int key = 0;
        float x = 0, y = 0;
        char button = ' ';
        while (MOUSEWAIT(2, key, x, y, button) == 0) buttons += button;
        return 0;
    });
    EXPECT_EQ(buttons, "LLLLLR");
}

// Decodes a GIF: frame count, delays (hundredths) and frame rectangles.
struct GifInfo {
    int width = 0, height = 0;
    std::vector<int> delays;
    std::vector<GifImageDesc> frames;
    std::vector<std::vector<unsigned char>> pixels;
    GifColorType colour2{};
};

GifInfo ReadGif(const std::string& path) {
    GifInfo info;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif) return info;
    if (DGifSlurp(gif) == GIF_OK) {
        info.width = gif->SWidth;
        info.height = gif->SHeight;
        if (gif->SColorMap) info.colour2 = gif->SColorMap->Colors[2];
        for (int i = 0; i < gif->ImageCount; ++i) {
            GraphicsControlBlock gcb{};
            DGifSavedExtensionToGCB(gif, i, &gcb);
            info.delays.push_back(gcb.DelayTime);
            info.frames.push_back(gif->SavedImages[i].ImageDesc);
            const auto& d = gif->SavedImages[i].ImageDesc;
            info.pixels.emplace_back(gif->SavedImages[i].RasterBits,
                                     gif->SavedImages[i].RasterBits + std::ptrdiff_t{d.Width} * d.Height);
        }
    }
    DGifCloseFile(gif, &error);
    return info;
}

TEST(GifRecording, OnlyChangedPicturesBecomeFramesTimedByTheClock) {
    ShellTempDir dir;
    const std::string path = (dir.path() / "run.gif").string();
    {
        GifRecorder recorder;
        std::string error;
        ASSERT_TRUE(recorder.Open(path, error)) << error;
        std::uint32_t palette[256];
        for (int i = 0; i < 256; ++i) palette[i] = 0x010101u * static_cast<unsigned>(i);
        palette[2] = 0xFF0000;
        std::vector<unsigned char> page(std::size_t{16} * 8, 1);
        const std::int64_t t = 5000;
        recorder.AddFrame(page.data(), 16, 8, palette, t);
        recorder.AddFrame(page.data(), 16, 8, palette, t + 40);  // unchanged: no frame
        page[3 * 16 + 5] = 2;                                      // bottom-up row 3 = GIF row 4
        recorder.AddFrame(page.data(), 16, 8, palette, t + 100);
        page[0] = 2;                                 // the same hundredth: replaces the picture
        recorder.AddFrame(page.data(), 16, 8, palette, t + 104);
        page[0] = 1;
        recorder.AddFrame(page.data(), 16, 8, palette, t + 350);
        ASSERT_TRUE(recorder.Close(t + 1350, error)) << error;
        EXPECT_EQ(recorder.FramesWritten(), 3);
    }
    const GifInfo gif = ReadGif(path);
    EXPECT_EQ(gif.width, 16);
    EXPECT_EQ(gif.height, 8);
    EXPECT_EQ(gif.colour2.Red, 255);
    EXPECT_EQ(gif.colour2.Green, 0);
    EXPECT_EQ(gif.delays, (std::vector<int>{10, 25, 100}));
    ASSERT_EQ(gif.frames.size(), 3u);
    EXPECT_EQ(gif.frames[0].Width, 16);
    EXPECT_EQ(gif.frames[0].Height, 8);
    // Second frame: the changed rectangle, GIF rows 4 (pixel 5) to 7 (pixel 0).
    EXPECT_EQ(gif.frames[1].Left, 0);
    EXPECT_EQ(gif.frames[1].Top, 4);
    EXPECT_EQ(gif.frames[1].Width, 6);
    EXPECT_EQ(gif.frames[1].Height, 4);
    EXPECT_EQ(gif.pixels[1].front(), 1);
    EXPECT_EQ(gif.pixels[1][5], 2);
    EXPECT_EQ(gif.pixels[1].back(), 1);
    EXPECT_EQ(gif.pixels[1][std::size_t{3} * 6], 2);
    // Third frame: only pixel 0 of the bottom row went back.
    EXPECT_EQ(gif.frames[2].Top, 7);
    EXPECT_EQ(gif.frames[2].Width, 1);
}

// A pause longer than one frame delay holds (655.35 s) lasts in the file as
// on the clock, and the frames that carry it change no pixel.
TEST(GifRecording, APauseOfTwelveMinutesIsKeptWhole) {
    ShellTempDir dir;
    const std::string path = (dir.path() / "pause.gif").string();
    std::vector<unsigned char> last;
    auto record = [&](std::int64_t pauseMs) {
        GifRecorder recorder;
        std::string error;
        EXPECT_TRUE(recorder.Open(path, error)) << error;
        std::uint32_t palette[256] = {};
        std::vector<unsigned char> page(std::size_t{16} * 8, 1);
        recorder.AddFrame(page.data(), 16, 8, palette, 0);
        page[7 * 16 + 3] = 2;
        recorder.AddFrame(page.data(), 16, 8, palette, 1000 + pauseMs);
        page[0] = 3;
        recorder.AddFrame(page.data(), 16, 8, palette, 1500 + pauseMs);
        EXPECT_TRUE(recorder.Close(2500 + pauseMs, error)) << error;
        last.clear();  // top row first, as GIF stores it
        for (int row = 7; row >= 0; --row)
            last.insert(last.end(), page.begin() + std::ptrdiff_t{row} * 16,
                        page.begin() + std::ptrdiff_t{row} * 16 + 16);
        return ReadGif(path);
    };
    const GifInfo plain = record(0);
    const GifInfo paused = record(720000);
    auto total = [](const GifInfo& g) { return std::accumulate(g.delays.begin(), g.delays.end(), 0); };
    EXPECT_EQ(total(plain), 250);
    EXPECT_EQ(total(paused) - total(plain), 72000);
    // The picture shown at the end: every frame laid over the first.
    std::vector<unsigned char> shown(std::size_t{16} * 8, 0);
    for (std::size_t i = 0; i < paused.frames.size(); ++i) {
        const GifImageDesc& d = paused.frames[i];
        for (int r = 0; r < d.Height; ++r)
            for (int c = 0; c < d.Width; ++c) shown[(d.Top + r) * 16 + d.Left + c] = paused.pixels[i][r * d.Width + c];
    }
    EXPECT_EQ(shown, last);
}

TEST(GifRecording, ARunRecordsItsRefreshesAlsoAcrossAFigureOfAnotherSize) {
    ShellTempDir dir;
    PageRecordOptions record;
    record.recordFile = (dir.path() / "shell.gif").string();
    ShellRun::Run("wait 0.5\nclick 300 100\nwait 0.5\nclick 10 10\n", [&] {
        PlotState.plotView = GetPlotView();
        MOUSEENABLE(2, 1);
        int key = 0;
        float x = 0, y = 0;
        char button = ' ';
        MOUSEWAIT(2, key, x, y, button);  // refresh 1 at 0 s
        SETCOLOUR(2);
        DOT(x, y, 20);
        PLOTFLUSH();  // refresh 2 at 0.5 s
        // A narrower figure: the page image shrinks to 504 x 144.
        PlotState.pageWidth = 14;
        FRAME(0, 0, 14, 4);  // waits for the click at 1 s
        PLOTFLUSH();         // refresh 4 at 1 s
        return 0;
    }, nullptr, {}, record);
    const GifInfo gif = ReadGif(record.recordFile);
    EXPECT_EQ(gif.width, 1008);
    EXPECT_EQ(gif.height, 144);
    EXPECT_EQ(gif.delays.size(), 3u) << "the narrower page is still recorded";
    if (gif.delays.size() == 3) {
        EXPECT_EQ(gif.delays[0], 50);
        EXPECT_EQ(gif.delays[1], 50);
    }
}

TEST(PageRecording, AnUnwritableDumpDirectoryIsRefused) {
    ShellTempDir dir;
    std::ofstream(dir.path() / "plain") << "x";
    PageRecorder recorder;
    std::string error;
    EXPECT_FALSE(recorder.Open({(dir.path() / "plain" / "dumps").string(), ""}, error));
    EXPECT_NE(error.find("plain"), std::string::npos);
}

// ---- the command line ----------------------------------------------------------------------

int RunOsk(std::vector<const char*> args, std::string* err = nullptr, std::string* out = nullptr) {
    args.insert(args.begin(), "osk");
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    const int status = OskMain(static_cast<int>(args.size()), args.data(), [] { return 0; });
    const std::string e = testing::internal::GetCapturedStderr();
    const std::string o = testing::internal::GetCapturedStdout();
    if (err) *err = e;
    if (out) *out = o;
    return status;
}

TEST(CommandLine, UsageErrorsEndWithStatusTwoAndOneLine) {
    ShellTempDir dir;
    std::string err;
    EXPECT_EQ(RunOsk({"--frobnicate"}, &err), 2);
    EXPECT_EQ(err, "osk: unknown option '--frobnicate' (try --help)\n");
    EXPECT_EQ(RunOsk({"--script", "s.txt"}, &err), 2);
    EXPECT_EQ(err, "osk: --script needs --headless (try --help)\n");
    EXPECT_EQ(RunOsk({"--headless", "--dump"}, &err), 2);
    EXPECT_EQ(RunOsk({"--headless", "--screen", "100x100"}, &err), 2);
    EXPECT_EQ(RunOsk({"--headless", "a", "b"}, &err), 2);
    EXPECT_EQ(RunOsk({"--headless", "--script", "missing.txt"}, &err), 2);
    std::ofstream("bad.txt") << "click 1 2\n\nwait soon\n";
    EXPECT_EQ(RunOsk({"--headless", "--script", "bad.txt"}, &err), 2);
    EXPECT_EQ(err, "osk: script line 3: wait needs a decimal number of seconds >= 0\n");
}

TEST(CommandLine, HelpVersionAndTheOptionsThatAreUnderstood) {
    std::string out;
    EXPECT_EQ(RunOsk({"--help"}, nullptr, &out), 0);
    EXPECT_NE(out.find("--record FILE.gif"), std::string::npos);
    EXPECT_EQ(RunOsk({"--version"}, nullptr, &out), 0);
    EXPECT_EQ(out.substr(0, out.find('\n')), "osk 1.0.0.1");
    OskOptions o;
    std::string error;
    const char* argv[] = {"osk", "--headless", "--screen=800x600", "--dump", "d", "--record", "r.gif", "f.osk"};
    ASSERT_TRUE(ParseOskArguments(8, argv, o, error)) << error;
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(o.screenWidth, 800);
    EXPECT_EQ(o.screenHeight, 600);
    EXPECT_EQ(o.dumpDir, "d");
    EXPECT_EQ(o.recordFile, "r.gif");
    EXPECT_EQ(o.file, "f.osk");
    // Dumps and recordings work in the window as well.
    const char* windowed[] = {"osk", "--record", "r.gif", "--dump=d"};
    ASSERT_TRUE(ParseOskArguments(4, windowed, o, error)) << error;
    EXPECT_FALSE(o.headless);
    EXPECT_EQ(o.recordFile, "r.gif");
}

TEST(CommandLine, AnErrorEchoingAnArgumentStaysOneLine) {
    OskOptions o;
    std::string error;
    const char* argv[] = {"osk", "--he\nlp\x1b[2J"};
    ASSERT_FALSE(ParseOskArguments(2, argv, o, error));
    EXPECT_EQ(error, "unknown option '--he?lp?[2J'");
}

TEST(CommandLine, WithoutADisplayAWindowedRunRefusesWithStatusTwo) {
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
        const char* value = std::getenv(name);
        saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        unsetenv(name);
    }
    std::string err;
    const int status = RunOsk({}, &err);
    for (const auto& [name, value] : saved) {
        if (value) setenv(name, value->c_str(), 1);
    }
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.find("no display"), std::string::npos);
    EXPECT_NE(err.find("--headless"), std::string::npos);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}

TEST(CommandLine, AHeadlessRunDumpsEveryRefreshAndEndsWithTheScript) {
    ShellTempDir dir;
    std::ofstream("s.txt") << "wait 1\nclick 40 40\n";
    std::string err;
    const int status = RunOsk({"--headless", "--script", "s.txt", "--dump", "out/d"}, &err);
    EXPECT_EQ(status, 0) << err;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "out" / "d" / "refreshes.txt"));
}

}  // namespace
