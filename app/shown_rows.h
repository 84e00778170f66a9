// shown_rows.h - the page rows as the window last showed them, so that a
// refresh converts and presents only the parts of its changed rectangle that
// really differ.  With every teaching aid on, the changed rectangle of a
// running wave reaches from the first chain down to the second graph, while
// most of it (labels, axes, the space between the pictures, the graph paper
// between two crossings of a curve) stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/app.h"

class ShownRows {
public:
    // Differences are looked for in tiles of kTileColumns x kTileRows pixels
    // (rows counted from the page's top): changed tiles of one row of tiles
    // no more than kJoinTiles unchanged tiles apart make one part, and a part
    // right below one with the same tiles grows it.  A part costs a call of
    // its own to draw; a few pixels more to convert cost less.
    static constexpr int kTileColumns = 32;
    static constexpr int kTileRows = 16;
    static constexpr int kJoinTiles = 1;

    // Parts of `change` (clipped to the page), each cut to the pixels that
    // differ in it, that hold every pixel in which `frame`'s page differs
    // from what was shown last; these pixels are then taken as shown.  The
    // whole of `change` when nothing is known: the first refresh, after
    // Forget, or when the page image, its size, palette or the scroll
    // position is another than last time.
    std::vector<PageChange> Changed(const PageFrame& frame, const PageChange& change, int scrollX, int scrollY);
    // The same for a change in parts (which may overlap): only the parts are
    // compared; the bounding rectangle of them all when nothing is known.
    std::vector<PageChange> Changed(const PageFrame& frame, const std::vector<PageChange>& parts, int scrollX,
                                    int scrollY);

    // The window was drawn some other way (a paint, a new size or page):
    // the next refresh shows all of its change.
    void Forget() { known_ = false; }

private:
    // A part of the tile row above: where it is in the result, which tiles it spans.
    struct OpenPart {
        std::size_t index;
        int firstTile;
        int lastTile;
    };
    // Compares row y of `all` with the row shown, tile by tile; takes what
    // differs as shown and grows each tile's part of `found` by it.
    void TakeRow(const PageFrame& frame, const PageChange& all, int y, std::vector<PageChange>& found);
    // Compares one part (clipped to the page) once the shown rows are known to be this frame's.
    void TakePart(const PageFrame& frame, const PageChange& all, std::vector<PageChange>& parts);
    bool SameAsShown(const PageFrame& frame, int scrollX, int scrollY) const;
    std::vector<PageChange> TakeAll(const PageFrame& frame, const PageChange& all, int scrollX, int scrollY);

    std::vector<unsigned char> pixels_;  // bottom row first, as the page
    const unsigned char* source_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
    std::uint32_t palette_[256] = {};
    bool known_ = false;
};
