// web_backend.h - the backend for a web page (emscripten).
//
// The window's client area is shown on the page's <canvas id="screen">,
// whose intrinsic size is the client size, stretched to the width of the
// browser window with nearest-neighbour pixels (whole device pixels) and
// fitted again after every resize.  Input
// comes through emscripten's HTML5 callbacks: mouse presses and touch taps
// on the canvas arrive as presses at the client point under them, keys of
// the whole page as Key events.  A blocking wait for input and the wait
// on the clock give the browser back its thread through Asyncify (the
// program's stack is put aside until an event or the deadline comes), so
// the page stays alive while the program waits.  F11 also switches the page
// to full screen and back.  Message boxes are the browser's alert, the
// file-name prompt its prompt.  The window title is the document's title.
//
// The window stays on the page when it is destroyed: the last picture
// remains.  Only one WebBackend may exist (the page has one canvas).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/press_counter.h"

struct WebOptions {
    // The screen size reported; 0 x 0 takes the browser window's inner size.
    int screenWidth = 0;
    int screenHeight = 0;
};

class WebBackend : public Backend {
public:
    explicit WebBackend(WebOptions options);
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    void ScreenSize(int& width, int& height) override;
    bool CreateMainWindow(const char* title, int clientWidth, int clientHeight) override;
    void SetWindowTitle(const char* title) override;
    void ShowMainWindow() override {}
    void DestroyMainWindow() override;
    void Present(const Surface& surface) override;
    bool PollEvent(BackendEvent& event) override;
    void WaitEvent(BackendEvent& event) override;
    void MessageBox(const char* caption, const char* text) override;
    bool HasOwnFileNamePrompt() const override { return true; }
    bool PromptFileName(const char* prompt, const std::string& initial, std::string& name) override;
    void WaitUntil(double deadline) override;

    // Called from the HTML5 callbacks (they are static functions that find
    // the backend through their user data).
    void Press(bool down, int button, double cssX, double cssY);
    void Push(const BackendEvent& event);

private:
    void RegisterCallbacks();
    void RemoveCallbacks();

    WebOptions options_;
    std::deque<BackendEvent> queue_;
    std::vector<std::uint32_t> shown_;  // the surface as last presented
    int shownWidth_ = 0;
    std::vector<std::uint8_t> rgba_;    // the same as the canvas takes it: RGBA, rows top to bottom
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool callbacks_ = false;
    PressCounter presses_;
};
