// bench_support.h - the page the benchmarks draw on.
#pragma once

#include <cstdlib>

#include "plot/host.h"
#include "plot/plot.h"

// The program's page: 28 x 4 page units fitted to the default host's
// 1024 x 768 screen (1008 x 144 pixels), or 38 pixels per unit (1064 x 152)
// without fitting.  The previous page image is freed first: the benchmarks
// own it, and PLOTOPEN only forgets it.  The plot-file name lies in a
// directory that does not exist, so the file-name search probes nothing.
inline void OpenBenchPage(bool fitToScreen = true) {
    PlotReleasePage();
    PlotSetHost(nullptr);
    PLOTOPEN(fitToScreen ? 3 : 0, "/nonexistent-osk-bench/tarvo_minel.plo", "Sorel Dune", "sorel_dune");
    PlotState.defaultColour = 4;
    PlotState.backgroundColour = 1;
    PAGESETUP(0, 0, 28, 4, 28, 4, 2);
}
