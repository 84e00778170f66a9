// frames - renders chosen frames of the wave animations into BMP files, set
// up as the demonstration sets up its page (28 x 4 page units fitted to a
// 1024 x 768 screen: a 1008 x 144 image).
//
//   frames [--wave long|trans|both] [--out DIR] FRAME...
//
// Writes DIR/long-NNNNN.bmp and DIR/trans-NNNNN.bmp (DIR defaults to ".").
// The longitudinal frames are drawn over the background of rest marks, as
// the demonstration shows them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "demo/waves.h"
#include "plot/plot.h"

namespace {

void Usage() {
    std::fprintf(stderr, "usage: frames [--wave long|trans|both] [--out DIR] FRAME...\n");
}

// Opens the plot as the program does.  The plot-file name lies in the output
// directory so that the file-name search does not depend on the caller's
// working directory; no plot file is written.
bool SetUpPage(const std::string& dir) {
    const std::string name = dir + "/tarvo_minel.plo";
    PLOTOPEN(3, name.c_str(), "Sorel Dune", "sorel_dune");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    return PAGESETUP(0, 0, 28, 4, 28, 4, 2) >= 0 && PlotState.pagePixels;
}

bool WriteBmp(const std::string& path) {
    if (path.size() >= sizeof PlotState.fileName) {
        std::fprintf(stderr, "frames: path too long: %s\n", path.c_str());
        return false;
    }
    std::snprintf(PlotState.fileName, sizeof PlotState.fileName, "%s", path.c_str());
    PlotState.plotFile = std::fopen(path.c_str(), "wb");
    if (!PlotState.plotFile) {
        std::fprintf(stderr, "frames: cannot write %s\n", path.c_str());
        return false;
    }
    WRITEPAGE();
    const bool ok = std::ferror(PlotState.plotFile) == 0;
    const bool closed = std::fclose(PlotState.plotFile) == 0;
    PlotState.plotFile = nullptr;
    if (!ok || !closed) std::fprintf(stderr, "frames: error writing %s\n", path.c_str());
    return ok && closed;
}

// Clears the page to the background colour, as a new figure would.
void ClearPage() {
    std::memset(PlotState.pagePixels, PlotState.backgroundColour, PlotState.imageSize);
}

}  // namespace

int main(int argc, char** argv) {
    std::string wave = "both";
    std::string dir = ".";
    std::vector<int> frames;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--wave" && i + 1 < argc) {
            wave = argv[++i];
        } else if (arg == "--out" && i + 1 < argc) {
            dir = argv[++i];
        } else if (arg == "--help") {
            Usage();
            return 0;
        } else {
            char* end = nullptr;
            const long n = std::strtol(arg.c_str(), &end, 10);
            if (end == arg.c_str() || *end != '\0' || n < 0 || n > 2147483647L) {
                std::fprintf(stderr, "frames: not a frame number: %s\n", arg.c_str());
                Usage();
                return 2;
            }
            frames.push_back(static_cast<int>(n));
        }
    }
    if (frames.empty() || (wave != "long" && wave != "trans" && wave != "both")) {
        Usage();
        return 2;
    }
    if (!SetUpPage(dir)) {
        std::fprintf(stderr, "frames: page set-up failed\n");
        return 1;
    }
    int failures = 0;
    for (const int n : frames) {
        char name[32];
        if (wave != "trans") {
            ClearPage();
            DrawLongitudinalBackground();
            DrawLongitudinalFrame(n);
            std::snprintf(name, sizeof name, "/long-%05d.bmp", n);
            failures += !WriteBmp(dir + name);
        }
        if (wave != "long") {
            ClearPage();
            DrawTransversalFrame(n);
            std::snprintf(name, sizeof name, "/trans-%05d.bmp", n);
            failures += !WriteBmp(dir + name);
        }
    }
    return failures ? 1 : 0;
}
