// gif_recorder_none.cpp - the GIF recorder of a build without an image codec
// (OSK_IMAGE_CODECS=none): opening a recording fails with the reason.
#include "app/gif_recorder.h"

GifRecorder::~GifRecorder() = default;

bool GifRecorder::Open(const std::string& /*path*/, std::string& error) {
    error = "this build of osk cannot write GIF files";
    return false;
}

void GifRecorder::AddFrame(const unsigned char* /*pixels*/, int /*width*/, int /*height*/,
                           const std::uint32_t* /*palette*/, std::int64_t /*timeMs*/, unsigned char /*background*/) {}

bool GifRecorder::Close(std::int64_t /*endMs*/, std::string& /*error*/) { return true; }
