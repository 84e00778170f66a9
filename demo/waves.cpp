// waves.cpp - frame drawings of the longitudinal and transversal waves.
//
// Both waves share one model: particle i (1..64) repeats the exciter's
// harmonic motion i frames late.  The exciter's phase in frame n is
// n * pi / 12 in single precision, and each particle's phase steps down by
// pi/12 from its neighbour's, so the particle at the wave front (i = n) has
// phase 0.  The phase is worked out afresh in every frame and never reduced
// by 2 pi.
//
// The arithmetic is exact to the pixel as written: the amplitudes are
// single-precision constants, the other written constants (the phase step,
// the bar's half width and its limit) are doubles, sines are taken in double,
// and every value a drawing keeps (a phase, a position) is rounded to single
// precision once.
#include "demo/waves.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "plot/palette.h"
#include "plot/plot.h"

namespace {

constexpr float kPi = 3.1415927f;
constexpr double kPhaseStep = 0.2617994;  // pi/12: 15 degrees per particle
constexpr int kLastParticle = 64;

constexpr float kLongAmplitude = 1.1f;
constexpr float kTransAmplitude = 1.2f;

// Half the width of a longitudinal bar and its half height.
constexpr double kBarHalfWidth = 0.15;
constexpr float kBarHalfHeight = 0.9f;
// A bar is drawn only while its left edge lies inside the window.
constexpr double kBarLeftLimit = 63.48;
constexpr float kTickLimit = 63.5f;

constexpr int kDotSize = 20;  // 0.2 x 0.2 page units

using namespace plot_palette;

ChainBand g_band;

// The x ranges of the plain pages, and the one both chains share.
constexpr float kLongLeft = -1.3f;
constexpr float kLongRight = 63.5f;
constexpr float kTransLeft = -0.5f;
constexpr float kTransRight = 64.5f;
constexpr float kRestBelowBand = -1.5f;  // the band's foot, from the rest line

void SetLongitudinalWindow() { SetChainWindow(WaveKind::Longitudinal); }
void SetTransversalWindow() { SetChainWindow(WaveKind::Transversal); }

// The exciter's phase in frame n: the product is taken in double and rounded
// to single once.
float ExciterPhase(int n) { return static_cast<float>(static_cast<double>(n) * kPi * (1.0 / 12.0)); }

// The phase one particle further on: subtracted in double, kept in single.
float NextPhase(float phase) { return static_cast<float>(phase - kPhaseStep); }

double Displacement(float amplitude, float phase) {
    return static_cast<double>(amplitude) * std::sin(static_cast<double>(phase));
}

// Particles 1..ReachedCount(n) move in frame n; the others rest.  A negative
// frame number (never given) counts as a wave that has reached no particle.
int ReachedCount(int n) { return std::clamp(n, 0, kLastParticle); }

bool BarVisible(float x) { return x - kBarHalfWidth < kBarLeftLimit; }

void Bar(float x) {
    BOX(static_cast<float>(x - kBarHalfWidth), -kBarHalfHeight, static_cast<float>(x + kBarHalfWidth),
        kBarHalfHeight);
}

}  // namespace

void SetChainBand(const ChainBand& band) { g_band = band; }

void ChainXRange(WaveKind kind, float& left, float& right) {
    const bool lon = kind == WaveKind::Longitudinal;
    left = lon || g_band.common ? kLongLeft : kTransLeft;
    right = lon && !g_band.common ? kLongRight : kTransRight;
}

void SetChainWindow(WaveKind kind) {
    float left = 0.0f;
    float right = 0.0f;
    ChainXRange(kind, left, right);
    // On the plain page exactly -1.5 .. 2.5.
    const float y0 = kRestBelowBand - g_band.bottom;
    SETWINDOW(left, y0, right, y0 + g_band.pageHeight);
}

int ReachedParticles(int n) { return ReachedCount(n); }
double ParticlePhaseLag() { return kPhaseStep; }
double FramePhaseStep() { return static_cast<double>(kPi) * (1.0 / 12.0); }
float WaveAmplitude(WaveKind kind) { return kind == WaveKind::Longitudinal ? kLongAmplitude : kTransAmplitude; }

namespace {

// A chain's particles as frame n draws them: along the chain (longitudinal,
// i + u in single precision) or across it (transversal, u in single
// precision), at rest beyond the wave front.  The last frame's are kept for
// each wave, so that the chain, the graph, the marks and a click ask the
// sines once.
struct DrawnPositions {
    bool valid = false;
    int n = 0;
    std::array<float, kLastParticle + 1> at{};
};

DrawnPositions& KeptPositions(WaveKind kind) {
    static std::array<DrawnPositions, 2> kept;
    return kept[kind == WaveKind::Longitudinal ? 0 : 1];
}

// The sines of the phases of the exciter and the reached particles in frame
// n, the same for both waves: the last frame's are kept, for the other wave.
struct PhaseSines {
    bool valid = false;
    int n = 0;
    std::array<double, kLastParticle + 1> of{};
};

PhaseSines& KeptSines() {
    static PhaseSines kept;
    return kept;
}

// Where a particle with displacement u is drawn.
template <bool kAlong>
float DrawnAt(int i, double u) {
    return kAlong ? static_cast<float>(i + u) : static_cast<float>(u);
}

// Frame n's positions into `at`, with the kept sines, worked out here (and
// kept) unless they are frame n's.
template <bool kAlong>
void WorkOutPositions(std::array<float, kLastParticle + 1>& at, double amplitude, int n) {
    PhaseSines& sines = KeptSines();
    const int reached = ReachedCount(n);
    if (sines.valid && sines.n == n) {
        for (int i = 0; i <= reached; ++i) at[i] = DrawnAt<kAlong>(i, amplitude * sines.of[i]);
    } else {
        // The same steps as Displacement() in turn, in one pass.
        float phase = ExciterPhase(n);
        for (int i = 0;; ++i) {
            const double sine = std::sin(static_cast<double>(phase));
            sines.of[i] = sine;
            at[i] = DrawnAt<kAlong>(i, amplitude * sine);
            if (i == reached) break;
            phase = NextPhase(phase);
        }
        sines.valid = true;
        sines.n = n;
    }
    for (int i = reached + 1; i <= kLastParticle; ++i) at[i] = DrawnAt<kAlong>(i, 0.0);
}

const std::array<float, kLastParticle + 1>& DrawnPositionsOf(WaveKind kind, int n) {
    DrawnPositions& p = KeptPositions(kind);
    if (p.valid && p.n == n) return p.at;
    const auto amplitude = static_cast<double>(WaveAmplitude(kind));
    if (kind == WaveKind::Longitudinal) {
        WorkOutPositions<true>(p.at, amplitude, n);
    } else {
        WorkOutPositions<false>(p.at, amplitude, n);
    }
    p.valid = true;
    p.n = n;
    return p.at;
}

// The displacement from the drawn position; a bar's position is kept in
// single precision, so the difference is exact in double.
double DisplacementOfDrawn(WaveKind kind, int particle, float drawn) {
    if (kind == WaveKind::Longitudinal) return drawn - static_cast<double>(particle);
    return drawn;
}

}  // namespace

double ParticleDisplacement(WaveKind kind, int particle, int n) {
    if (particle > ReachedCount(n)) return 0.0;
    const DrawnPositions& kept = KeptPositions(kind);
    if (kept.valid && kept.n == n && particle >= 0) return DisplacementOfDrawn(kind, particle, kept.at[particle]);
    // Another frame (a trace dot's): one particle's alone.
    float phase = ExciterPhase(n);
    for (int i = 1; i <= particle; ++i) phase = NextPhase(phase);
    const double u = Displacement(WaveAmplitude(kind), phase);
    const float drawn = kind == WaveKind::Longitudinal ? DrawnAt<true>(particle, u) : DrawnAt<false>(particle, u);
    return DisplacementOfDrawn(kind, particle, drawn);
}

void ParticleDisplacements(WaveKind kind, int n, double (&displacements)[kChainLastParticle + 1]) {
    const std::array<float, kLastParticle + 1>& drawn = DrawnPositionsOf(kind, n);
    for (int i = 0; i <= kChainLastParticle; ++i) displacements[i] = DisplacementOfDrawn(kind, i, drawn[i]);
}

void DrawLongitudinalBackground() {
    SETCOLOUR(kDarkGrey);
    SetLongitudinalWindow();
    LINEWIDTH(25);
    for (int i = kLastParticle; i >= 1; --i) {
        const float x = static_cast<float>(i);
        if (x > kTickLimit) continue;
        PLOTLINE(x, 1.5f, x, 0.95f);
        PLOTLINE(x, -0.95f, x, -1.5f);
    }
}

namespace {

// The band of the bars.
void EraseLongitudinalBand() {
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    SetLongitudinalWindow();
    LINEWIDTH(25);
    BOX(-1.29f, -0.95f, 63.49f, 0.95f);
}

// Everything below the title band.
void EraseTransversalBand() {
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    SetTransversalWindow();
    LINEWIDTH(25);
    BOX(-0.5f, -1.5f, 64.5f, 1.5f);
}

void DrawLongitudinalChain(int n) {
    // The exciter's rest position over the full height.
    SETCOLOUR(kRed);
    LINEWIDTH(50);
    PLOTLINE(0.0f, 1.5f, 0.0f, -1.5f);

    // Particles the wave has not reached yet.
    LINEWIDTH(40);
    SETCOLOURS(kBlack, kSilver);
    if (n < kLastParticle) {
        for (int i = kLastParticle; i > ReachedCount(n); --i) {
            const float x = static_cast<float>(i);
            if (BarVisible(x)) Bar(x);
        }
    }

    // The exciter's bar, joined to its rest position at both bar edges.
    const std::array<float, kLastParticle + 1>& x = DrawnPositionsOf(WaveKind::Longitudinal, n);
    LINEWIDTH(80);
    SETCOLOURS(kRed, kPink);
    const float u = x[0];
    Bar(u);
    LINEWIDTH(50);
    PLOTLINE(u, -kBarHalfHeight, 0.0f, -kBarHalfHeight);
    PLOTLINE(u, kBarHalfHeight, 0.0f, kBarHalfHeight);

    // The reached particles, drawn last so that they lie on top.
    LINEWIDTH(40);
    SETCOLOURS(kBlue, kSkyBlue);
    const int reached = ReachedCount(n);
    for (int i = 1; i <= reached; ++i) {
        if (BarVisible(x[i])) Bar(x[i]);
    }
}

void DrawTransversalChain(int n) {
    // The axis through all rest positions.
    SETCOLOUR(kSilver);
    PLOTLINE(0.0f, 0.0f, 64.0f, 0.0f);

    // The exciter's stem from its rest position.
    const std::array<float, kLastParticle + 1>& displacement = DrawnPositionsOf(WaveKind::Transversal, n);
    SETCOLOURS(kRed, kPink);
    const float y0 = displacement[0];
    PLOTLINE(0.0f, 0.0f, 0.0f, y0);

    // The wave line from the exciter to the front; while the front is on the
    // chain its vertex lies exactly on the axis.
    SETCOLOUR(kSkyBlue);
    const int reached = ReachedCount(n);
    if (reached > 0) {
        std::array<float, kLastParticle + 1> lineX{};
        std::array<float, kLastParticle + 1> lineY{};
        for (int i = 0; i <= reached; ++i) {
            lineX[i] = static_cast<float>(i);
            lineY[i] = i == n ? 0.0f : displacement[i];
        }
        float phase = 0.0f;
        PLOTL(lineX.data(), lineY.data(), reached + 1, 1, 0, 0, 0, 0, &phase);
    }

    // Particles the wave has not reached yet.
    LINEWIDTH(40);
    SETCOLOURS(kBlack, kSilver);
    if (n < kLastParticle) {
        for (int i = kLastParticle; i > reached; --i) DOT(static_cast<float>(i), 0.0f, kDotSize);
    }

    // The exciter, over the free end of its stem and the start of the line.
    LINEWIDTH(50);
    SETCOLOURS(kRed, kPink);
    DOT(0.0f, y0, kDotSize);

    // The reached particles on top; the front one keeps its computed value.
    LINEWIDTH(40);
    SETCOLOURS(kBlue, kSkyBlue);
    for (int i = 1; i <= reached; ++i) DOT(static_cast<float>(i), displacement[i], kDotSize);
}

}  // namespace

void EraseChainBand(WaveKind kind) {
    if (kind == WaveKind::Longitudinal) {
        EraseLongitudinalBand();
    } else {
        EraseTransversalBand();
    }
}

void DrawChainOverErased(WaveKind kind, int n) {
    if (kind == WaveKind::Longitudinal) {
        DrawLongitudinalChain(n);
    } else {
        DrawTransversalChain(n);
    }
}

void DrawLongitudinalFrame(int n) {
    EraseLongitudinalBand();
    DrawLongitudinalChain(n);
}

void DrawTransversalFrame(int n) {
    EraseTransversalBand();
    DrawTransversalChain(n);
}
