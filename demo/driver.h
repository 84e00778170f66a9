// driver.h - the wave demonstration's main routine and its on-screen buttons.
//
// WaveDemoMain owns the whole user dialogue: a start screen on which the user
// picks a waveform, the chosen animation run frame by frame or continuously,
// and the buttons that steer it, hit with the mouse (or with a key that the
// shell turns into a click at the button's centre).  Everything is drawn in
// the user window (0, 0)-(28, 4) of the 28 x 4 page; the buttons lie in the
// top band between y = 3.25 and y = 3.82.
#pragma once

// The main routine.  Returns 0 after "Quit", and 0 as well when the window
// was closed while it waited for or polled a click (it then ends at once
// and draws nothing more).
int WaveDemoMain();

// One button: a box from (x - halfWidth, y - 0.15) to (x + halfWidth, y + 0.42)
// filled with fillColour and outlined in the label colour; an extra outline
// in defaultColour (frame > 0) or black (frame < 0); the label centred on x
// (UTF-8) with its base line at y.  textColour 0 picks the label colour from the
// fill: black on light fills, defaultColour on the others (the outline is
// then palette index 0).  Pen and fill colour are left as they were.
void DrawButton(float x, float halfWidth, float y, const char* label,
                int fillColour, int textColour, int frame);

// The point of the last click in user units and its key word, written by
// every wait and poll of the driver and read by ButtonHit.  (0, 0) after a
// wait or poll that saw no click; it lies in no button.
struct DemoClickPoint {
    float x;
    float y;
    int key;
    bool clicked;  // a mouse click came (x, y are where); else x and y are 0
};
extern DemoClickPoint DemoLastClick;

// 1 when DemoLastClick lies in the hit area of a button centred on x with
// its label base line at y: x +- hitHalfWidth across, y - 0.15 to y + 0.42
// up, all bounds inclusive and compared in double precision; else 0.
// Callers pass a half-width 0.1 larger than the drawn one.
int ButtonHit(float x, float hitHalfWidth, float y);

// ---- the screens as data (read by the driver, the key table and tests) ----

struct DemoButton {
    float x;
    float halfWidth;
    float y;
    const char* label;
    int fillColour;
    int textColour;
    int frame;
};

// Start screen: "Longitudinal", "Transversal", "Quit" (in this order).
extern const DemoButton kStartButtons[3];
// Animation screens: the fixed three and the mode buttons.
extern const DemoButton kBackButton;
extern const DemoButton kRestartButton;
extern const DemoButton kAnimQuitButton;
extern const DemoButton kNextButton;
extern const DemoButton kSingleButton;
extern const DemoButton kGoButton;
extern const DemoButton kStopButton;

// Half-widths of the hit areas: 0.1 beyond each side of the drawn box.
constexpr float kWideHitHalfWidth = 1.7f;    // the 1.6-wide start buttons
constexpr float kNarrowHitHalfWidth = 1.2f;  // every 1.1-wide button

// The centre of a button's box in user units (where a key clicks).
float ButtonCentreY(const DemoButton& button);

struct DemoWave {
    const char* stripTitle;  // title strip text while it runs
    const char* pageTitle;   // title drawn on the page
    double period;           // seconds per frame, at least
    int pollEvery;           // Running polls the mouse on every n-th frame
    void (*background)();    // drawn on entering and resuming; may be null
    void (*frame)(int n);    // one frame of the animation
};
extern const DemoWave kLongitudinalWave;
extern const DemoWave kTransversalWave;
