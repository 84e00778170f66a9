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
    // Ends the file and puts it under its name; false with the reason of the
    // first failure of any call, and then nothing is left under the name.
    virtual bool Finish(std::string& error) = 0;
    // Drops the file: nothing is left under the name (a file there before stays).
    virtual void Discard() = 0;
    // The reason of the first failure so far; empty when none.
    virtual std::string Error() const = 0;
};

// Starts the file `path` (under a temporary name beside it until Finish);
// null with a reason when it cannot be written.  The writer's destructor
// discards a file that was not finished.
std::unique_ptr<GifWriter> OpenGifWriter(const std::string& path, std::string& error);
