// plotpng.cpp - the page as an 8-bit palette PNG: names, the file that
// appears only when complete, the palette.  The encoding itself is the
// system's (encode_libpng.cpp, encode_wic.cpp).
#include "plotpng/plotpng.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "outfile/output_file.h"
#include "plot/host.h"
#include "plot/plotstate.h"
#include "plotpng/encode.h"

namespace {

void SetError(char* error, std::size_t size, const std::string& text) {
    if (!error || size == 0) return;
    std::snprintf(error, size, "%s", text.c_str());
}

// The palette up to the highest index the image uses: a smaller PLTE chunk,
// and the colours of every pixel all the same.
int PaletteEntriesUsed(const unsigned char* pixels, std::size_t count) {
    int highest = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (pixels[i] > highest) highest = pixels[i];
    }
    return highest + 1;
}

}  // namespace

bool PlotWritePngImage(const char* fileName, const unsigned char* pixels, int width, int height,
                       const std::uint32_t* palette, char* error, std::size_t errorSize) {
    if (!fileName || !fileName[0]) {
        SetError(error, errorSize, "no file name");
        return false;
    }
    if (!pixels || !palette || width <= 0 || height <= 0) {
        SetError(error, errorSize, "no page image");
        return false;
    }
    const int colourCount =
        PaletteEntriesUsed(pixels, static_cast<std::size_t>(width) * static_cast<std::size_t>(height));

    OutputFile file;
    if (!file.Open(fileName)) {
        SetError(error, errorSize, file.Error());
        return false;
    }
    std::string reason;
    if (!PlotEncodePng(&file, pixels, width, height, palette, colourCount, reason)) {
        file.Discard();
        SetError(error, errorSize, file.Error().empty() ? reason : file.Error());
        return false;
    }
    if (!file.Commit()) {
        SetError(error, errorSize, file.Error());
        return false;
    }
    return true;
}

int WRITEPNG(const char* fileName) {
    const PlotStateRecord& s = PlotState;
    char error[256];
    if (PlotWritePngImage(fileName, s.pagePixels, s.imageWidth, s.imageHeight, s.palette, error, sizeof error)) {
        return 0;
    }
    char line[512];
    std::snprintf(line, sizeof line, "WRITEPNG: cannot write \"%s\": %s\n", fileName ? fileName : "", error);
    PlotGetHost().output(PlotStream::Error, line);
    return -1;
}
