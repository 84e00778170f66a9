// gif_writer.h - the file side of GifRecorder: one implementation per
// system (giflib; on Windows the system's imaging component).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class GifWriter {
public:
    virtual ~GifWriter() = default;
    // The screen: its size and colour table (256 entries 0x00RRGGBB), shown
    // in a loop for ever.
    virtual bool Begin(int width, int height, const std::uint32_t* palette) = 0;
    // One frame shown for `delayCs` hundredths of a second: `screen` is the
    // whole picture (top row first); only the rectangle at (left, top) of
    // width x height differs from the frame before (all of it for the first).
    virtual bool Frame(const unsigned char* screen, int left, int top, int width, int height, int delayCs) = 0;
    // Ends the file; false with the reason of the first failure of any call.
    virtual bool Finish(std::string& error) = 0;
};

// Creates the file `path`; null with a reason when it cannot be written.
std::unique_ptr<GifWriter> OpenGifWriter(const std::string& path, std::string& error);
