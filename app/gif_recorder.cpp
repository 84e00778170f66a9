// gif_recorder.cpp - animated GIF output through giflib, into a file that
// appears under its name only when the recording is complete.
#include "app/gif_recorder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// giflib's output into the file; giflib takes a short count as a failed write.
int WriteToFile(GifFileType* gif, const GifByteType* data, int size) {
    auto* file = static_cast<PlotOutputFile*>(gif->UserData);
    return file->Write(data, static_cast<std::size_t>(size)) ? size : 0;
}

}  // namespace

GifRecorder::~GifRecorder() { Abandon(); }

bool GifRecorder::Open(const std::string& path, std::string& error) {
    Abandon();
    if (!file_.Open(path)) {
        error = file_.Error();
        return false;
    }
    int code = 0;
    gif_ = EGifOpen(&file_, WriteToFile, &code);
    if (!gif_) {
        file_.Discard();
        const char* reason = GifErrorString(code);
        error = reason ? reason : "cannot start the GIF";
        return false;
    }
    failed_ = false;
    return true;
}

void GifRecorder::Abandon() {
    if (gif_) EGifCloseFile(gif_, nullptr);
    gif_ = nullptr;
    file_.Discard();
}

std::string GifRecorder::Failure() const {
    if (!failed_) return {};
    if (!file_.Error().empty()) return file_.Error();
    const char* reason = GifErrorString(gif_ ? gif_->Error : 0);
    return reason ? reason : "write error";
}

int GifRecorder::Centiseconds(std::int64_t timeMs) const {
    const std::int64_t cs = (timeMs - startMs_ + 5) / 10;
    return static_cast<int>(std::clamp<std::int64_t>(cs, 0, 1 << 30));
}

void GifRecorder::AddFrame(const unsigned char* pixels, int width, int height, const std::uint32_t* palette,
                           std::int64_t timeMs, unsigned char background) {
    if (!gif_ || failed_ || !pixels || width <= 0 || height <= 0 || width > 65535 || height > 65535) return;
    if (!started_) {
        // The screen: the page's size and palette, looping for ever.
        width_ = width;
        height_ = height;
        startMs_ = timeMs;
        ColorMapObject* map = GifMakeMapObject(256, nullptr);
        if (!map) {
            failed_ = true;
            return;
        }
        for (int i = 0; i < 256; ++i) {
            map->Colors[i].Red = static_cast<GifByteType>((palette[i] >> 16) & 0xFF);
            map->Colors[i].Green = static_cast<GifByteType>((palette[i] >> 8) & 0xFF);
            map->Colors[i].Blue = static_cast<GifByteType>(palette[i] & 0xFF);
        }
        const int ok = EGifPutScreenDesc(gif_, width_, height_, 8, 0, map);
        GifFreeMapObject(map);
        static const char kLoop[] = "NETSCAPE2.0";
        unsigned char loop[3] = {1, 0, 0};
        if (ok != GIF_OK || EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
            EGifPutExtensionBlock(gif_, 11, kLoop) != GIF_OK || EGifPutExtensionBlock(gif_, 3, loop) != GIF_OK ||
            EGifPutExtensionTrailer(gif_) != GIF_OK) {
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
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSE_DO_NOT;
    gcb.UserInputFlag = false;
    gcb.DelayTime = delayCs;
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    EGifGCBToExtension(&gcb, extension);
    const int w = right - left + 1;
    const int h = bottom - top + 1;
    if (EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, 4, extension) != GIF_OK ||
        EGifPutImageDesc(gif_, left, top, w, h, false, nullptr) != GIF_OK) {
        failed_ = true;
        return false;
    }
    for (int row = top; row <= bottom; ++row) {
        if (EGifPutLine(gif_, &pending_[static_cast<std::size_t>(row) * width_ + left], w) != GIF_OK) {
            failed_ = true;
            return false;
        }
    }
    ++framesWritten_;
    return true;
}

bool GifRecorder::Close(std::int64_t endMs, std::string& error) {
    if (!gif_) return true;
    if (hasPending_ && !failed_) WritePending(std::max(Centiseconds(endMs) - pendingCs_, 1));
    hasPending_ = false;
    if (failed_) {
        error = Failure();
        Abandon();
        return false;
    }
    int code = 0;
    const bool ended = EGifCloseFile(gif_, &code) == GIF_OK;
    gif_ = nullptr;
    if (!ended) {
        error = !file_.Error().empty() ? file_.Error() : GifErrorString(code) ? GifErrorString(code) : "write error";
        file_.Discard();
        return false;
    }
    if (!file_.Commit()) {
        error = file_.Error();
        return false;
    }
    return true;
}
