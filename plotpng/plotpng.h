// plotpng.h - the plot library's page as an 8-bit palette PNG file.
//
// A module beside the plot library rather than in it, because it needs more
// than the standard library: libpng (Debian: libpng-dev).  Link the target
// plotpng (installed: OskPlot::png, or pkg-config oskplot-png), which brings
// the plot library and libpng along.
//
// Both writers go through an exclusive temporary file in the target's
// directory that is synced and renamed onto the name only when complete
// (outfile/output_file.h, with the shell's rules for links and permissions):
// a write that fails (a missing directory, a full disk, a name that is a
// directory, a write-protected file) leaves the old file, if any, as it was
// and no partial file behind.
#pragma once

#include <cstddef>
#include <cstdint>

// The page as an 8-bit palette PNG named fileName (imageWidth x imageHeight,
// the page's palette): 0, or -1 with one line through the host's output
// hook (PlotStream::Error).  The page itself is left as it is.
int WRITEPNG(const char* fileName);

// The writer behind WRITEPNG, for any 8-bit image: `pixels` holds `height`
// rows of `width` bytes, bottom row first (the page image's layout);
// `palette` 256 entries 0x00RRGGBB.  Reports nothing itself: returns false
// and puts a reason (NUL-terminated, cut to `errorSize`) into `error`.
bool PlotWritePngImage(const char* fileName, const unsigned char* pixels, int width, int height,
                       const std::uint32_t* palette, char* error, std::size_t errorSize);
