// kept_drawing.h - a drawing that comes out the same each time, put back
// from the pixels it left instead of being drawn again.
//
//   DrawKept(key, [&] { DrawButton(...); });
//
// The first call draws.  A later call with the same key, the same plot record
// and the same page layout (PlotPageGeneration) writes back the pixels the drawing left, leaves the
// record as the drawing left it, and adds to the changed rectangle and to the
// direct writes what the drawing added: the page, the record and the next
// refresh are those of drawing again.  A drawing is kept only when none of
// its pixels depend on what lay under them: it is drawn a second time over
// other pixels and must come out the same; else it is drawn every time.
//
// The record compared is all of PlotState but its changed rectangle, the
// pen's place (penX, penY, penDrawn, lastPlotX, lastPlotY) and the glyph
// origin: a kept drawing must start with a move and set its text's origin,
// and the second drawing starts from elsewhere to make sure.
//
// The key names everything the drawing depends on beyond the plot record
// (its texts and coordinates).  The kept pixels are owned here; a few
// drawings are kept at a time, the oldest given up first.
#pragma once

#include <functional>
#include <string>

#include "plot/host.h"

// The smallest rectangle holding both (an empty one holds nothing).
PlotPixelRect UnionOfPixels(const PlotPixelRect& a, const PlotPixelRect& b);

// What a drawing changed, in rows from the top: the changed rectangle it
// grew and the direct writes it noted.
struct DrawnChanges {
    PlotPixelRect dirty;
    PlotPixelRect direct;
    PlotPixelRect Bounds() const { return UnionOfPixels(dirty, direct); }
};

// Watching what is drawn apart from what the next refresh has collected so
// far: StartWatchingDrawn sets the collected changes aside, and
// StopWatchingDrawn answers what was drawn since and adds the changes set
// aside back to it.  Watches nest.
struct DrawnWatch {
    PlotPixelRect dirty;
    PlotPixelRect direct;
};
DrawnWatch StartWatchingDrawn();
DrawnChanges StopWatchingDrawn(const DrawnWatch& before);

// Adds changes to what the next refresh shows, as drawing them again would.
void AddDrawnChanges(const DrawnChanges& changes);

void DrawKept(const std::string& key, const std::function<void()>& draw);

// Gives up every kept drawing (tests that change the plot record's meaning).
void ForgetKeptDrawings();
