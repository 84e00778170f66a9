// page_recorder.cpp - page dumps (BMP through CDib, PNG through the plot
// library's PNG writer) and the GIF recording.
#include "app/page_recorder.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "dib/dib.h"
#include "plotpng/plotpng.h"

namespace {

std::int64_t Milliseconds(double seconds) { return std::llround(seconds * 1000.0); }

void Silent(const char* /*text*/) {}

// The page as a standard 8-bit BMP file: the CDib borrows the pixels.  A
// failure is reported once by the caller, not as a message box per dump.
bool WritePageBmp(const PageFrame& frame, const std::string& path) {
    struct QuietDib {
        DibMessageHook previous = SetDibMessageHook(Silent);
        ~QuietDib() { SetDibMessageHook(previous); }
    } quiet;
    CDib dib;
    if (!dib.CreateImage(frame.width, frame.height, 8)) return false;
    for (int i = 0; i < 256; ++i) dib.colourTable[i] = frame.palette ? frame.palette[i] & 0xFFFFFFu : 0;
    dib.image = const_cast<unsigned char*>(frame.pixels);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    DibFileStream stream(f);
    const bool written = dib.Write(stream);
    dib.image = nullptr;
    return (std::fclose(f) == 0) && written;
}

// The page as an 8-bit palette PNG; the writer leaves no partial file.
bool WritePagePng(const PageFrame& frame, const std::string& path, std::string& reason) {
    static const std::uint32_t kBlack[256] = {};
    char error[256];
    if (PlotWritePngImage(path.c_str(), frame.pixels, frame.width, frame.height,
                          frame.palette ? frame.palette : kBlack, error, sizeof error)) {
        return true;
    }
    reason = error;
    return false;
}

}  // namespace

PageRecorder::~PageRecorder() { Close(lastSeconds_); }

bool PageRecorder::Open(const PageRecordOptions& options, std::string& error) {
    options_ = options;
    if (!options_.dumpDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options_.dumpDir, ec);
        if (ec) {
            error = "cannot create " + options_.dumpDir + ": " + ec.message();
            return false;
        }
        const std::string log = (std::filesystem::path(options_.dumpDir) / "refreshes.txt").string();
        refreshLog_ = std::fopen(log.c_str(), "wb");
        if (!refreshLog_) {
            error = "cannot write " + log + ": " + std::strerror(errno);
            return false;
        }
    }
    if (!options_.recordFile.empty()) {
        gif_ = std::make_unique<GifRecorder>();
        std::string reason;
        if (!gif_->Open(options_.recordFile, reason)) {
            error = "cannot write " + options_.recordFile + ": " + reason;
            gif_.reset();
            return false;
        }
    }
    return true;
}

void PageRecorder::WriteDump(const PageFrame& frame) {
    const bool png = options_.dumpFormat == DumpFormat::Png;
    char name[32];
    std::snprintf(name, sizeof name, "refresh-%05d.%s", refreshCount_, png ? "png" : "bmp");
    const std::string path = (std::filesystem::path(options_.dumpDir) / name).string();
    errno = 0;
    std::string reason;
    const bool ok = png ? WritePagePng(frame, path, reason) : WritePageBmp(frame, path);
    if (!ok && reason.empty()) reason = errno ? std::strerror(errno) : "write error";
    if (refreshLog_) {
        std::fprintf(refreshLog_, "%05d\t%s\n", refreshCount_, frame.title ? frame.title : "");
        std::fflush(refreshLog_);
    }
    if (!ok && !dumpFailed_) {
        dumpFailed_ = true;
        std::fprintf(stderr, "osk: cannot write %s: %s\n", path.c_str(), reason.c_str());
    }
}

void PageRecorder::PageRefreshed(const PageFrame& frame) {
    ++refreshCount_;
    lastSeconds_ = frame.seconds;
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
    if (!options_.dumpDir.empty()) WriteDump(frame);
    if (gif_) {
        gif_->AddFrame(frame.pixels, frame.width, frame.height, frame.palette, Milliseconds(frame.seconds),
                       frame.background);
    }
}

void PageRecorder::Close(double endSeconds) {
    if (gif_) {
        std::string error;
        if (!gif_->Close(Milliseconds(endSeconds), error)) {
            std::fprintf(stderr, "osk: cannot write %s: %s\n", options_.recordFile.c_str(), error.c_str());
        }
        gif_.reset();
    }
    if (refreshLog_) {
        std::fclose(refreshLog_);
        refreshLog_ = nullptr;
    }
}
