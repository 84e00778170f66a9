// headless.cpp - the backend without a window system: scripted input on a
// virtual clock.
#include "platform/headless/headless.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

HeadlessBackend::HeadlessBackend(HeadlessOptions options) : options_(std::move(options)) {
    if (options_.events.empty() || options_.events.back().kind != ScriptEvent::Close) {
        options_.events.push_back(ScriptEvent{});  // the end of input closes the window
    }
    dueMs_ = kStartMs + options_.events.front().delayMs;
}

void HeadlessBackend::ScreenSize(int& width, int& height) {
    width = options_.screenWidth;
    height = options_.screenHeight;
}

bool HeadlessBackend::LargestClient(int& width, int& height) {
    width = options_.screenWidth - kDecorationAcross;
    height = options_.screenHeight - kDecorationDown;
    return width > 0 && height > 0;
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
            b.clicks = presses_.Press(b.button, b.x, b.y, static_cast<double>(nowMs_));
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
    // Deadlines no run can mean (NaN, before 1970, past 2^52 ms) stay out
    // of the integer conversion: the clock moves one millisecond, or to its
    // far end.
    constexpr std::int64_t kLatestMs = std::int64_t{1} << 52;
    if (!(deadline > 0)) {
        ++nowMs_;
        return;
    }
    if (deadline * 1000.0 >= static_cast<double>(kLatestMs)) {
        nowMs_ = std::max(kLatestMs, nowMs_ + 1);
        return;
    }
    // The first millisecond whose time lies past the deadline; always onward.
    std::int64_t m = static_cast<std::int64_t>(std::floor(deadline * 1000.0));
    while (static_cast<double>(m) / 1000.0 <= deadline) ++m;
    while (static_cast<double>(m - 1) / 1000.0 > deadline) --m;
    nowMs_ = std::max(m, nowMs_ + 1);
}
