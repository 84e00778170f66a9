// snapshot - a snapshot graph of a longitudinal wave on a chain of 65
// particles: the displacement of every particle against its rest position
// (left axis), the density of the chain (right axis), and two marked
// particles as dots on the curve.  The compressions lie where the
// displacement falls through zero, not at its crests.
//
//     snapshot [out.png]
#include <cmath>
#include <cstdio>

#include "examples/gallery.h"

namespace {

constexpr int kParticles = 65;                        // 0 (the exciter) .. 64
constexpr int kFrame = 44;                            // the wave has reached particle 44
constexpr float kAmplitude = 1.1f;                    // in particle spacings
constexpr double kPhaseStep = 3.14159265358979 / 12;  // a wavelength of 24 spacings
// The density axis: y = (density - 1) * kDensityScale.
constexpr float kDensityScale = 3.0f;
constexpr int kMarked[] = {12, 36};

constexpr int kAxisColour = 16, kDisplacementColour = 4, kDensityColour = 2, kMarkColour = 10;

// Particle i repeats the exciter's motion i frames late; it rests before
// the wave reaches it.
float Displacement(int i) {
    if (i > kFrame) return 0.0f;
    return static_cast<float>(kAmplitude * std::sin((kFrame - i) * kPhaseStep));
}

void Label(float x, float y, const char* text) { TEXTC(x, y, 25, text, 0, 0, 0, 1); }

// Text ending at x (right-aligned).
void LabelLeftOf(float x, float y, const char* text) {
    float lx = x;
    float ly = y;
    TEXTG(&lx, &ly, 25, text, 0, 0, 0, 1, 0, 2);
}

void Axes() {
    SETCOLOUR(kAxisColour);
    PLOTLINE(0, 0, 66, 0);           // rest positions: the particle axis
    PLOTLINE(0, -1.4f, 0, 1.45f);    // displacement
    PLOTLINE(66, -1.4f, 66, 1.45f);  // density
    char text[16];
    for (int i = 0; i <= 64; i += 8) {
        const float x = static_cast<float>(i);
        PLOTLINE(x, -0.05f, x, 0.05f);
        std::snprintf(text, sizeof text, "%d", i);
        Label(x, -1.65f, text);
    }
    for (int k = -2; k <= 2; ++k) {  // displacement: -1 .. 1 spacing
        const float y = 0.5f * static_cast<float>(k);
        PLOTLINE(-0.6f, y, 0.6f, y);
        std::snprintf(text, sizeof text, "%.1f", y);
        LabelLeftOf(-1.0f, y - 0.05f, text);
    }
    for (int k = 8; k <= 14; k += 2) {  // density: 0.8 .. 1.4 of the chain at rest
        const float density = 0.1f * static_cast<float>(k);
        const float y = (density - 1.0f) * kDensityScale;
        PLOTLINE(65.4f, y, 66.6f, y);
        std::snprintf(text, sizeof text, "%.1f", density);
        TEXT(67.0f, y - 0.05f, 25, text, 0);
    }
    TEXT(-5.5f, 1.55f, 30, "u / spacing", 0);
    TEXT(60.0f, 1.55f, 30, "density", 0);
    Label(33.0f, -1.95f, "particle (rest position)");
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "snapshot.png");
    if (!gallery::OpenPage("Snapshot graph", "snapshot", 20, 6, gallery::Window{-8, -2.3f, 72, 2.1f})) return 1;

    Axes();
    float x[kParticles];
    float u[kParticles];
    for (int i = 0; i < kParticles; ++i) {
        x[i] = static_cast<float>(i);
        u[i] = Displacement(i);
    }
    // The density between neighbours: one spacing at rest over the spacing now.
    float mid[kParticles - 1];
    float density[kParticles - 1];
    for (int i = 0; i + 1 < kParticles; ++i) {
        mid[i] = static_cast<float>(i) + 0.5f;
        const float spacing = 1.0f + u[i + 1] - u[i];
        density[i] = (1.0f / spacing - 1.0f) * kDensityScale;
    }

    float phase = 0;
    SETCOLOUR(kDensityColour);
    PLOTL(mid, density, kParticles - 1, 1, 0, 2, 25, 0, &phase);  // dashed
    LINEWIDTH(50);
    SETCOLOUR(kDisplacementColour);
    PLOTL(x, u, kParticles, 1, 0, 0, 0, 0, &phase);
    LINEWIDTH(25);
    SETCOLOUR(kMarkColour);
    for (int i : kMarked) DOT(static_cast<float>(i), u[i], 25);

    SETCOLOUR(kDisplacementColour);
    TEXT(4.0f, 1.25f, 30, "displacement u", 0);
    SETCOLOUR(kDensityColour);
    TEXT(22.0f, 1.25f, 30, "density (dashed)", 0);
    SETCOLOUR(kMarkColour);
    TEXT(43.0f, 1.25f, 30, "marked: 12, 36", 0);
    SETCOLOUR(kAxisColour);
    TEXTC(33.0f, -2.25f, 28, "Frame 44: densest where u falls through 0", 0, 0, 0, 1);

    return gallery::WritePage(out);
}
