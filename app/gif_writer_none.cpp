// gif_writer_none.cpp - the GIF file of a build without an image codec
// (OSK_IMAGE_CODECS=none): opening a recording fails with the reason.
#include "app/gif_writer.h"

std::unique_ptr<GifWriter> OpenGifWriter(const std::string& /*path*/, std::string& error) {
    error = "this build of osk cannot write GIF files";
    return nullptr;
}
