// encode_none.cpp - the PNG encoding of a build without an image codec
// (OSK_IMAGE_CODECS=none): every write fails with the reason.
#include "plotpng/encode.h"

bool PlotEncodePng(OutputFile* /*file*/, const unsigned char* /*pixels*/, int /*width*/, int /*height*/,
                   const std::uint32_t* /*palette*/, int /*colourCount*/, std::string& reason) {
    reason = "this build of osk cannot write PNG files";
    return false;
}
