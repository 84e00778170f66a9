// page_recorder.h - what the screen refreshes leave behind on disk, in any
// backend: page dumps (DIR/refresh-NNNNN.bmp, or .png when asked, numbered
// from 00001, and one line "NNNNN<TAB>title" per refresh in
// DIR/refreshes.txt, which a run starts afresh) and an animated GIF timed by
// the backend's clock.
//
// The recorder owns its files: Open creates them, Close (or the destructor)
// finishes the GIF and closes the log.
#pragma once

#include <cstdio>
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

    // Creates the dump directory, its log and the GIF file; false with a reason.
    bool Open(const PageRecordOptions& options, std::string& error);
    void PageRefreshed(const PageFrame& frame) override;
    // Writes the GIF's last frame (shown until `endSeconds` on the clock)
    // and closes the files; reports a failed write on standard error.
    void Close(double endSeconds);

    int RefreshCount() const { return refreshCount_; }

private:
    void WriteDump(const PageFrame& frame);

    PageRecordOptions options_;
    int refreshCount_ = 0;
    std::FILE* refreshLog_ = nullptr;
    bool dumpFailed_ = false;
    std::unique_ptr<GifRecorder> gif_;
    double lastSeconds_ = 0;
};
