// TEXTG on arbitrary strings, heights, angles, slants, factors, styles and
// alignments, on the program's page.
#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "plot/host.h"
#include "plot/plot.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    PlotSetHost(nullptr);
    PLOTOPEN(3, "/nonexistent-dir/page.bmp", "fuzz", "fuzz");
    PlotState.backgroundColour = 1;
    PAGESETUP(0, 0, 28, 4, 28, 4, 2);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    float x = in.Float(), y = in.Float();
    const int height = in.Int();
    const int style = in.Int();
    const float angle = in.Float(), slant = in.Float(), factor = in.Float();
    const int writeBack = in.Int(), alignment = in.Int();
    const std::string text = in.Text(200);
    LINEWIDTH(in.Byte());
    TEXTG(&x, &y, height, text.c_str(), style, angle, slant, factor, writeBack, alignment);
    TEXTC(x, y, height % 400, text.c_str(), style, angle, slant, factor);
    return 0;
}
