// headless.cpp - the backend without a window system: scripted input on a
// virtual clock, page dumps and the GIF recording.
#include "platform/headless/headless.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

HeadlessBackend::HeadlessBackend(HeadlessOptions options) : options_(std::move(options)) {
    if (options_.events.empty() || options_.events.back().kind != ScriptEvent::Close) {
        options_.events.push_back(ScriptEvent{});  // the end of input closes the window
    }
    dueMs_ = kStartMs + options_.events.front().delayMs;
}

HeadlessBackend::~HeadlessBackend() { Shutdown(); }

bool HeadlessBackend::Prepare(std::string& error) {
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
        recorder_ = std::make_unique<GifRecorder>();
        std::string reason;
        if (!recorder_->Open(options_.recordFile, reason)) {
            error = "cannot write " + options_.recordFile + ": " + reason;
            recorder_.reset();
            return false;
        }
    }
    return true;
}

void HeadlessBackend::ScreenSize(int& width, int& height) {
    width = options_.screenWidth;
    height = options_.screenHeight;
}

bool HeadlessBackend::CreateMainWindow(const char* title, int clientWidth, int clientHeight) {
    windowTitle_ = title ? title : "";
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    windowOpen_ = true;
    return true;
}

void HeadlessBackend::Present(const Surface& /*surface*/) { ++presentCount_; }

void HeadlessBackend::Deliver() {
    const ScriptEvent& e = options_.events[next_];
    BackendEvent b;
    switch (e.kind) {
        case ScriptEvent::Click:
        case ScriptEvent::RightClick:
            b.button = e.kind == ScriptEvent::Click ? 1 : 3;
            b.x = e.x;
            b.y = e.y;
            b.clicks = CountPress(b.button, b.x, b.y);
            b.type = BackendEvent::MouseDown;
            ready_.push_back(b);
            b.type = BackendEvent::MouseUp;
            ready_.push_back(b);
            break;
        case ScriptEvent::Key:
            b.type = BackendEvent::Key;
            b.key = e.key;
            b.mods = e.mods;
            ready_.push_back(b);
            break;
        case ScriptEvent::Close:
            b.type = BackendEvent::Close;
            ready_.push_back(b);
            break;
    }
    // Past the last event the script is over; further waits see closes.
    if (next_ + 1 < options_.events.size()) {
        ++next_;
        dueMs_ = nowMs_ + options_.events[next_].delayMs;
    } else {
        next_ = options_.events.size();
    }
}

// Presses of one button that follow each other quickly and close together
// count up, as the window backend counts them: the second press of a double
// click has the count 2.
int HeadlessBackend::CountPress(int button, int x, int y) {
    constexpr std::int64_t kDoubleClickMs = 500;
    constexpr int kDoubleClickRadius = 32;
    const bool continues = button == lastPress_.button && nowMs_ - lastPress_.ms < kDoubleClickMs &&
                           std::abs(x - lastPress_.x) <= kDoubleClickRadius &&
                           std::abs(y - lastPress_.y) <= kDoubleClickRadius;
    lastPress_ = {button, x, y, nowMs_, continues ? lastPress_.count + 1 : 1};
    return lastPress_.count;
}

bool HeadlessBackend::PollEvent(BackendEvent& event) {
    if (ready_.empty() && next_ < options_.events.size() && nowMs_ >= dueMs_) Deliver();
    if (ready_.empty()) return false;
    event = ready_.front();
    ready_.pop_front();
    return true;
}

void HeadlessBackend::WaitEvent(BackendEvent& event) {
    if (ready_.empty()) {
        if (next_ < options_.events.size()) {
            if (nowMs_ < dueMs_) nowMs_ = dueMs_;
            Deliver();
        } else {
            BackendEvent close;
            close.type = BackendEvent::Close;
            ready_.push_back(close);
        }
    }
    event = ready_.front();
    ready_.pop_front();
}

void HeadlessBackend::MessageBox(const char* caption, const char* text) { WriteMessageLine(caption, text); }

bool HeadlessBackend::PromptFileName(const char* prompt, const std::string& /*initial*/, std::string& /*name*/) {
    std::fprintf(stderr, "osk: %s: no file name can be asked for without a window; cancelled\n", prompt ? prompt : "");
    return false;
}

double HeadlessBackend::WallClock() { return static_cast<double>(nowMs_) / 1000.0; }

void HeadlessBackend::WaitUntil(double deadline) {
    // The first millisecond whose time lies past the deadline; always onward.
    std::int64_t m = static_cast<std::int64_t>(std::floor(deadline * 1000.0));
    while (static_cast<double>(m) / 1000.0 <= deadline) ++m;
    while (static_cast<double>(m - 1) / 1000.0 > deadline) --m;
    nowMs_ = std::max(m, nowMs_ + 1);
}

void HeadlessBackend::WriteDump(const PageFrame& frame) {
    char name[32];
    std::snprintf(name, sizeof name, "refresh-%05d.bmp", refreshCount_);
    const std::string path = (std::filesystem::path(options_.dumpDir) / name).string();
    const std::uint32_t imageSize = static_cast<std::uint32_t>(frame.width) * static_cast<std::uint32_t>(frame.height);
    unsigned char head[54] = {};
    auto put16 = [&head](int at, std::uint32_t v) {
        head[at] = static_cast<unsigned char>(v);
        head[at + 1] = static_cast<unsigned char>(v >> 8);
    };
    auto put32 = [&head](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) head[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    head[0] = 'B';
    head[1] = 'M';
    put32(2, 54 + 1024 + imageSize);
    put32(10, 54 + 1024);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(frame.width));
    put32(22, static_cast<std::uint32_t>(frame.height));
    put16(26, 1);
    put16(28, 8);
    put32(34, imageSize);
    put32(46, 256);
    put32(50, 256);
    unsigned char colours[1024];
    for (int i = 0; i < 256; ++i) {
        const std::uint32_t c = frame.palette ? frame.palette[i] : 0;
        colours[4 * i] = static_cast<unsigned char>(c);
        colours[4 * i + 1] = static_cast<unsigned char>(c >> 8);
        colours[4 * i + 2] = static_cast<unsigned char>(c >> 16);
        colours[4 * i + 3] = 0;
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr;
    if (f) {
        ok = std::fwrite(head, 1, sizeof head, f) == sizeof head &&
             std::fwrite(colours, 1, sizeof colours, f) == sizeof colours &&
             std::fwrite(frame.pixels, 1, imageSize, f) == imageSize;
        ok = (std::fclose(f) == 0) && ok;
    }
    if (refreshLog_) {
        std::fprintf(refreshLog_, "%05d\t%s\n", refreshCount_, frame.title ? frame.title : "");
        std::fflush(refreshLog_);
    }
    if (!ok && !dumpFailed_) {
        dumpFailed_ = true;
        std::fprintf(stderr, "osk: cannot write %s: %s\n", path.c_str(), std::strerror(errno));
    }
}

void HeadlessBackend::PageRefreshed(const PageFrame& frame) {
    ++refreshCount_;
    if (!frame.pixels || frame.width <= 0 || frame.height <= 0) return;
    if (!options_.dumpDir.empty()) WriteDump(frame);
    if (recorder_) recorder_->AddFrame(frame.pixels, frame.width, frame.height, frame.palette, nowMs_);
}

void HeadlessBackend::Shutdown() {
    if (recorder_) {
        std::string error;
        if (!recorder_->Close(nowMs_, error)) {
            std::fprintf(stderr, "osk: cannot write %s: %s\n", options_.recordFile.c_str(), error.c_str());
        }
        recorder_.reset();
    }
    if (refreshLog_) {
        std::fclose(refreshLog_);
        refreshLog_ = nullptr;
    }
}
