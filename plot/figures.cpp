// figures.cpp - starting figures (FRAME waits for a click first, NFRAME
// changes at once) and ending the plot.
#include <cstdio>

#include "plot/host.h"
#include "plot/internal.h"
#include "plot/plot.h"

using plot_internal::CopyText;

namespace {

bool FigureInProgress() { return (PlotState.plotStatus & 3) == (kPlotFigureInProgress & 3); }

void SetTitle(const char* text) { CopyText(PlotState.titleText, sizeof PlotState.titleText, text); }

// The common tail of both figure changes: a cleared page in the default
// colours and the new user window.
void StartFigure(float x0, float y0, float x1, float y1) {
    plot_internal::ClearPage();
    PlotState.penColour = PlotState.defaultColour;
    PlotState.fillColour = PlotState.defaultColour;
    SETWINDOW(x0, y0, x1, y1);
    PlotState.plotStatus = kPlotFigureInProgress;
}

}  // namespace

int FRAME(float x0, float y0, float x1, float y1) {
    PlotStateRecord& s = PlotState;
    if (FigureInProgress()) {
        SetTitle("Another Figure to Follow - Press Any Mouse Button to Continue");
        PLOTFLUSH();
        if (PlotGetHost().waitForClick() < 0) return -1;
        if (s.exportPending) plot_internal::ExportPage();
        if (s.plotFile) {  // a plot file left open is closed and opened again
            std::fclose(s.plotFile);
            s.plotFile = std::fopen(s.fileName, "r+b");
            if (!s.plotFile) {
                plot_internal::Print(PlotStream::Output, "FRAME - Irrecoverable File Error\a\n");
                return -1;
            }
        }
    } else {
        s.savedPenBlock = s.penBlock();
    }
    s.penBlock() = s.savedPenBlock;
    SetTitle("Frame - New Figure");
    plot_internal::LayoutFigure(false);
    StartFigure(x0, y0, x1, y1);
    return 0;
}

void NFRAME(float x0, float y0, float x1, float y1) {
    PlotStateRecord& s = PlotState;
    if (FigureInProgress()) {
        PLOTFLUSH();
        if (s.exportPending) plot_internal::ExportPage();
    } else {
        s.savedPenBlock = s.penBlock();
    }
    s.penBlock() = s.savedPenBlock;
    s.penColour = s.defaultColour;
    SetTitle("NFrame - New Figure");
    plot_internal::ClosePlotFile();
    NEXTFILENAME();
    s.exportPending = 0;
    plot_internal::LayoutFigure(true);
    StartFigure(x0, y0, x1, y1);
}

int PLOTCLOSE() {
    PlotStateRecord& s = PlotState;
    if (!FigureInProgress()) {
        plot_internal::Print(PlotStream::Output, "PLOT * Close ohne Zeichnung oder Open nach Close!\a\n");
        return -1;
    }
    s.plotStatus = kPlotOpen;
    bool written = true;
    if (s.exportPending) {
        written = plot_internal::ExportPage();
        written = plot_internal::ClosePlotFile() && written;
    }
    SetTitle("Plot Finished - Close Window to Terminate");
    PLOTFLUSH();
    return written ? 0 : -1;
}
