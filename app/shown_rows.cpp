// shown_rows.cpp - the page rows as the window last showed them.
#include "app/shown_rows.h"

#include <algorithm>
#include <cstring>

namespace {

std::size_t RowOffset(int rowFromTop, int width, int height) {
    // In memory the bottom row comes first.
    return static_cast<std::size_t>(height - 1 - rowFromTop) * static_cast<std::size_t>(width);
}

// Where two runs of `count` bytes that differ first and last differ; eight
// bytes at a time (whether they differ at all, memcmp tells faster).
std::size_t FirstDifference(const unsigned char* a, const unsigned char* b, std::size_t count) {
    std::size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < count && a[i] == b[i]) ++i;
    return i;
}

std::size_t LastDifference(const unsigned char* a, const unsigned char* b, std::size_t count) {
    std::size_t end = count;
    for (; end >= 8; end -= 8) {
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, a + end - 8, 8);
        std::memcpy(&y, b + end - 8, 8);
        if (x != y) break;
    }
    while (end > 0 && a[end - 1] == b[end - 1]) --end;
    return end - 1;
}

}  // namespace

std::vector<PageChange> ShownRows::TakeAll(const PageFrame& frame, const PageChange& all, int scrollX, int scrollY) {
    const std::size_t bytes = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
    pixels_.assign(frame.pixels, frame.pixels + bytes);
    std::memcpy(palette_, frame.palette, sizeof palette_);
    source_ = frame.pixels;
    width_ = frame.width;
    height_ = frame.height;
    scrollX_ = scrollX;
    scrollY_ = scrollY;
    known_ = true;
    return {all};
}

std::vector<PageChange> ShownRows::Changed(const PageFrame& frame, const PageChange& change, int scrollX, int scrollY) {
    const PageChange all{std::max(change.left, 0), std::max(change.top, 0), std::min(change.right, frame.width - 1),
                         std::min(change.bottom, frame.height - 1)};
    if (change.Empty() || all.Empty()) return {};
    if (!frame.pixels || !frame.palette) {
        known_ = false;
        return {all};
    }
    const bool same = known_ && frame.pixels == source_ && frame.width == width_ && frame.height == height_ &&
                      scrollX == scrollX_ && scrollY == scrollY_ &&
                      std::memcmp(palette_, frame.palette, sizeof palette_) == 0;
    if (!same) return TakeAll(frame, all, scrollX, scrollY);

    const std::size_t columns = static_cast<std::size_t>(all.right) - static_cast<std::size_t>(all.left) + 1;
    std::vector<PageChange> bands;
    for (int y = all.top; y <= all.bottom; ++y) {
        const std::size_t at = RowOffset(y, width_, height_) + static_cast<std::size_t>(all.left);
        unsigned char* shown = pixels_.data() + at;
        const unsigned char* now = frame.pixels + at;
        if (std::memcmp(shown, now, columns) == 0) continue;
        const std::size_t first = FirstDifference(shown, now, columns);
        const std::size_t last = LastDifference(shown, now, columns);
        const int left = all.left + static_cast<int>(first);
        const int right = all.left + static_cast<int>(last);
        std::memcpy(shown + first, now + first, last - first + 1);
        PageChange* band = bands.empty() ? nullptr : &bands.back();
        if (band && y - band->bottom <= kJoinGap) {
            band->bottom = y;
            band->left = std::min(band->left, left);
            band->right = std::max(band->right, right);
        } else {
            bands.push_back({left, y, right, y});
        }
    }
    return bands;
}
