// A random sequence of plot operations with arbitrary arguments: NaN,
// infinities, huge and negative values, every code and style.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "plot/host.h"
#include "plot/plot.h"

namespace {

void Quiet(const char*) {}
void QuietOutput(PlotStream, const char*) {}

void Reset() {
    PlotReleasePage();
    PlotState = PlotStateRecord{};
    PlotHost host{};
    host.messageBox = Quiet;
    host.output = QuietOutput;  // the library's reports
    PlotSetHost(&host);
}

void RunOne(FuzzInput& in) {
    switch (in.Byte() % 24) {
        case 0:  // PLOTOPEN forgets the page image: release it first
            PlotReleasePage();
            PLOTOPEN(in.Int(), "", in.Text(100).c_str(), in.Text(40).c_str());
            break;
        case 1: PAGESETUP(in.Float(), in.Float(), in.Float(), in.Float(), in.Float(), in.Float(), in.Int()); break;
        case 2: SETWINDOW(in.Float(), in.Float(), in.Float(), in.Float()); break;
        case 3: SETCOLOURS(in.Int(), in.Int()); break;
        case 4: LINEWIDTH(in.Int()); break;
        case 5: PLOT(in.Float(), in.Float(), in.Int() % 16); break;
        case 6: STROKE(in.Float(), in.Float(), in.Byte() % 3); break;
        case 7: PENDOT(in.Float(), in.Float()); break;
        case 8: PLOTR(in.Float(), in.Float(), in.Byte() % 2); break;
        case 9: BOXFILL(in.Float(), in.Float(), in.Float(), in.Float(), in.Int() % 400, in.Int() % 200); break;
        case 10: BOX(in.Float(), in.Float(), in.Float(), in.Float()); break;
        case 11: DOT(in.Float(), in.Float(), in.Int() % 300); break;
        case 12: {
            const int n = static_cast<int8_t>(in.Byte()) % 40;  // negative counts too
            std::vector<float> x(n > 2 ? n : 2), y(n > 2 ? n : 2);
            for (auto& v : x) v = in.Float();
            for (auto& v : y) v = in.Float();
            float phase = in.Float();
            PLOTL(x.data(), y.data(), n, in.Int() % 8, in.Int() % 12, in.Int() % 8, in.Int() % 500,
                  in.Int() % 3, &phase);
            break;
        }
        case 13: PLOTLINE(in.Float(), in.Float(), in.Float(), in.Float()); break;
        case 14: PLOTRECT(in.Float(), in.Float(), in.Float(), in.Float()); break;
        case 15: {
            float x = in.Float(), y = in.Float();
            const int height = in.Int() % 2000;
            const int style = in.Int();
            const float angle = in.Float(), slant = in.Float(), factor = in.Float();
            const int writeBack = in.Byte() % 2, alignment = in.Int();
            TEXTG(&x, &y, height, in.Text(100).c_str(), style, angle, slant, factor, writeBack, alignment);
            break;
        }
        case 16: NFRAME(in.Float(), in.Float(), in.Float(), in.Float()); break;
        case 17: FRAME(in.Float(), in.Float(), in.Float(), in.Float()); break;
        case 18: PLOTCLOSE(); break;
        case 19: SETPIXEL(in.Int(), in.Int()); break;
        case 20: PIXELX(in.Float()); PIXELY(in.Float()); break;
        case 21: {  // any start, but a wait of at most 2 ms (longer waits are waits)
            const float wait = in.Float();
            DELAY(wait > 0.002f ? 0.002 : wait, in.Float());
            break;
        }
        case 22: PLOTFLUSH(); break;
        case 23: OCTVALUE(in.Int()); break;
    }
}

}  // namespace

// No operation here arms the page export, so nothing is written; the
// file-name search only probes names.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    Reset();
    PLOTOPEN(3, "", "fuzz", "fuzz");
    PAGESETUP(0, 0, 28, 4, 28, 4, 2);
    for (int i = 0; i < 64 && !in.empty(); ++i) RunOne(in);
    return 0;
}
