// shown_rows.cpp - the page rows as the window last showed them.
#include "app/shown_rows.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

std::size_t RowOffset(int rowFromTop, int width, int height) {
    // In memory the bottom row comes first.
    return static_cast<std::size_t>(height - 1 - rowFromTop) * static_cast<std::size_t>(width);
}

// The first and the last byte that differ in a word read from eight bytes:
// the lowest and the highest set bit of the difference.
static_assert(std::endian::native == std::endian::little, "the first byte is the word's lowest");
std::size_t FirstByte(std::uint64_t difference) { return static_cast<std::size_t>(std::countr_zero(difference)) / 8; }
std::size_t LastByte(std::uint64_t difference) {
    return 7 - static_cast<std::size_t>(std::countl_zero(difference)) / 8;
}

// Whether `count` bytes (at most kTileColumns) differ, and where first and
// last.  A whole tile is read as words (not through memcmp, which some C
// libraries, the web page's among them, run byte by byte), told apart in
// one test.
bool TileDiffers(const unsigned char* a, const unsigned char* b, std::size_t count, std::size_t& first,
                 std::size_t& last) {
    constexpr std::size_t kWords = ShownRows::kTileColumns / 8;
    static_assert(ShownRows::kTileColumns % 8 == 0, "a tile is a whole number of words");
    if (count == ShownRows::kTileColumns) {
        std::uint64_t differ[kWords];
        std::uint64_t any = 0;
        for (std::size_t w = 0; w < kWords; ++w) {
            std::uint64_t x = 0;
            std::uint64_t z = 0;
            std::memcpy(&x, a + 8 * w, 8);
            std::memcpy(&z, b + 8 * w, 8);
            differ[w] = x ^ z;
            any |= differ[w];
        }
        if (any == 0) return false;
        std::size_t w = 0;
        while (differ[w] == 0) ++w;
        first = 8 * w + FirstByte(differ[w]);
        w = kWords - 1;
        while (differ[w] == 0) --w;
        last = 8 * w + LastByte(differ[w]);
        return true;
    }
    std::size_t i = 0;
    while (i < count && a[i] == b[i]) ++i;
    if (i == count) return false;
    first = i;
    last = count - 1;
    while (a[last] == b[last]) --last;
    return true;
}

// The smallest rectangle holding both (an empty one holds nothing).
PageChange Union(const PageChange& a, const PageChange& b) {
    if (a.Empty()) return b;
    if (b.Empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

PageChange ClipToPage(const PageChange& change, const PageFrame& frame) {
    return {std::max(change.left, 0), std::max(change.top, 0), std::min(change.right, frame.width - 1),
            std::min(change.bottom, frame.height - 1)};
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

bool ShownRows::SameAsShown(const PageFrame& frame, int scrollX, int scrollY) const {
    return known_ && frame.pixels == source_ && frame.width == width_ && frame.height == height_ &&
           scrollX == scrollX_ && scrollY == scrollY_ && std::memcmp(palette_, frame.palette, sizeof palette_) == 0;
}

std::vector<PageChange> ShownRows::Changed(const PageFrame& frame, const PageChange& change, int scrollX, int scrollY) {
    return Changed(frame, std::vector<PageChange>{change}, scrollX, scrollY);
}

std::vector<PageChange> ShownRows::Changed(const PageFrame& frame, const std::vector<PageChange>& parts, int scrollX,
                                           int scrollY) {
    PageChange bounds{0, 0, -1, -1};
    for (const PageChange& part : parts) {
        if (!part.Empty()) bounds = Union(bounds, part);
    }
    const PageChange all = ClipToPage(bounds, frame);
    if (bounds.Empty() || all.Empty()) return {};
    if (!frame.pixels || !frame.palette) {
        known_ = false;
        return {all};
    }
    if (!SameAsShown(frame, scrollX, scrollY)) return TakeAll(frame, all, scrollX, scrollY);
    std::vector<PageChange> found;
    for (const PageChange& part : parts) {
        const PageChange clipped = ClipToPage(part, frame);
        if (!clipped.Empty()) TakePart(frame, clipped, found);
    }
    return found;
}

void ShownRows::TakePart(const PageFrame& frame, const PageChange& all, std::vector<PageChange>& parts) {
    const std::size_t columns = static_cast<std::size_t>(all.right) - static_cast<std::size_t>(all.left) + 1;
    const int tiles = static_cast<int>((columns - 1) / kTileColumns) + 1;
    std::vector<PageChange> found(static_cast<std::size_t>(tiles));  // per tile of the tile row: what differs
    std::vector<OpenPart> above;  // the parts of the tile row above, to grow downwards
    std::vector<OpenPart> here;
    for (int top = all.top; top <= all.bottom;) {
        const int bottom = std::min(all.bottom, (top / kTileRows + 1) * kTileRows - 1);
        std::fill(found.begin(), found.end(), PageChange{0, 0, -1, -1});
        for (int y = top; y <= bottom; ++y) TakeRow(frame, all, y, found);
        here.clear();
        for (int t = 0; t < tiles;) {
            if (found[static_cast<std::size_t>(t)].Empty()) {
                ++t;
                continue;
            }
            PageChange part = found[static_cast<std::size_t>(t)];
            int last = t;
            for (int next = t + 1; next < tiles && next <= last + kJoinTiles + 1; ++next) {
                if (found[static_cast<std::size_t>(next)].Empty()) continue;
                part = Union(part, found[static_cast<std::size_t>(next)]);
                last = next;
            }
            const auto same = std::find_if(above.begin(), above.end(),
                                           [&](const OpenPart& o) { return o.firstTile == t && o.lastTile == last; });
            if (same != above.end()) {
                parts[same->index] = Union(parts[same->index], part);
                here.push_back({same->index, t, last});
            } else {
                parts.push_back(part);
                here.push_back({parts.size() - 1, t, last});
            }
            t = last + 1;
        }
        std::swap(above, here);
        top = bottom + 1;
    }
}

void ShownRows::TakeRow(const PageFrame& frame, const PageChange& all, int y, std::vector<PageChange>& found) {
    const std::size_t columns = static_cast<std::size_t>(all.right) - static_cast<std::size_t>(all.left) + 1;
    const std::size_t at = RowOffset(y, width_, height_) + static_cast<std::size_t>(all.left);
    unsigned char* shown = pixels_.data() + at;
    const unsigned char* now = frame.pixels + at;
    std::size_t rowFirst = columns;
    std::size_t rowLast = 0;
    for (std::size_t from = 0; from < columns; from += kTileColumns) {
        const std::size_t count = std::min<std::size_t>(kTileColumns, columns - from);
        std::size_t first = 0;
        std::size_t last = 0;
        if (!TileDiffers(shown + from, now + from, count, first, last)) continue;
        PageChange& tile = found[from / kTileColumns];
        const int left = all.left + static_cast<int>(from + first);
        const int right = all.left + static_cast<int>(from + last);
        tile = Union(tile, {left, y, right, y});
        rowFirst = std::min(rowFirst, from + first);
        rowLast = from + last;
    }
    if (rowFirst <= rowLast) std::memcpy(shown + rowFirst, now + rowFirst, rowLast - rowFirst + 1);
}
