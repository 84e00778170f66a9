// waves.h - the two wave animations: a plane longitudinal and a plane
// transversal wave travelling along a chain of 65 particles (x = 0 .. 64)
// that particle 0, the exciter, drives harmonically.  The wave moves one
// particle per frame; period and wavelength are 24.
//
// Each frame follows from its number alone and is drawn straight into the
// page image (no flush, no input).  A frame sets its own colours and user
// window and leaves the window at its animation window and the line weight
// at 40.
#pragma once

// The rest marks of particles 1..63 above and below the band that the
// longitudinal frames erase; drawn when that animation is entered or resumed.
void DrawLongitudinalBackground();

// Frame n (0 and up) of the longitudinal wave: bars moving along the chain.
void DrawLongitudinalFrame(int n);

// Frame n (0 and up) of the transversal wave: dots moving across the chain,
// joined by the wave line.
void DrawTransversalFrame(int n);

// ---- placing a chain on a taller page, and the model behind the frames ----

enum class WaveKind { Longitudinal, Transversal };

// A frame in its two steps, for a caller that keeps pixels of the page: the
// erase of the chain's band, a solid box in the background colour that
// paints every pixel of the rectangle it changes, and the chain drawn over
// it.  The frame functions above are the two in turn.
void EraseChainBand(WaveKind kind);
void DrawChainOverErased(WaveKind kind, int n);

// Where the chain is drawn: its rest line 1.5 page units above `bottom` on
// a page `pageHeight` units high.  The default is the plain 4-unit page
// with the chain at its foot.  With `common`, both waves take one x range
// (-1.3 .. 64.5) so that the particles of two chains stand one above the
// other.  The frame functions above draw into the band set last.
struct ChainBand {
    float bottom = 0.0f;
    float pageHeight = 4.0f;
    bool common = false;
};
void SetChainBand(const ChainBand& band);
// The user window of a wave's chain in the current band: x counts particle
// spacings from the exciter, y page units from the rest line.
void SetChainWindow(WaveKind kind);
void ChainXRange(WaveKind kind, float& left, float& right);

// The last particle; the frames move particles 1 .. ReachedParticles(n).
constexpr int kChainLastParticle = 64;
int ReachedParticles(int n);
// The phase one particle further on lags by, and the exciter's phase
// advances per frame by (radians).
double ParticlePhaseLag();
double FramePhaseStep();
float WaveAmplitude(WaveKind kind);
// Particle i's displacement from its rest position in frame n (along the
// chain or across it), computed exactly as the frame draws it; 0 for a
// particle the wave has not reached.
double ParticleDisplacement(WaveKind kind, int particle, int n);
// Every particle's (0 .. kChainLastParticle) in one pass, the same values.
void ParticleDisplacements(WaveKind kind, int n, double (&displacements)[kChainLastParticle + 1]);
