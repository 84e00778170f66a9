// headless.h - the backend without any window system.
//
// The screen size is given (default kDefaultScreenWidth x kDefaultScreenHeight); input comes only from a
// script (platform/headless/script.h) on a virtual clock that starts at
// 946684800.000 (2000-01-01 00:00:00 UTC) and moves in whole milliseconds:
// WaitUntil jumps at once to the first millisecond past its deadline (or one
// millisecond on, when that has passed), a blocking wait for input jumps to
// the next event's time, and a poll sees an event only once it is due.
// A click is delivered as button down, then button up; a second press of
// the same button within 500 ms and 32 pixels is the second press of a
// double click (clicks = 2), as in the window backend.  Message boxes go to
// standard error as one line; the file-name prompt is always cancelled
// (with a line on standard error).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/backend_defaults.h"
#include "platform/press_counter.h"
#include "platform/headless/script.h"

struct HeadlessOptions {
    int screenWidth = kDefaultScreenWidth;
    int screenHeight = kDefaultScreenHeight;
    std::vector<ScriptEvent> events;  // as ParseScript gives them (ends with a close)
};

class HeadlessBackend : public Backend {
public:
    static constexpr std::int64_t kStartMs = 946684800000;

    explicit HeadlessBackend(HeadlessOptions options);

    void ScreenSize(int& width, int& height) override;
    // The screen less the decorations a window manager typically draws
    // (12 pixels across, 42 down), as the window backend allows for them.
    bool LargestClient(int& width, int& height) override;
    bool CreateMainWindow(const char* title, int clientWidth, int clientHeight) override;
    void SetWindowTitle(const char* title) override { windowTitle_ = title ? title : ""; }
    void ShowMainWindow() override {}
    void DestroyMainWindow() override { windowOpen_ = false; }
    void Present(const Surface& surface) override;
    bool PollEvent(BackendEvent& event) override;
    void WaitEvent(BackendEvent& event) override;
    void MessageBox(const char* caption, const char* text) override;
    // Nothing looks at the surface: dumps and recordings come from the page.
    bool ShowsSurface() const override { return false; }
    bool HasOwnFileNamePrompt() const override { return true; }
    bool PromptFileName(const char* prompt, const std::string& initial, std::string& name) override;
    double WallClock() override;
    void WaitUntil(double deadline) override;

    // Inspection, for tests and tools.
    std::int64_t NowMs() const { return nowMs_; }
    int PresentCount() const { return presentCount_; }
    bool WindowOpen() const { return windowOpen_; }
    const std::string& WindowTitle() const { return windowTitle_; }
    int ClientWidth() const { return clientWidth_; }
    int ClientHeight() const { return clientHeight_; }
    std::size_t EventsDelivered() const { return next_; }

private:
    void Deliver();

    HeadlessOptions options_;
    std::int64_t nowMs_ = kStartMs;
    std::size_t next_ = 0;          // next script event
    std::int64_t dueMs_ = kStartMs;  // when it is due
    std::deque<BackendEvent> ready_;
    PressCounter presses_;
    bool windowOpen_ = false;
    std::string windowTitle_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int presentCount_ = 0;
};
