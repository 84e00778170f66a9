// app.h - the shell's face toward plot programs: the view that shows the
// page, the screen refresh and the two run modes of the message pump.
//
// A plot program (the wave demonstration) runs on the GUI thread after the
// shell has started; it stores GetPlotView() in PlotState.plotView before it
// draws, and takes input only through MOUSEWAIT / MOUSEPOLL (app/mouse.h),
// which refresh the screen and then pump messages in run mode 1 or 2.
#pragma once

class COskView;

// The main frame's active view if it is a COskView, else null.
COskView* GetPlotView();

// Shows the title strip and the whole page at once (PLOTFLUSH is this),
// invalidates the title strip and the changed rectangle for the next paint
// and empties the changed rectangle.  Does nothing but empty the rectangle
// when there is no view (plotView null, or the window has been closed).
void RefreshPlotView();

// Pumps messages until a mouse-button message finds a stored click (run
// mode 1).  0 then, -1 when the quit message arrived (the window was closed).
int PumpUntilClick();

// Pumps exactly one message (run mode 2), blocking until one arrives.
// 0, or -1 for the quit message.
int PumpOnce();
