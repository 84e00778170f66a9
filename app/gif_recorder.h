// gif_recorder.h - an animated GIF of the page refreshes, timed by a clock.
//
// Each refresh hands over the page (8-bit, bottom row first) and the clock
// time.  Only pictures that differ from the one shown before become frames,
// each stored as the rectangle that changed; a frame's delay is the clock
// time until the next changed picture (in hundredths of a second, as GIF
// keeps it; a pause longer than a frame delay holds is carried on by frames
// of one unchanged pixel).  Two pictures within the same hundredth: the later one wins.
// The colour table is the page palette at the first frame, the screen the
// first page's size; a later page of another size is shown with its
// top-left corner on the screen's, cut off or filled with `background`.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/gif_writer.h"

class GifRecorder {
public:
    GifRecorder() = default;
    ~GifRecorder();
    GifRecorder(const GifRecorder&) = delete;
    GifRecorder& operator=(const GifRecorder&) = delete;

    // Starts the file (under a temporary name); false with a reason when it
    // cannot be written.
    bool Open(const std::string& path, std::string& error);
    void AddFrame(const unsigned char* pixels, int width, int height, const std::uint32_t* palette,
                  std::int64_t timeMs, unsigned char background = 0);
    // Writes the last frame (shown until endMs), closes the file and puts it
    // under its name; false with a reason, and no file left, when any write failed.
    bool Close(std::int64_t endMs, std::string& error);
    // Stops the recording and removes what was written of it.
    void Abandon();
    bool IsOpen() const { return writer_ != nullptr; }
    bool Failed() const { return failed_; }
    std::string Failure() const;  // why the recording failed
    int FramesWritten() const { return framesWritten_; }

private:
    std::vector<unsigned char> ScreenPicture(const unsigned char* pixels, int width, int height,
                                             unsigned char background) const;
    // Writes the pending picture, shown for delayCs hundredths.
    bool WritePending(int delayCs);
    // One frame: the pending picture's rectangle, inclusive bounds.
    bool PutFrame(int left, int top, int right, int bottom, int delayCs);
    static constexpr int kMaxDelayCs = 65535;  // the most a GIF frame delay holds
    int Centiseconds(std::int64_t timeMs) const;

    std::unique_ptr<GifWriter> writer_;
    int width_ = 0;
    int height_ = 0;
    bool started_ = false;
    std::int64_t startMs_ = 0;
    std::vector<unsigned char> written_;  // top row first, what the file shows so far
    std::vector<unsigned char> pending_;  // the picture waiting for its delay
    bool hasPending_ = false;
    bool anyWritten_ = false;
    int pendingCs_ = 0;
    int framesWritten_ = 0;
    bool failed_ = false;
};
