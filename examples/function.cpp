// function - a damped oscillation with axes, ticks, labels and a dashed
// envelope, drawn in user units (seconds across, amplitude up).
//
//     function [out.png]
#include <cmath>
#include <cstdio>

#include "examples/gallery.h"

namespace {

// The user window: t from -1 to 11 s across the page, y from -1.6 to 1.6 up.
constexpr float kT0 = -1, kT1 = 11, kY0 = -1.6f, kY1 = 1.6f;
constexpr int kSamples = 241;

void Axes() {
    SETCOLOUR(16);
    PLOTLINE(0, 0, 10.4f, 0);   // t axis
    PLOTLINE(0, -1.3f, 0, 1.4f);  // y axis
    // Arrow heads as short polylines.
    const float ax[] = {10.2f, 10.4f, 10.2f}, ay[] = {0.05f, 0, -0.05f};
    PLOTPOLY(ax, ay, 3);
    const float bx[] = {-0.07f, 0, 0.07f}, by[] = {1.3f, 1.4f, 1.3f};
    PLOTPOLY(bx, by, 3);
    char label[16];
    for (int t = 1; t <= 10; ++t) {  // ticks and numbers on the t axis
        PLOTLINE(static_cast<float>(t), -0.04f, static_cast<float>(t), 0.04f);
        std::snprintf(label, sizeof label, "%d", t);
        TEXTC(static_cast<float>(t), -0.2f, 25, label, 0, 0, 0, 1);
    }
    for (int k = -2; k <= 2; ++k) {  // ticks on the y axis, right-aligned numbers
        if (k == 0) continue;
        const float y = 0.5f * k;
        PLOTLINE(-0.08f, y, 0.08f, y);
        std::snprintf(label, sizeof label, "%.1f", y);
        float lx = -0.15f, ly = y - 0.04f;
        TEXTG(&lx, &ly, 25, label, 0, 0, 0, 1, 0, 2);
    }
    TEXT(10.3f, -0.25f, 30, "t/s", 0);
    TEXT(0.15f, 1.35f, 30, "y", 0);
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = gallery::OutputName(argc, argv, "function.png");
    // The window comes with the page.
    if (!gallery::OpenPage("Damped oscillation", "function", 20, 7, gallery::Window{kT0, kY0, kT1, kY1})) return 1;

    Axes();
    float t[kSamples], y[kSamples], upper[kSamples], lower[kSamples];
    for (int i = 0; i < kSamples; ++i) {
        t[i] = 10.0f * i / (kSamples - 1);
        upper[i] = std::exp(-0.3f * t[i]);
        lower[i] = -upper[i];
        y[i] = upper[i] * std::cos(2.0f * 3.14159265f * 0.8f * t[i]);
    }
    float phase = 0;
    SETCOLOUR(2);
    PLOTL(t, upper, kSamples, 1, 0, 2, 25, 0, &phase);  // dashed envelope
    PLOTL(t, lower, kSamples, 1, 0, 2, 25, 0, &phase);
    LINEWIDTH(50);
    SETCOLOUR(4);
    PLOTL(t, y, kSamples, 1, 0, 0, 0, 0, &phase);
    LINEWIDTH(25);

    SETCOLOUR(4);
    TEXT(4.0f, 1.2f, 35, "y = e<-<0<.<3<t cos(2^p 0.8 t)", 0);
    SETCOLOUR(2);
    TEXT(4.0f, 0.9f, 35, "envelope \xB1" "e<-<0<.<3<t", 0);
    SETCOLOUR(16);
    TEXTC(5.0f, -1.45f, 40, "A damped oscillation", 1, 0, 0, 1);

    return gallery::WritePage(out);
}
