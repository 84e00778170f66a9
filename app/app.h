// app.h - the shell's face toward plot programs: the view that shows the
// page, the screen refresh and the two run modes of the message pump.
//
// A plot program (the wave demonstration) runs on the GUI thread after the
// shell has started; it stores GetPlotView() in PlotState.plotView before it
// draws, and takes input only through MOUSEWAIT / MOUSEPOLL (app/mouse.h),
// which refresh the screen and then pump messages in run mode 1 or 2.
#pragma once

#include <climits>
#include <cstdint>

class COskView;

// Page pixels: columns left..right, rows top..bottom counted from the top,
// inclusive; empty when left > right or top > bottom.
struct PageChange {
    int left = 0;
    int top = 0;
    int right = INT_MAX;
    int bottom = INT_MAX;
    bool Empty() const { return left > right || top > bottom; }
};

// What one screen refresh showed, for observers that record it.
struct PageFrame {
    const unsigned char* pixels = nullptr;   // bottom row first
    int width = 0;                           // bytes per row (a multiple of 4)
    int height = 0;
    const std::uint32_t* palette = nullptr;  // 256 entries 0x00RRGGBB
    unsigned char background = 0;            // palette index of a cleared page
    const char* title = nullptr;             // the title strip's text
    double seconds = 0;                      // the backend's clock at the refresh
    // What changed on the page since the observer's previous refresh (by
    // default all of it); a new page image or size changes all of it.
    PageChange changed;
};

// Sees every screen refresh that reached a view (page dumps, GIF recording).
class RefreshObserver {
public:
    virtual ~RefreshObserver() = default;
    virtual void PageRefreshed(const PageFrame& frame) = 0;
};

// The main frame's active view if it is a COskView, else null.
COskView* GetPlotView();

// Shows the title strip and the whole page at once (PLOTFLUSH is this),
// invalidates the title strip and the changed rectangle for the next paint
// and empties the changed rectangle.  Does nothing but empty the rectangle
// when there is no view (plotView null, or the window has been closed).
// A refresh that reached the view is then shown to the refresh observer.
void RefreshPlotView();

// Pumps messages until a mouse-button message finds a stored click (run
// mode 1).  0 then, -1 when the quit message arrived (the window was closed).
int PumpUntilClick();

// Pumps exactly one message (run mode 2), blocking until one arrives.
// 0, or -1 for the quit message.
int PumpOnce();

// Pumps the input that is waiting (keys of buttons become clicks, a closed
// window posts the quit message) until a click is stored, without blocking
// and without painting.  0, or -1 for the quit message.
int PumpWaitingInput();

// Lays the page out anew at `height` page units (the width stays): a new
// figure at once, cleared, its window the whole page, the pen block as
// NFRAME leaves it, the title strip unchanged; the view's scroll sizes and
// image and a fitted or full-screen presentation follow.  False (nothing
// done) when the page is that high already or no figure is in progress.
bool ResizePlotPage(float height);
