// gif_recorder.cpp - which pictures become frames of the animated GIF, for
// how long, and what of them changed; the file is the GifWriter's, which
// puts it under its name only when the recording is complete.
#include "app/gif_recorder.h"

#include <algorithm>
#include <cstring>

GifRecorder::~GifRecorder() { Abandon(); }

bool GifRecorder::Open(const std::string& path, std::string& error) {
    Abandon();
    writer_ = OpenGifWriter(path, error);
    failed_ = false;
    return writer_ != nullptr;
}

void GifRecorder::Abandon() {
    if (writer_) writer_->Discard();
    writer_.reset();
}

std::string GifRecorder::Failure() const {
    if (!failed_) return {};
    const std::string reason = writer_ ? writer_->Error() : std::string();
    return reason.empty() ? "write error" : reason;
}

int GifRecorder::Centiseconds(std::int64_t timeMs) const {
    const std::int64_t cs = (timeMs - startMs_ + 5) / 10;
    return static_cast<int>(std::clamp<std::int64_t>(cs, 0, 1 << 30));
}

void GifRecorder::AddFrame(const unsigned char* pixels, int width, int height, const std::uint32_t* palette,
                           std::int64_t timeMs, unsigned char background) {
    if (!writer_ || failed_ || !pixels || width <= 0 || height <= 0 || width > 65535 || height > 65535) return;
    if (!started_) {
        // The screen: the page's size and palette, looping for ever.
        width_ = width;
        height_ = height;
        startMs_ = timeMs;
        if (!writer_->Begin(width_, height_, palette)) {
            failed_ = true;
            return;
        }
        written_.assign(static_cast<std::size_t>(width_) * height_, 0);
        pending_.resize(written_.size());
        started_ = true;
    }
    const std::vector<unsigned char> picture = ScreenPicture(pixels, width, height, background);
    const int cs = Centiseconds(timeMs);
    if (hasPending_) {
        if (picture == pending_) return;  // unchanged: the pending frame lasts longer
        if (cs > pendingCs_ && !WritePending(cs - pendingCs_)) return;
    }
    pending_ = picture;
    if (!hasPending_ || cs > pendingCs_) pendingCs_ = cs;
    hasPending_ = true;
}

std::vector<unsigned char> GifRecorder::ScreenPicture(const unsigned char* pixels, int width, int height,
                                                      unsigned char background) const {
    // Top row first, as GIF stores it.  A page of another size than the
    // screen (a later figure) keeps its top-left corner on the screen's,
    // as the view shows it: cut off where larger, background where smaller.
    std::vector<unsigned char> picture(static_cast<std::size_t>(width_) * height_, background);
    const int rows = std::min(height, height_);
    const int columns = std::min(width, width_);
    for (int row = 0; row < rows; ++row) {
        std::memcpy(&picture[static_cast<std::size_t>(row) * width_],
                    pixels + static_cast<std::size_t>(height - 1 - row) * width, static_cast<std::size_t>(columns));
    }
    return picture;
}

bool GifRecorder::WritePending(int delayCs) {
    // The rectangle in which the pending picture differs from the file's.
    int left = width_, right = -1, top = height_, bottom = -1;
    if (!anyWritten_) {
        left = 0;
        right = width_ - 1;
        top = 0;
        bottom = height_ - 1;
    } else {
        for (int row = 0; row < height_; ++row) {
            const unsigned char* a = &written_[static_cast<std::size_t>(row) * width_];
            const unsigned char* b = &pending_[static_cast<std::size_t>(row) * width_];
            if (std::memcmp(a, b, static_cast<std::size_t>(width_)) == 0) continue;
            top = std::min(top, row);
            bottom = row;
            int l = 0;
            while (a[l] == b[l]) ++l;
            int r = width_ - 1;
            while (a[r] == b[r]) --r;
            left = std::min(left, l);
            right = std::max(right, r);
        }
        if (right < 0) {  // back to what is shown: one unchanged pixel carries the delay
            left = right = top = bottom = 0;
        }
    }
    // A frame delay is at most 65535 hundredths: a longer pause goes on in
    // frames of one unchanged pixel, so the file lasts as long as the clock.
    const int first = std::clamp(delayCs, 1, kMaxDelayCs);
    if (!PutFrame(left, top, right, bottom, first)) return false;
    written_ = pending_;
    anyWritten_ = true;
    for (int rest = delayCs - first; rest > 0; rest -= kMaxDelayCs) {
        if (!PutFrame(0, 0, 0, 0, std::min(rest, kMaxDelayCs))) return false;
    }
    return true;
}

bool GifRecorder::PutFrame(int left, int top, int right, int bottom, int delayCs) {
    if (!writer_->Frame(pending_.data(), left, top, right - left + 1, bottom - top + 1, delayCs)) {
        failed_ = true;
        return false;
    }
    ++framesWritten_;
    return true;
}

bool GifRecorder::Close(std::int64_t endMs, std::string& error) {
    if (!writer_) return true;
    if (hasPending_ && !failed_) WritePending(std::max(Centiseconds(endMs) - pendingCs_, 1));
    hasPending_ = false;
    if (failed_) {
        error = Failure();
        Abandon();
        return false;
    }
    const bool ok = writer_->Finish(error);
    writer_.reset();
    return ok;
}
