// aid_pictures.h - the teaching aids drawn into the page: marked particles
// with their rest positions and traces, the wavelength bracket and its
// readouts, the snapshot graph and the second chain.
#pragma once

#include <array>
#include <string>

#include "app/aids.h"
#include "demo/waves.h"

// The colours of a marked particle (no page without aids uses them) and of
// its trace.
int MarkFillColour();
int MarkEdgeColour();

// The window of the driver on a page laid out for `aids`: the title band
// keeps the user units (0, 3) .. (28, 4) of the plain page.
void SetDriverWindow(const AidState& aids);
float DriverWindowBottom(const AidState& aids);

// Everything under the title band for frame n with aids on: the chain of
// `current` (both chains with `both`), the marks, the bracket, the graphs
// and the readouts.  `secondsPerFrame` is the frame period at the present
// speed.  Leaves the driver's window set.
void DrawAidFrame(WaveKind current, int n, double secondsPerFrame, const AidState& aids);
// DrawAidFrame keeps what does not change between frames (the graph axes)
// for the page it drew on; this drops it, so that the next frame draws all.
void ForgetAidBackdrop();
// DrawAidFrame draws a frame over the one before it where that one is still
// on the page; this tells it that the page was cleared or drawn over since.
void ForgetAidFrame();

// The particle (1..64) drawn under the point (x, y) in the driver's window
// in frame n, or 0 when the point lies on no particle of a chain.
int ParticleAt(WaveKind current, int n, const AidState& aids, float x, float y);

// What the wavelength readouts say, derived from the model: the wavelength
// in particle spacings, the period in frames and in seconds, the speed.
struct WaveReadouts {
    double wavelength;      // spacings
    double periodFrames;    // frames
    double periodSeconds;   // at secondsPerFrame
    double speedPerFrame;   // spacings per frame
    double speedPerSecond;  // spacings per second
};
WaveReadouts ComputeReadouts(double secondsPerFrame);
// The three readouts as drawn (Latin-1 page texts): wavelength, period,
// speed.
std::array<std::string, 3> ReadoutTexts(const WaveReadouts& r);

// The two particles in the same phase that the bracket joins in frame n:
// false before the wave has reached a whole wavelength.
bool BracketEnds(int n, int& first, int& last);

// Where a displacement lands on the graph of chain `chain` (0 or 1), in page
// units above the page's foot; the graph's x is the chain's.
double GraphPageY(const AidState& aids, int chain, double displacement);
