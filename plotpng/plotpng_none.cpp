// plotpng_none.cpp - the PNG writer of a build without an image codec
// (OSK_IMAGE_CODECS=none): every call fails with the reason.
#include "plotpng/plotpng.h"

#include <cstdio>

#include "plot/host.h"

namespace {
constexpr const char* kReason = "this build of osk cannot write PNG files";
}

bool PlotWritePngImage(const char* /*fileName*/, const unsigned char* /*pixels*/, int /*width*/, int /*height*/,
                       const std::uint32_t* /*palette*/, char* error, std::size_t errorSize) {
    if (error && errorSize > 0) std::snprintf(error, errorSize, "%s", kReason);
    return false;
}

int WRITEPNG(const char* fileName) {
    char line[512];
    std::snprintf(line, sizeof line, "WRITEPNG: cannot write \"%s\": %s\n", fileName ? fileName : "", kReason);
    PlotGetHost().output(PlotStream::Error, line);
    return -1;
}
