// plotpng.cpp - the page as an 8-bit palette PNG: names, temporary file, palette.
// The encoding itself is the system's (encode_libpng.cpp, encode_wic.cpp).
#include "plotpng/plotpng.h"

#include "plotpng/encode.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "plot/host.h"
#include "plot/plotstate.h"

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

// A fresh file beside `target` that no one else writes: "<target>.tmp<N>".
std::FILE* OpenTemporary(const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + std::to_string(attempt);
        if (std::FILE* f = std::fopen(name.c_str(), "wbx")) return f;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
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

    const std::string target = fileName;
    std::string temporary;
    errno = 0;
    std::FILE* file = OpenTemporary(target, temporary);
    if (!file) {
        SetError(error, errorSize, std::string("cannot create a file beside it: ") + std::strerror(errno));
        return false;
    }
    std::string reason;
    bool ok = PlotEncodePng(file, pixels, width, height, palette, colourCount, reason);
    if (ok && std::fflush(file) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (ok && std::ferror(file)) {
        ok = false;
        reason = "write error";
    }
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        reason = std::strerror(errno);
    }
    // Replaces an older file of that name on every system (std::rename
    // would refuse to on Windows).
    std::error_code renamed;
    if (ok) std::filesystem::rename(temporary, target, renamed);
    if (ok && renamed) {
        ok = false;
        reason = renamed.message();
    }
    if (!ok) {
        std::remove(temporary.c_str());
        SetError(error, errorSize, reason);
    }
    return ok;
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
