// driver.cpp - the wave demonstration's main routine: start screen, the
// animation in its three modes (Running, Stepping, Paused), frame pacing and
// the buttons that steer it.
#include "demo/driver.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>

#include "app/aids.h"
#include "app/app.h"
#include "app/catalogue.h"
#include "app/controls.h"
#include "app/keys.h"
#include "app/mouse.h"
#include "app/screen_report.h"
#include "demo/aid_pictures.h"
#include "demo/kept_drawing.h"
#include "demo/waves.h"
#include "plot/palette.h"
#include "plot/plot.h"

DemoClickPoint DemoLastClick = {0.0f, 0.0f, 0, false};

// ---- the buttons ----------------------------------------------------------------

namespace {
using namespace plot_palette;

constexpr float kButtonRow = 3.4f;   // label base line of every button
constexpr double kBoxBelow = 0.15;   // the box reaches this far below the base line
constexpr double kBoxAbove = 0.42;   // ... and this far above it

// Fills that a label without a colour of its own is written on in black;
// on any other it takes the default colour.
constexpr int kFillsForBlackLabels[] = {kWhite,     kGreen,       kYellow,     kCyan,    kMagenta,
                                        kLightGrey, kForestGreen, kLightBlue, kPaleGrey};

int LabelColour(int textColour, int fillColour) {
    if (textColour != 0) return textColour;
    const bool light = std::find(std::begin(kFillsForBlackLabels), std::end(kFillsForBlackLabels), fillColour) !=
                       std::end(kFillsForBlackLabels);
    return light ? kBlack : PlotState.defaultColour;
}
}  // namespace

const DemoButton kStartButtons[3] = {
    {18.9f, 1.6f, kButtonRow, N_("Longitudinal"), kGreen, kBlack, 1},
    {22.7f, 1.6f, kButtonRow, N_("Transversal"), kGreen, kBlack, 1},
    {26.8f, 1.1f, kButtonRow, N_("Quit"), kRed, kBlack, 1},
};
const DemoButton kBackButton = {15.6f, 1.1f, kButtonRow, N_("Back"), kLightGrey, kBlack, 1};
const DemoButton kRestartButton = {21.2f, 1.1f, kButtonRow, N_("Restart"), kSkyBlue, kBlack, 1};
const DemoButton kAnimQuitButton = {26.8f, 1.1f, kButtonRow, N_("Quit"), kRed, 0, 1};
const DemoButton kNextButton = {18.4f, 1.1f, kButtonRow, N_("Next"), kPaleMagenta, 0, 1};
const DemoButton kSingleButton = {18.4f, 1.1f, kButtonRow, N_("Single"), kPaleMagenta, 0, 1};
const DemoButton kGoButton = {24.0f, 1.1f, kButtonRow, N_("Go"), kGreen, 0, 1};
const DemoButton kStopButton = {24.0f, 1.1f, kButtonRow, N_("Stop"), kYellow, 0, 1};

float ButtonCentreY(const DemoButton& button) {
    return static_cast<float>(button.y + (kBoxAbove - kBoxBelow) / 2.0);
}

void DrawButton(float x, float halfWidth, float y, const char* label,
                int fillColour, int textColour, int frame) {
    const int oldPen = PlotState.penColour;
    const int oldFill = PlotState.fillColour;

    SETCOLOURS(textColour, fillColour);
    const float left = x - halfWidth;
    const float right = x + halfWidth;
    const float bottom = static_cast<float>(y - kBoxBelow);
    const float top = static_cast<float>(y + kBoxAbove);
    BOX(left, bottom, right, top);

    if (frame != 0) {
        SETCOLOUR(frame > 0 ? PlotState.defaultColour : kBlack);
        PLOTRECT(left, bottom, right, top);
    }

    SETCOLOUR(LabelColour(textColour, fillColour));
    TEXTCU(x, y, 23, label, 1, 0.0f, 0.0f, 1.0f);

    SETCOLOURS(oldPen, oldFill);
}

int ButtonHit(float x, float hitHalfWidth, float y) {
    const double cx = DemoLastClick.x;
    const double cy = DemoLastClick.y;
    const double left = static_cast<double>(x) - static_cast<double>(hitHalfWidth);
    const double right = static_cast<double>(x) + static_cast<double>(hitHalfWidth);
    const double bottom = static_cast<double>(y) - kBoxBelow;
    const double top = static_cast<double>(y) + kBoxAbove;
    return (left <= cx && cx <= right && bottom <= cy && cy <= top) ? 1 : 0;
}

// ---- the waves ----------------------------------------------------------------

const DemoWave kLongitudinalWave = {
    N_("Longitudinal Wave"), N_("Plane Longitudinal Wave"), 0.05, 5,
    DrawLongitudinalBackground, DrawLongitudinalFrame,
};
const DemoWave kTransversalWave = {
    N_("Transversal Wave"), N_("Plane Transversal Wave"), 0.04, 2,
    nullptr, DrawTransversalFrame,
};

// ---- the driver --------------------------------------------------------------------

namespace {

// A button as drawn before is put back from its pixels: a running wave
// draws its two mode buttons again in every frame.
void Draw(const DemoButton& b) {
    const char* label = Tr(b.label);
    std::string key(label);
    const auto add = [&](const auto& value) { key.append(reinterpret_cast<const char*>(&value), sizeof value); };
    add(b.x);
    add(b.halfWidth);
    add(b.y);
    add(b.fillColour);
    add(b.textColour);
    add(b.frame);
    DrawKept(key, [&] { DrawButton(b.x, b.halfWidth, b.y, label, b.fillColour, b.textColour, b.frame); });
}

int Hit(const DemoButton& b, float hitHalfWidth) {
    return ButtonHit(b.x, hitHalfWidth, b.y);
}

// The title strip in the user's language, in UTF-8; a title longer than
// the record ends at its last whole character.
void SetStripTitle(const char* text) {
    const std::string_view title = Tr(text);
    std::size_t length = std::min(title.size(), sizeof PlotState.titleText - 1);
    if (length < title.size()) {
        while (length > 0 && (static_cast<unsigned char>(title[length]) & 0xC0) == 0x80) --length;
    }
    title.copy(PlotState.titleText, length);
    PlotState.titleText[length] = '\0';
}

// The keys of a screen, each a click at the centre of its button (their
// second keys, such as Right for N, are the shell's: app/key_table.h).
void KeysForStartScreen() {
    const DemoButton& lon = kStartButtons[0];
    const DemoButton& tra = kStartButtons[1];
    const DemoButton& quit = kStartButtons[2];
    const KeyButton keys[] = {
        {'L', lon.x, ButtonCentreY(lon), Tr(lon.label)},
        {'T', tra.x, ButtonCentreY(tra), Tr(tra.label)},
        {'Q', quit.x, ButtonCentreY(quit), Tr(quit.label)},
    };
    SetKeyButtons(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
}

// The animation screens keep every button in its place in all three modes:
// x 24.0 is "Stop" or "Go", x 18.4 is "Single" or "Next"; `step` and `run`
// are the two shown there.  Listed left to right.
void KeysForAnimation(const DemoButton& step, const DemoButton& run) {
    const KeyButton keys[] = {
        {'B', kBackButton.x, ButtonCentreY(kBackButton), Tr(kBackButton.label)},
        {'N', step.x, ButtonCentreY(step), Tr(step.label)},
        {'R', kRestartButton.x, ButtonCentreY(kRestartButton), Tr(kRestartButton.label)},
        {' ', run.x, ButtonCentreY(run), Tr(run.label)},
        {'Q', kAnimQuitButton.x, ButtonCentreY(kAnimQuitButton), Tr(kAnimQuitButton.label)},
    };
    SetKeyButtons(keys, static_cast<int>(sizeof keys / sizeof keys[0]));
}

// After the window has been closed the view, and with it the page image, is
// gone: nothing may be drawn or shown any more.
bool ViewGone() {
    return PlotState.plotView == nullptr || PlotState.pagePixels == nullptr;
}

// How an animation takes its frames.  The paused menu is a step of its own
// (below); while it shows, the mode is already Running, which "Go" and
// "Restart" continue in.
enum class Mode { Running, Stepping };

enum class Step {
    StartScreen,  // draw the start screen and wait
    Enter,        // (re)enter the current wave's animation
    Resume,       // fixed buttons and background, then frames
    Frame,        // one frame and its input step
    Paused,       // the paused menu
    Quit,         // "Quit": close the plot and return 0
    Closed,       // the window went away: return at once
    Redraw,       // the page anew (the aids changed), then Resume
};

// One wait or poll for a click; the point lands in DemoLastClick.  The
// mouse-button letter is not used: left and right clicks act alike.
bool TakeClick(bool poll) {
    int key = 0;
    float x = 0.0f;
    float y = 0.0f;
    char button = ' ';
    const int r = poll ? MOUSEPOLL(2, key, x, y, button) : MOUSEWAIT(2, key, x, y, button);
    DemoLastClick = {x, y, key, button != ' '};
    return r >= 0 && !ViewGone();
}

// A slowed running frame's wait takes in the waiting input every 0.1 s, and
// every slowed running frame polls: a click or key acts within a frame
// period and 0.1 s, not only at the n-th frame's poll (seconds apart at 1/8
// speed).  Stepping waits for its click after the frame anyway.  False when
// the window was closed.
constexpr double kInputInterval = 0.1;

bool WaitTakingInput(double duration, double start) {
    double waited = 0.0;
    while (waited < duration) {
        waited = std::min(waited + kInputInterval, duration);
        DELAY(waited, start);
        if (PumpWaitingInput() < 0 || ViewGone()) return false;
    }
    return true;
}

WaveKind KindOf(const DemoWave* wave) {
    return wave == &kTransversalWave ? WaveKind::Transversal : WaveKind::Longitudinal;
}

// The page as tall as the aids now on need (the plain page without them).
// True when it was laid out anew (and so cleared).
bool FitPageToAids() { return ResizePlotPage(LayoutAids(CurrentAids()).pageHeight); }

class Driver {
public:
    int Run();

private:
    Step StartScreen();
    Step Enter();
    Step Redraw(bool cleared);
    Step Resume();
    Step Frame();
    Step Paused();

    void DrawTitledPage(bool cleared);
    void DrawFixedButtons();
    void DrawChains(int n);
    // True when the aids changed since the page was drawn, or the click
    // marked or unmarked a particle.
    bool AidsChanged();

    Mode mode_ = Mode::Stepping;
    const DemoWave* wave_ = &kLongitudinalWave;
    int frameNumber_ = -1;
    unsigned drawnAids_ = 0;  // AidGeneration() when the page was drawn
};

int Driver::Run() {
    SetStripTitle(N_("System Start"));
    PlotState.plotView = GetPlotView();
    MOUSEENABLE(2, 1);
    LINEWIDTH(40);

    Step step = Step::StartScreen;
    for (;;) {
        if (step != Step::Closed && ViewGone()) step = Step::Closed;
        switch (step) {
            case Step::StartScreen: step = StartScreen(); break;
            case Step::Enter: step = Enter(); break;
            case Step::Resume: step = Resume(); break;
            case Step::Frame: step = Frame(); break;
            case Step::Paused: step = Paused(); break;
            case Step::Redraw: step = Redraw(false); break;
            case Step::Quit:
                SetKeyButtons(nullptr, 0);
                PLOTFLUSH();
                PLOTCLOSE();
                return 0;
            case Step::Closed:
                SetKeyButtons(nullptr, 0);
                return 0;
        }
    }
}

Step Driver::StartScreen() {
    FitPageToAids();
    SetDriverWindow(CurrentAids());
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    BOX(0.0f, DriverWindowBottom(CurrentAids()), 28.0f, 4.0f);
    // The title takes whatever line weight the previous screen left.
    SETCOLOUR(PlotState.defaultColour);
    TEXTU(0.5f, 3.4f, 40, Tr(N_("Sorel Dunes")), 1);
    LINEWIDTH(25);
    for (const DemoButton& b : kStartButtons) Draw(b);
    SetStripTitle(N_("Select Waveform"));
    KeysForStartScreen();
    ReportScreen(nullptr, ScreenMode::Start, -1);

    if (!TakeClick(false)) return Step::Closed;
    mode_ = Mode::Stepping;
    if (Hit(kStartButtons[0], kWideHitHalfWidth)) {
        wave_ = &kLongitudinalWave;
        return Step::Enter;
    }
    if (Hit(kStartButtons[1], kWideHitHalfWidth)) {
        wave_ = &kTransversalWave;
        return Step::Enter;
    }
    if (Hit(kStartButtons[2], kNarrowHitHalfWidth)) return Step::Quit;
    return Step::StartScreen;
}

Step Driver::Enter() {
    frameNumber_ = -1;
    NFRAME(0.0f, DriverWindowBottom(CurrentAids()), 28.0f, 4.0f);
    return Redraw(true);
}

// Clears the page as a new figure would, without showing the old one
// first: the same frame is drawn again at once.
void ClearForRedraw() {
    PlotState.penBlock() = PlotState.savedPenBlock;
    SetDriverWindow(CurrentAids());
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    BOX(0.0f, DriverWindowBottom(CurrentAids()), 28.0f, 4.0f);
    SETCOLOURS(PlotState.defaultColour, PlotState.defaultColour);
}

// The wave's title on a page as tall as the aids need (laid out anew, or
// cleared when Enter has not just started a figure); the frame number stays.
void Driver::DrawTitledPage(bool cleared) {
    drawnAids_ = AidGeneration();
    ForgetAidFrame();
    if (FitPageToAids()) {
        SetDriverWindow(CurrentAids());
    } else if (!cleared) {
        ClearForRedraw();
    }
    SetStripTitle(wave_->stripTitle);
    LINEWIDTH(50);
    TEXTU(0.5f, 3.4f, 40, Tr(wave_->pageTitle), 1);
    LINEWIDTH(25);
}

Step Driver::Redraw(bool cleared) {
    DrawTitledPage(cleared);
    return Step::Resume;
}

void Driver::DrawFixedButtons() {
    SetDriverWindow(CurrentAids());
    Draw(kBackButton);
    Draw(kRestartButton);
    Draw(kAnimQuitButton);
    // With aids on every frame draws its background itself.
    if (wave_->background != nullptr && !AnyAidOn(CurrentAids())) wave_->background();
}

void Driver::DrawChains(int n) {
    const AidState& aids = CurrentAids();
    if (AnyAidOn(aids)) {
        DrawAidFrame(KindOf(wave_), n, wave_->period * AnimationSlowdown(), aids);
    } else {
        wave_->frame(n);
    }
    SetDriverWindow(aids);
}

bool Driver::AidsChanged() {
    if (AidGeneration() != drawnAids_) return true;
    if (!DemoLastClick.clicked) return false;
    const int particle = ParticleAt(KindOf(wave_), frameNumber_, CurrentAids(), DemoLastClick.x, DemoLastClick.y);
    return particle != 0 && ToggleMark(particle);
}

Step Driver::Resume() {
    DrawFixedButtons();
    return Step::Frame;
}

Step Driver::Frame() {
    // Aids turned on or off while running: the page anew, then this frame.
    if (AidGeneration() != drawnAids_) return Step::Redraw;
    frameNumber_ += 1;
    const double frameStart = WALLCLOCK();
    DrawChains(frameNumber_);
    // Slow motion stretches the period (the shell's - and + keys).
    const int slowdown = AnimationSlowdown();
    const bool stepping = mode_ == Mode::Stepping;
    if (slowdown == 1 || stepping) {
        DELAY(wave_->period * slowdown, frameStart);
    } else if (!WaitTakingInput(wave_->period * slowdown, frameStart)) {
        return Step::Closed;
    }

    // The mode buttons are drawn over each other in place.
    Draw(stepping ? kNextButton : kSingleButton);
    Draw(stepping ? kGoButton : kStopButton);
    KeysForAnimation(stepping ? kNextButton : kSingleButton, stepping ? kGoButton : kStopButton);
    // Running, the frame number is left out: it would change 25 times a second.
    ReportScreen(Tr(wave_->stripTitle), stepping ? ScreenMode::Stepping : ScreenMode::Running,
                 stepping ? frameNumber_ : -1);

    if (stepping) {
        if (!TakeClick(false)) return Step::Closed;
    } else if (slowdown > 1 || frameNumber_ % wave_->pollEvery == 0) {
        if (!TakeClick(true)) return Step::Closed;
    } else {
        PLOTFLUSH();
        return Step::Frame;
    }

    const float h = kNarrowHitHalfWidth;
    if (Hit(kRestartButton, h)) {
        mode_ = Mode::Running;
        return Step::Enter;
    }
    if (ButtonHit(kGoButton.x, h, kGoButton.y)) {  // "Stop" or "Go"
        if (stepping) {
            mode_ = Mode::Running;
            return Step::Frame;
        }
        return Step::Paused;
    }
    if (Hit(kBackButton, h)) return Step::StartScreen;
    if (ButtonHit(kNextButton.x, h, kNextButton.y)) {  // "Single" or "Next"
        mode_ = Mode::Stepping;
        return Step::Frame;
    }
    if (Hit(kAnimQuitButton, h)) return Step::Quit;
    if (AidsChanged()) {  // an aid key, or a click on a particle: this frame again
        frameNumber_ -= 1;
        return Step::Redraw;
    }
    return Step::Frame;  // a click on nothing, or none: the next frame
}

Step Driver::Paused() {
    mode_ = Mode::Running;  // what "Go" and "Restart" continue in
    for (;;) {
        Draw(kBackButton);
        Draw(kRestartButton);
        Draw(kGoButton);
        Draw(kSingleButton);
        Draw(kAnimQuitButton);
        KeysForAnimation(kSingleButton, kGoButton);
        ReportScreen(Tr(wave_->stripTitle), ScreenMode::Paused, frameNumber_);

        if (!TakeClick(false)) return Step::Closed;
        const float h = kNarrowHitHalfWidth;
        if (Hit(kRestartButton, h)) return Step::Enter;
        if (Hit(kGoButton, h)) return Step::Resume;
        if (Hit(kSingleButton, h)) {
            mode_ = Mode::Stepping;
            return Step::Resume;
        }
        if (Hit(kBackButton, h)) return Step::StartScreen;
        if (Hit(kAnimQuitButton, h)) return Step::Quit;
        if (AidsChanged()) {  // the same frame, paused, with the aids as they are now
            DrawTitledPage(false);
            DrawFixedButtons();
            DrawChains(frameNumber_);
        }
    }
}

}  // namespace

int WaveDemoMain() {
    Driver driver;
    return driver.Run();
}
