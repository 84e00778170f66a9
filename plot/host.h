// host.h - the one narrow hook through which the plot library reaches the
// world outside it: the screen, the mouse wait of FRAME, the message box,
// the console texts and the clock.  The plain library installs a default
// host (no screen, no clicks, a 1024 x 768 screen, message boxes as lines
// on standard error, console texts on standard output and standard error,
// the system clock); an application shell installs its own before PLOTOPEN.
#pragma once

// Where a console text of the library goes by default: the reports of
// figure changes, closing and polylines ("Dimensions ...", "PLOTL - zu
// wenig Punkte ...") to standard output, the export's errors to standard
// error.
enum class PlotStream { Output, Error };

struct PlotHost {
    // PLOTFLUSH: show the page now and empty the changed-pixel rectangle.
    void (*flush)();
    // FRAME's wait for a click (input kind 2): 0 when done, < 0 when quitting.
    int (*waitForClick)();
    // Screen size in pixels, read once by PLOTOPEN.
    void (*screenSize)(int* width, int* height);
    // A message box with one OK button; returns when dismissed.
    void (*messageBox)(const char* text);
    // Every console text of the library, whole lines with their line feeds
    // (and bells).  The default writes them unchanged to the stream named.
    void (*output)(PlotStream stream, const char* text);
    // Seconds since 1970-01-01 UTC with millisecond resolution, for timing:
    // the default reads the system's clock once and then advances with the
    // steady clock, so that a step of the system's clock does not upset DELAY.
    double (*wallClock)();
    // Blocks for a while, at most until shortly before `deadline` (a
    // wallClock() value).  DELAY calls it between clock readings and spins
    // the rest, so a host may return early; a virtual clock jumps instead.
    void (*waitUntil)(double deadline);
    // The page image was allocated anew (a larger figure): views that borrow
    // pagePixels must re-read its pointer and sizes.  May be null.
    void (*pageImageReplaced)();
};

// Installs a host; members left null fall back to the defaults.  Passing
// null restores the default host entirely.
void PlotSetHost(const PlotHost* host);
// The host in force (never has null members except pageImageReplaced).
const PlotHost& PlotGetHost();
// The default host's pieces, for hosts that want to reuse some of them.
void   PlotDefaultFlush();   // empties the changed-pixel rectangle and the record below

// Pixels written since the last take that the changed-pixel rectangle does
// not hold: the solid fill of BOXFILL writes the image directly, without
// widening that rectangle.  A screen that shows only what changed shows
// these as well.  Columns left..right and rows top..bottom (counted from the
// top, as the changed rectangle's), inclusive; empty when left > right.
struct PlotPixelRect {
    int left, top, right, bottom;
    bool Empty() const { return left > right || top > bottom; }
};
// Returns the record and empties it.
PlotPixelRect PlotTakeDirectWrites();
// Adds to that record pixels that a program wrote into the page image itself
// (copied back from a picture it kept), so that the next refresh shows them.
void PlotNoteDirectWrites(const PlotPixelRect& pixels);
// Gives back to that record what PlotTakeDirectWrites took, for a program
// that looked at what one drawing wrote: unlike PlotNoteDirectWrites, the
// pixels are not added to the change's parts (below) again, which hold them.
void PlotGiveBackDirectWrites(const PlotPixelRect& pixels);
// The same pixels in parts, for a screen that compares or copies only what
// changed: besides the bounding rectangle of a frame (a wave band and the
// buttons above it, say), at most kPlotChangeParts rectangles that together
// hold every pixel the changed-pixel rectangle and the direct writes hold.
// They may overlap.  Kept only while collecting is on (it costs a few
// comparisons a drawing operation).
constexpr int kPlotChangeParts = 8;
void PlotCollectChangeParts(bool on);
// Writes the parts since the last take into `parts`, empties the record and
// returns how many there are; -1 when they are not known (collecting is off,
// or was turned on since the last take).
int PlotTakeChangeParts(PlotPixelRect (&parts)[kPlotChangeParts]);
// Widens the changed-pixel rectangle (and its parts) by pixels that a
// program wrote into the page image itself.
void PlotNoteChanged(const PlotPixelRect& pixels);
// Counts up whenever the page image may have been laid out, cleared or
// rewritten by the library as a whole (a new figure, a page setup, an
// export, the image's release): a program that keeps pixels of the page
// knows by it when they no longer stand.
unsigned PlotPageGeneration();
void   PlotDefaultOutput(PlotStream stream, const char* text);
double PlotSystemClock();
void   PlotSystemWaitUntil(double deadline);
