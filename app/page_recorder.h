// page_recorder.h - what the screen refreshes leave behind on disk, in any
// backend: page dumps (DIR/refresh-NNNNN.bmp, or .png when asked, numbered
// from 00001, and one line "NNNNN<TAB>title" per dump in DIR/refreshes.txt,
// written at the end) and an animated GIF timed by the backend's clock.
//
// Every file appears under its name only when complete.  The first failed
// write of an output is reported once on standard error and stops that
// output (the run goes on): the dumps stop at the last complete one, which
// refreshes.txt lists last; a recording that fails leaves no file.
#pragma once

#include <memory>
#include <string>

#include "app/app.h"
#include "app/gif_recorder.h"

enum class DumpFormat { Bmp, Png };

struct PageRecordOptions {
    std::string dumpDir;     // empty: no dumps
    std::string recordFile;  // empty: no recording
    DumpFormat dumpFormat = DumpFormat::Bmp;
};

class PageRecorder : public RefreshObserver {
public:
    PageRecorder() = default;
    ~PageRecorder() override;
    PageRecorder(const PageRecorder&) = delete;
    PageRecorder& operator=(const PageRecorder&) = delete;

    // Creates the dump directory and starts the GIF.  An output that cannot
    // be started is reported and stopped, the others go on: false, with the
    // first report in `error`.
    bool Open(const PageRecordOptions& options, std::string& error);
    void PageRefreshed(const PageFrame& frame) override;
    // Writes the GIF's last frame (shown until `endSeconds` on the clock)
    // and puts it and refreshes.txt under their names.
    void Close(double endSeconds);

    int RefreshCount() const { return refreshCount_; }
    // Whether an output could not be written completely.
    bool Failed() const { return failed_; }

private:
    void WriteDump(const PageFrame& frame);
    void WriteRefreshLog();
    void Report(const std::string& file, const std::string& reason, const char* consequence);

    PageRecordOptions options_;
    int refreshCount_ = 0;
    bool dumping_ = false;
    bool logPending_ = false;  // refreshes.txt is still to be written
    int dumpsWritten_ = 0;
    std::string refreshLog_;  // the lines of refreshes.txt so far
    std::unique_ptr<GifRecorder> gif_;
    double lastSeconds_ = 0;
    bool failed_ = false;
    std::string firstReport_;
};
