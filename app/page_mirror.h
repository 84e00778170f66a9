// page_mirror.h - a copy of the page as the last screen refresh showed it,
// for readers that come later (the web page's automation hook): the page
// image itself changes before the next refresh, or is gone after the end.
//
// A refresh copies only the rows it changed, unless the page is another one
// (the first, another image or size, or a cleared page with no image), when
// all of it is copied.
#pragma once

#include <cstdint>
#include <vector>

#include "app/app.h"

class PageMirror {
public:
    // Brings the copy up to `frame`; returns the number of rows copied.
    int Take(const PageFrame& frame);

    const unsigned char* Pixels() const { return pixels_.data(); }  // bottom row first
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::uint32_t* Palette() const { return palette_; }

private:
    std::vector<unsigned char> pixels_;
    int width_ = 0;
    int height_ = 0;
    const unsigned char* source_ = nullptr;  // the page image copied from last
    bool any_ = false;                       // a frame has been taken
    std::uint32_t palette_[256] = {};        // 0x00RRGGBB: in memory blue, green, red, 0
};
