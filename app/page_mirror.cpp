// page_mirror.cpp - the copy of the last refreshed page.
#include "app/page_mirror.h"

#include <algorithm>
#include <cstring>

int PageMirror::Take(const PageFrame& frame) {
    const int width = std::max(frame.width, 0);
    const int height = std::max(frame.height, 0);
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (frame.palette) std::memcpy(palette_, frame.palette, sizeof palette_);
    const bool another = !any_ || !frame.pixels || frame.pixels != source_ || width != width_ || height != height_;
    any_ = true;
    source_ = frame.pixels;
    width_ = width;
    height_ = height;
    if (another) {
        if (frame.pixels) {
            pixels_.assign(frame.pixels, frame.pixels + bytes);
        } else {
            pixels_.assign(bytes, frame.background);
        }
        return height;
    }
    // Rows counted from the top; in memory the bottom row comes first.
    const int top = std::max(frame.changed.top, 0);
    const int bottom = std::min(frame.changed.bottom, height - 1);
    if (frame.changed.Empty() || top > bottom) return 0;
    const std::size_t first = static_cast<std::size_t>(height - 1 - bottom) * static_cast<std::size_t>(width);
    const std::size_t count = static_cast<std::size_t>(bottom - top + 1) * static_cast<std::size_t>(width);
    std::memcpy(pixels_.data() + first, frame.pixels + first, count);
    return bottom - top + 1;
}
