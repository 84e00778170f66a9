// page_recorder.cpp - page dumps (BMP through CDib, PNG through the plot
// library's PNG writer) and the GIF recording.
#include "app/page_recorder.h"

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "dib/dib.h"
#include "outfile/output_file.h"
#include "plotpng/plotpng.h"

namespace {

std::int64_t Milliseconds(double seconds) { return std::llround(seconds * 1000.0); }

void Silent(const char* /*text*/) {}

// The page as a standard 8-bit BMP file: the CDib borrows the pixels.  A
// failure is reported once by the caller, not as a message box per dump.
bool WritePageBmp(const PageFrame& frame, const std::string& path, std::string& reason) {
    struct QuietDib {
        DibMessageHook previous = SetDibMessageHook(Silent);
        ~QuietDib() { SetDibMessageHook(previous); }
    } quiet;
    CDib dib;
    if (!dib.CreateImage(frame.width, frame.height, 8)) {
        reason = "out of memory";
        return false;
    }
    for (int i = 0; i < 256; ++i) dib.colourTable[i] = frame.palette ? frame.palette[i] & 0xFFFFFFu : 0;
    OutputFile file;
    if (!file.Open(path)) {
        reason = file.Error();
        return false;
    }
    dib.image = const_cast<unsigned char*>(frame.pixels);
    DibOutputFileStream stream(file);
    const bool written = dib.Write(stream);
    dib.image = nullptr;
    if (written && file.Commit()) return true;
    file.Discard();
    reason = file.Error().empty() ? "write error" : file.Error();
    return false;
}

// The page as an 8-bit palette PNG.
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

void PageRecorder::Report(const std::string& file, const std::string& reason, const char* consequence) {
    const std::string line = "cannot write " + file + ": " + reason;
    std::fprintf(stderr, "osk: %s (%s)\n", line.c_str(), consequence);
    if (!failed_) firstReport_ = line;
    failed_ = true;
}

bool PageRecorder::Open(const PageRecordOptions& options, std::string& error) {
    options_ = options;
    if (!options_.dumpDir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options_.dumpDir, ec);
        if (!ec && !std::filesystem::is_directory(options_.dumpDir, ec)) {
            ec = std::make_error_code(std::errc::not_a_directory);
        }
        if (ec) {
            Report(options_.dumpDir, ec.message(), "no page dumps");
        } else {
            dumping_ = true;
            logPending_ = true;
        }
    }
    if (!options_.recordFile.empty()) {
        gif_ = std::make_unique<GifRecorder>();
        std::string reason;
        if (!gif_->Open(options_.recordFile, reason)) {
            Report(options_.recordFile, reason, "no recording");
            gif_.reset();
        }
    }
    error = firstReport_;
    return !failed_;
}

void PageRecorder::WriteDump(const PageFrame& frame) {
    const bool png = options_.dumpFormat == DumpFormat::Png;
    char name[32];
    std::snprintf(name, sizeof name, "refresh-%05d.%s", refreshCount_, png ? "png" : "bmp");
    const std::string path = (std::filesystem::path(options_.dumpDir) / name).string();
    std::string reason;
    if (png ? WritePagePng(frame, path, reason) : WritePageBmp(frame, path, reason)) {
        char number[16];
        std::snprintf(number, sizeof number, "%05d\t", refreshCount_);
        refreshLog_ += number;
        refreshLog_ += frame.title ? frame.title : "";
        refreshLog_ += '\n';
        ++dumpsWritten_;
        return;
    }
    dumping_ = false;
    const std::string kept = "page dumps stopped; refreshes.txt lists the " + std::to_string(dumpsWritten_) + " written";
    Report(path, reason, kept.c_str());
}

void PageRecorder::PageRefreshed(const PageFrame& frame) {
    ++refreshCount_;
    lastSeconds_ = frame.seconds;
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
    if (dumping_) WriteDump(frame);
    if (gif_) {
        gif_->AddFrame(frame.pixels, frame.width, frame.height, frame.palette, Milliseconds(frame.seconds),
                       frame.background);
        if (gif_->Failed()) {
            Report(options_.recordFile, gif_->Failure(), "recording stopped, no file kept");
            gif_->Abandon();
            gif_.reset();
        }
    }
}

void PageRecorder::WriteRefreshLog() {
    const std::string path = (std::filesystem::path(options_.dumpDir) / "refreshes.txt").string();
    OutputFile file;
    if (!file.Open(path) || !file.Write(refreshLog_.data(), refreshLog_.size()) || !file.Commit()) {
        Report(path, file.Error(), "the page dumps are not listed");
    }
}

void PageRecorder::Close(double endSeconds) {
    if (gif_) {
        std::string error;
        if (!gif_->Close(Milliseconds(endSeconds), error)) {
            Report(options_.recordFile, error, "recording stopped, no file kept");
        }
        gif_.reset();
    }
    // The log is written whenever the directory was there, also after the
    // dumps stopped: it lists exactly the dumps that were kept.
    if (logPending_) WriteRefreshLog();
    logPending_ = false;
    dumping_ = false;
}
