// shown_rows.h - the page rows as the window last showed them, so that a
// refresh converts and presents only the parts of its changed rectangle that
// really differ: bands of rows, each as wide as the changes in it.  With every teaching aid on, the changed rectangle
// of a running wave reaches from the first chain down to the second graph, while most rows between (labels, axes, the
// space between the pictures) stay as they were.
#pragma once

#include <cstdint>
#include <vector>

#include "app/app.h"

class ShownRows {
public:
    // Changed rows closer than kJoinGap unchanged rows go into one band: a
    // band costs a present of its own, a few rows or columns more of
    // conversion cost less.
    static constexpr int kJoinGap = 8;

    // The bands of `change` (clipped to the page) that hold every pixel in
    // which `frame`'s page differs from what was shown last, top to bottom;
    // these pixels are then taken as shown.  The whole of `change` when
    // nothing is known: the first refresh, after Forget, or when the page
    // image, its size, palette or the scroll position is another than last
    // time.
    std::vector<PageChange> Changed(const PageFrame& frame, const PageChange& change, int scrollX, int scrollY);

    // The window was drawn some other way (a paint, a new size or page):
    // the next refresh shows all of its change.
    void Forget() { known_ = false; }

private:
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
