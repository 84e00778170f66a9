// png_export.h - the page as an 8-bit palette PNG file.  This module alone needs a
// library beyond the standard one: libpng (Debian: libpng-dev; the installed
// package files name it, so a program linking the plot library links libpng
// as well).
//
// Both writers go through a temporary file in the target's directory that is
// renamed onto the name only when complete: a write that fails (a missing
// directory, a full disk, a name that is a directory) leaves the old file, if
// any, as it was and no partial file behind.
#pragma once

#include <cstddef>
#include <cstdint>

// The writer behind WRITEPNG (plot/plot.h), for any 8-bit image: `pixels` holds `height`
// rows of `width` bytes, bottom row first (the page image's layout);
// `palette` 256 entries 0x00RRGGBB.  Reports nothing itself: returns false
// and puts a reason (NUL-terminated, cut to `errorSize`) into `error`.
bool PlotWritePngImage(const char* fileName, const unsigned char* pixels, int width, int height,
                       const std::uint32_t* palette, char* error, std::size_t errorSize);
