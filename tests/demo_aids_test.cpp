// The teaching aids: the aid list of --aids, the keys and clicks that turn
// them on and off, the readouts tied to the wave model, and the snapshot
// graph read back from the page's pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/aids.h"
#include "app/catalogue.h"
#include "demo/aid_pictures.h"
#include "demo/driver.h"
#include "demo/waves.h"
#include "demo_support.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

using namespace demotest;

constexpr int kMagenta = 7;

std::string Steps(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "key n\n";
    return s;
}

// Column of a chain's x (particle spacings) on a page of `width` pixels.
int ColumnOfChainX(WaveKind kind, bool common, double x, int width) {
    SetChainBand({0.0f, 4.0f, common});
    float left = 0.0f;
    float right = 0.0f;
    ChainXRange(kind, left, right);
    SetChainBand({});
    return static_cast<int>((x - left) / (right - left) * width);
}

int CountColour(const Page& p, int c0, int c1, int r0, int r1, int colour) {
    int n = 0;
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) n += p.at(c, r) == colour;
    return n;
}

}  // namespace

TEST(AidList, ParsesEveryItemAndRejectsBadOnes) {
    struct Case {
        const char* list;
        bool ok;
        std::vector<int> marked;
        bool wavelength, graph, both;
        const char* errorPart;
    };
    const Case cases[] = {
        {"mark", true, {12}, false, false, false, ""},
        {"mark=30+5+30", true, {5, 30}, false, false, false, ""},
        {"wavelength,graph,both", true, {}, true, true, true, ""},
        {"mark,mark=64+1,graph", true, {1, 12, 64}, false, true, false, ""},
        {"", false, {}, false, false, false, "list"},
        {"mark,", false, {}, false, false, false, "unknown aid ''"},
        {"graphs", false, {}, false, false, false, "unknown aid 'graphs'"},
        {"mark=0", false, {}, false, false, false, "not '0'"},
        {"mark=65", false, {}, false, false, false, "not '65'"},
        {"mark=3+", false, {}, false, false, false, "not ''"},
        {"mark=3x", false, {}, false, false, false, "not '3x'"},
        {"mark=", false, {}, false, false, false, "not ''"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        AidState aids;
        std::string error;
        ASSERT_EQ(ParseAidList(c.list, aids, error), c.ok) << error;
        if (!c.ok) {
            EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
            EXPECT_EQ(error.find('\n'), std::string::npos);
            EXPECT_EQ(aids, AidState{});
            continue;
        }
        EXPECT_EQ(aids.marked, c.marked);
        EXPECT_EQ(aids.wavelength, c.wavelength);
        EXPECT_EQ(aids.graph, c.graph);
        EXPECT_EQ(aids.both, c.both);
        AidState again;
        ASSERT_TRUE(ParseAidList(FormatAidList(aids), again, error));
        EXPECT_EQ(again, aids);
    }

    // The command line: a bad item is a usage error on one line.
    TempDir dir;
    const OskRun run = RunOsk(dir, "", "--aids mark,wave");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "osk: unknown aid 'wave' (mark, mark=N[+N...], wavelength, graph, both) (try --help)\n");
}

TEST(AidState, MarksCycleAndClicksStopAtFour) {
    SetAids({});
    CycleMarks();
    EXPECT_EQ(CurrentAids().marked, std::vector<int>{12});
    CycleMarks();
    EXPECT_EQ(CurrentAids().marked, (std::vector<int>{6, 12, 18, 24, 30, 36, 42, 48, 54, 60}));
    CycleMarks();
    EXPECT_TRUE(CurrentAids().marked.empty());

    for (int p : {40, 3, 17, 64}) EXPECT_TRUE(ToggleMark(p));
    const unsigned generation = AidGeneration();
    EXPECT_FALSE(ToggleMark(20));  // a fifth
    EXPECT_FALSE(ToggleMark(0));   // the exciter
    EXPECT_EQ(AidGeneration(), generation);
    EXPECT_EQ(CurrentAids().marked, (std::vector<int>{3, 17, 40, 64}));
    EXPECT_TRUE(ToggleMark(17));
    EXPECT_EQ(CurrentAids().marked, (std::vector<int>{3, 40, 64}));
    CycleMarks();  // marks made one by one: M clears them
    EXPECT_FALSE(AnyAidOn(CurrentAids()));
    SetAids({});
}

// The readouts follow from the model: one wavelength further on a particle
// does what this one does, one period later it is where it was, and the
// front moves on by the speed.  The bracket joins two particles in the phase
// of the front.
TEST(AidReadouts, FollowFromTheWaveModel) {
    const WaveReadouts r = ComputeReadouts(kLongitudinalWave.period * 4);
    EXPECT_NEAR(r.wavelength, 24.0, 1e-4);
    EXPECT_NEAR(r.periodFrames, 24.0, 1e-4);
    EXPECT_NEAR(r.periodSeconds, 24 * 0.05 * 4, 1e-4);
    EXPECT_NEAR(r.speedPerSecond, r.speedPerFrame / (0.05 * 4), 1e-6);
    const int lambda = static_cast<int>(std::lround(r.wavelength));
    const int period = static_cast<int>(std::lround(r.periodFrames));
    for (WaveKind kind : {WaveKind::Longitudinal, WaveKind::Transversal}) {
        const double a = WaveAmplitude(kind);
        for (int n : {30, 50, 64, 100}) {
            for (int i = 0; i + lambda <= ReachedParticles(n); ++i) {
                EXPECT_NEAR(ParticleDisplacement(kind, i + lambda, n), ParticleDisplacement(kind, i, n), 1e-3 * a);
                EXPECT_NEAR(ParticleDisplacement(kind, i, n + period), ParticleDisplacement(kind, i, n), 1e-3 * a);
            }
            // Half a wavelength on, the particle is on the other side.
            EXPECT_NEAR(ParticleDisplacement(kind, 5 + lambda / 2, n), -ParticleDisplacement(kind, 5, n), 1e-3 * a);
        }
    }
    for (int n = 0; n < 64; ++n) {
        EXPECT_NEAR(ReachedParticles(n + 1) - ReachedParticles(n), r.speedPerFrame, 1e-4);
    }
    const std::array<std::string, 3> texts = ReadoutTexts(r);
    EXPECT_EQ(texts[0], "^l = 24 spacings");
    EXPECT_EQ(texts[1], "T = 24 frames = 4.80 s");
    EXPECT_EQ(texts[2], "v = ^l/T = 1 spacings/frame = 5 spacings/s");
    // Asked again in another language, at another speed and back: the words
    // follow the language of the moment, the figures the values.
    ASSERT_TRUE(SetLanguage("de"));
    const std::string spacings = Tr("spacings");
    const std::string german = ReadoutTexts(r)[0];
    SetLanguage("");
    EXPECT_NE(spacings, "spacings");
    EXPECT_EQ(german, "^l = 24 " + spacings);
    WaveReadouts slower = r;
    slower.periodSeconds *= 2;
    EXPECT_EQ(ReadoutTexts(slower)[1], "T = 24 frames = 9.60 s");
    EXPECT_EQ(ReadoutTexts(r), texts);

    int first = 0;
    int last = 0;
    EXPECT_FALSE(BracketEnds(23, first, last));
    for (int n : {24, 40, 64, 77, 200}) {
        SCOPED_TRACE(n);
        ASSERT_TRUE(BracketEnds(n, first, last));
        EXPECT_EQ(last - first, lambda);
        EXPECT_LE(last, ReachedParticles(n));
        EXPECT_GE(first, 0);
        EXPECT_GT(last + lambda, ReachedParticles(n));  // the pair nearest the front
        // In the phase of the front: at rest position now, moving the same way.
        for (WaveKind kind : {WaveKind::Longitudinal, WaveKind::Transversal}) {
            EXPECT_NEAR(ParticleDisplacement(kind, last, n + 1), ParticleDisplacement(kind, first, n + 1), 1e-3);
            EXPECT_NEAR(ParticleDisplacement(kind, first, n), 0.0, 1e-3);
        }
    }
}

// The snapshot graphs of both chains in frame 37, read back from the dumped
// page: at every particle's column the curve lies at the model's
// displacement (to two pixels), and the marked particles sit on it as dots.
TEST(AidGraph, ShowsTheModelsDisplacements) {
    TempDir dir;
    const int frame = 37;
    const OskRun run = RunOsk(dir, "key l\n" + Steps(frame), "--aids graph,both,mark=10+33");
    ASSERT_EQ(run.status, 0) << run.output;
    const Page page = run.last();
    ASSERT_TRUE(page.ok());

    AidState aids;
    std::string error;
    ASSERT_TRUE(ParseAidList("graph,both,mark=10+33", aids, error));
    const AidLayout layout = LayoutAids(aids);
    ASSERT_EQ(layout.chains, 2);
    const double pixelsPerUnit = page.height / static_cast<double>(layout.pageHeight);
    EXPECT_NEAR(page.width / 28.0, pixelsPerUnit, 0.05);
    const WaveKind kinds[] = {WaveKind::Longitudinal, WaveKind::Transversal};
    for (int chain = 0; chain < 2; ++chain) {
        SCOPED_TRACE(chain);
        const int top = static_cast<int>(GraphPageY(aids, chain, 1.25) * pixelsPerUnit);
        const int bottom = static_cast<int>(GraphPageY(aids, chain, -1.25) * pixelsPerUnit);
        for (int i = 1; i <= 62; ++i) {
            const int column = ColumnOfChainX(kinds[chain], true, i, page.width);
            double sum = 0;
            int count = 0;
            for (int row = bottom; row <= top; ++row) {
                if (page.at(column, row) == kBlue) {
                    sum += row;
                    ++count;
                }
            }
            const double model = ParticleDisplacement(kinds[chain], i, frame);
            const bool marked = i == 10 || i == 33;
            if (marked) {  // the dot covers the curve there
                const int row = static_cast<int>(GraphPageY(aids, chain, model) * pixelsPerUnit);
                EXPECT_EQ(page.at(column, row), kMagenta) << "particle " << i;
                continue;
            }
            ASSERT_GT(count, 0) << "particle " << i;
            const double shown = (sum / count + 0.5) / pixelsPerUnit - GraphPageY(aids, chain, 0.0);
            EXPECT_NEAR(shown, model, 2.0 / pixelsPerUnit) << "particle " << i;
        }
    }
}

// With no aid on, a click on a particle marks it (in a colour no plain page
// has) without stepping on; a second click unmarks it and the page is the
// plain one again, to the byte.  M cycles through its steps back to none.
TEST(AidMarks, ClickOnAParticleAndKeyM) {
    TempDir dir;
    const int frame = 30;
    const int particle = 20;
    const double along = particle + ParticleDisplacement(WaveKind::Longitudinal, particle, frame);
    const int column = ColumnOfChainX(WaveKind::Longitudinal, false, along, kPageWidth);
    const std::string clickParticle = ClickPixel(column, 54);  // the rest line is row 54
    const std::string script = "key l\n" + Steps(frame) + clickParticle + clickParticle + "key m\nkey m\nkey m\n";
    const OskRun run = RunOsk(dir, script);
    ASSERT_EQ(run.status, 0) << run.output;
    const size_t plain = frame + 3;  // two of the start screen, frames 0..30
    ASSERT_EQ(run.titles.size(), plain + 5);
    const Page before = run.page(plain);
    const Page marked = run.page(plain + 1);
    const Page unmarked = run.page(plain + 2);
    ASSERT_TRUE(before.ok() && marked.ok());
    EXPECT_EQ(marked.height, before.height);
    EXPECT_EQ(CountColour(before, 0, kPageWidth - 1, 0, kPageHeight - 1, kMagenta), 0);
    EXPECT_GT(CountColour(marked, column - 4, column + 4, 30, 80, kMagenta), 40);
    EXPECT_EQ(CountColour(marked, 0, column - 20, 0, kPageHeight - 1, kMagenta), 0);
    EXPECT_EQ(CountColour(marked, column + 20, kPageWidth - 1, 0, kPageHeight - 1, kMagenta), 0);
    EXPECT_EQ(LongitudinalFrame(marked), frame);
    EXPECT_TRUE(unmarked == before);
    EXPECT_EQ(LongitudinalFrame(before), frame);

    // M: the 12th particle, then every sixth, then none.
    const int twelfth = ColumnOfChainX(WaveKind::Longitudinal, false,
                                       12 + ParticleDisplacement(WaveKind::Longitudinal, 12, frame), kPageWidth);
    EXPECT_GT(CountColour(run.page(plain + 3), twelfth - 4, twelfth + 4, 30, 80, kMagenta), 40);
    const int sixth = ColumnOfChainX(WaveKind::Longitudinal, false,
                                     6 + ParticleDisplacement(WaveKind::Longitudinal, 6, frame), kPageWidth);
    EXPECT_EQ(CountColour(run.page(plain + 3), sixth - 4, sixth + 4, 30, 80, kMagenta), 0);
    EXPECT_GT(CountColour(run.page(plain + 4), sixth - 4, sixth + 4, 30, 80, kMagenta), 40);
    EXPECT_TRUE(run.page(plain + 5) == before);
}

namespace {

struct AidPage {
    std::vector<unsigned char> pixels;
    float penX, penY, lastPlotX, lastPlotY, textCos, gridX, glyphOriginX;
    int penColour, fillColour, lineWeight;
};

// Frame n with these aids, drawn onto whatever the page holds.
AidPage DrawnAidFrame(WaveKind current, int n, double secondsPerFrame, const AidState& aids) {
    DrawAidFrame(current, n, secondsPerFrame, aids);
    const PlotStateRecord& s = PlotState;
    // The rows under the title band, which the frame owns.
    const auto rows = static_cast<long>((s.pageHeight - kTitleBandHeight) * s.pixelsPerUnitY);
    return {{s.pagePixels, s.pagePixels + rows * s.imageWidth},
            s.penX,
            s.penY,
            s.lastPlotX,
            s.lastPlotY,
            s.textCos,
            s.gridX,
            s.glyphOriginX,
            s.penColour,
            s.fillColour,
            s.lineWeight};
}

// Frame n drawn from nothing kept, on a page of noise under the title band.
AidPage FreshAidFrame(WaveKind current, int n, double secondsPerFrame, const AidState& aids) {
    ForgetAidBackdrop();
    std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, 3);
    SETCOLOURS(2, 5);
    LINEWIDTH(100);
    return DrawnAidFrame(current, n, secondsPerFrame, aids);
}

void ExpectSameFrame(const AidPage& fresh, const AidPage& kept, const std::string& what) {
    EXPECT_TRUE(fresh.pixels == kept.pixels) << what << ": the pixels differ";
    EXPECT_EQ(fresh.penX, kept.penX) << what;
    EXPECT_EQ(fresh.penY, kept.penY) << what;
    EXPECT_EQ(fresh.lastPlotX, kept.lastPlotX) << what;
    EXPECT_EQ(fresh.lastPlotY, kept.lastPlotY) << what;
    EXPECT_EQ(fresh.textCos, kept.textCos) << what;
    EXPECT_EQ(fresh.gridX, kept.gridX) << what;
    EXPECT_EQ(fresh.glyphOriginX, kept.glyphOriginX) << what;
    EXPECT_EQ(fresh.penColour, kept.penColour) << what;
    EXPECT_EQ(fresh.fillColour, kept.fillColour) << what;
    EXPECT_EQ(fresh.lineWeight, kept.lineWeight) << what;
}

// A fresh page laid out for the aids of `list`, as the driver opens it.
void OpenAidPage(const char* list, AidState& aids) {
    std::string error;
    ASSERT_TRUE(ParseAidList(list, aids, error)) << error;
    const float height = LayoutAids(aids).pageHeight;
    PlotSetHost(nullptr);
    PlotState = PlotStateRecord{};
    PLOTOPEN(3, "tarvo_minel.plo", "Sorel Dune", "sorel_dune");
    PlotState.backgroundColour = 1;
    PlotState.defaultColour = 4;
    ASSERT_GE(PAGESETUP(0, 0, 28.0f, height, 28.0f, height, 2), 0);
}

}  // namespace

// A frame drawn after others, with what they kept (the graph axes, the
// readouts), is the frame drawn from nothing: after the previous frame,
// after a change of speed, of wave or of the aids, and after the page was
// laid out anew.
TEST(AidFrames, FramesAfterOthersEqualFramesDrawnFromNothing) {
    struct Case {
        const char* list;
        WaveKind current;
    };
    const Case cases[] = {{"graph", WaveKind::Longitudinal},
                          {"mark,wavelength,graph,both", WaveKind::Transversal},
                          {"mark=5+30,wavelength", WaveKind::Longitudinal}};
    for (const Case& c : cases) {
        AidState aids;
        ASSERT_NO_FATAL_FAILURE(OpenAidPage(c.list, aids));
        const WaveKind other = c.current == WaveKind::Longitudinal ? WaveKind::Transversal : WaveKind::Longitudinal;
        AidState fewer = aids;
        fewer.graph = !aids.graph;

        const std::string what = std::string(c.list) + " frame ";
        ExpectSameFrame(
            FreshAidFrame(c.current, 40, 0.05, aids),
            [&] {
                ForgetAidBackdrop();
                std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, 3);
                for (int n = 0; n < 40; ++n) DrawnAidFrame(c.current, n, 0.05, aids);
                return DrawnAidFrame(c.current, 40, 0.05, aids);
            }(),
            what + "40");
        const auto afterFrame = [&](WaveKind before, double beforeSpeed, const AidState& beforeAids, WaveKind kind,
                                    int n, double speed) {
            const AidPage fresh = FreshAidFrame(kind, n, speed, aids);
            DrawnAidFrame(before, n - 1, beforeSpeed, beforeAids);
            ExpectSameFrame(fresh, DrawnAidFrame(kind, n, speed, aids), what + std::to_string(n));
        };
        afterFrame(c.current, 0.05, aids, c.current, 41, 0.1);    // slower
        afterFrame(other, 0.05, aids, c.current, 42, 0.05);       // the other wave
        afterFrame(c.current, 0.05, fewer, c.current, 43, 0.05);  // the graph toggled
        // A page laid out anew may take the place of the old one.
        const AidPage fresh = FreshAidFrame(c.current, 44, 0.05, aids);
        const float height = LayoutAids(aids).pageHeight;
        ASSERT_GE(PAGESETUP(0, 0, 28.0f, height, 28.0f, height, 2), 0);
        std::fill(PlotState.pagePixels, PlotState.pagePixels + PlotState.imageSize, 3);
        ExpectSameFrame(fresh, DrawnAidFrame(c.current, 44, 0.05, aids), what + "44 on a new page");
        PlotReleasePage();
        PlotState = PlotStateRecord{};
    }
}

// A frame drawn over the one before writes only inside the rectangle it
// hands to the refresh, which leaves out what stays (the readouts at the
// foot); once the page was drawn over and the driver said so, the frame is
// the frame drawn from nothing again.
TEST(AidFrames, RefreshHoldsEveryChangeAndAForgottenPageIsDrawnAnew) {
    AidState aids;
    ASSERT_NO_FATAL_FAILURE(OpenAidPage("mark=6+12,wavelength,graph,both", aids));
    const WaveKind kind = WaveKind::Longitudinal;
    PlotStateRecord& s = PlotState;

    FreshAidFrame(kind, 0, 0.05, aids);
    for (int n = 1; n < 30; ++n) DrawAidFrame(kind, n, 0.05, aids);
    const int readoutRows = static_cast<int>(kReadoutBandHeight * s.pixelsPerUnitY);
    for (int n = 30; n < 34; ++n) {
        const std::vector<unsigned char> before(s.pagePixels, s.pagePixels + s.imageSize);
        PlotDefaultFlush();
        DrawAidFrame(kind, n, 0.05, aids);
        const PlotPixelRect direct = PlotTakeDirectWrites();
        const int left = std::min(s.dirtyLeft, direct.Empty() ? s.dirtyLeft : direct.left);
        const int right = std::max(s.dirtyRight, direct.Empty() ? s.dirtyRight : direct.right);
        const int top = std::min(s.dirtyTop, direct.Empty() ? s.dirtyTop : direct.top);
        const int bottom = std::max(s.dirtyBottom, direct.Empty() ? s.dirtyBottom : direct.bottom);
        long outside = 0;
        long changed = 0;
        for (int row = 0; row < s.imageHeight; ++row) {
            for (int col = 0; col < s.imageWidth; ++col) {
                const long i = static_cast<long>(row) * s.imageWidth + col;
                if (before[i] == s.pagePixels[i]) continue;
                ++changed;
                const int fromTop = s.imageHeight - 1 - row;
                if (col < left || col > right || fromTop < top || fromTop > bottom) ++outside;
            }
        }
        EXPECT_GT(changed, 0) << "frame " << n;
        EXPECT_EQ(outside, 0) << "frame " << n << ": changed pixels the refresh does not show";
        EXPECT_LT(bottom, s.imageHeight - readoutRows) << "frame " << n << ": the readouts are refreshed again";
    }

    const AidPage fresh = FreshAidFrame(kind, 34, 0.05, aids);
    DrawAidFrame(kind, 33, 0.05, aids);
    // The driver clears the page for a redraw and says so.
    std::fill(s.pagePixels, s.pagePixels + s.imageSize, 3);
    ForgetAidFrame();
    ExpectSameFrame(fresh, DrawnAidFrame(kind, 34, 0.05, aids), "after a forgotten page");
    PlotReleasePage();
    PlotState = PlotStateRecord{};
}
