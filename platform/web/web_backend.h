// web_backend.h - the backend for a web page (emscripten).
//
// The window's client area is shown on the page's <canvas id="screen">,
// whose intrinsic size is the client size, fitted into its parent element
// (as large as fits, centred, nearest-neighbour pixels in whole device
// pixels) and fitted again after every resize.  Mouse presses and touch
// taps on the canvas arrive as presses at the client pixel shown under them
// (mapped through the same rule the canvas is drawn with), keys of the whole
// page (emscripten's HTML5 callbacks) as Key events; the page's own buttons
// press client points.  A blocking wait for input and the wait on the clock
// give the browser back its thread through Asyncify (the program's stack is
// put aside until an event or the deadline comes), so the page stays alive
// while the program waits.  F11 also switches the page to full screen and
// back.  Message boxes are the page's modal <dialog id="message">, the
// file-name prompt the browser's prompt.  The window title is the
// document's title.
//
// The window stays on the page when it is destroyed: the last picture
// remains.  Only one WebBackend may exist (the page has one canvas).
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/backend_defaults.h"
#include "platform/press_counter.h"

struct WebOptions {
    // The screen size reported; 0 x 0 takes the browser window's inner size
    // in device pixels, limited to the bounds below.
    int screenWidth = 0;
    int screenHeight = 0;
    int minWidth = kMinScreenWidth;
    int maxWidth = kMaxScreenWidth;
    int minHeight = kMinScreenHeight;
    int maxHeight = kMaxScreenHeight;
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
    // Only what differs from the canvas is put on it, once for all parts.
    void PresentRect(const Surface& surface, const SurfaceRect& changed) override;
    void PresentRects(const Surface& surface, const SurfaceRect* changed, int count) override;
    bool PollEvent(BackendEvent& event) override;
    void WaitEvent(BackendEvent& event) override;
    void MessageBox(const char* caption, const char* text) override;
    bool HasOwnFileNamePrompt() const override { return true; }
    bool PromptFileName(const char* prompt, const std::string& initial, std::string& name) override;
    void WaitUntil(double deadline) override;

    // Called from the input callbacks.  A press or release of a mouse button
    // (1 left, 2 middle, 3 right) at a client point; points outside the
    // client area are ignored.
    void Press(bool down, int button, int x, int y);
    void Push(const BackendEvent& event);

    // A left click (press and release) at a client point, as the page's own
    // buttons give it.
    void PressClient(int x, int y);
    // A key pressed in the view, as from the keyboard (the page's own
    // controls that stand for keys).
    void PressKey(unsigned key);
    // The client point of the last press, -1 before the first.
    int LastPressX() const { return lastPressX_; }
    int LastPressY() const { return lastPressY_; }

private:
    void RegisterCallbacks();
    void RemoveCallbacks();
    SurfaceRect ConvertChanged(const Surface& surface, const SurfaceRect& changed);

    WebOptions options_;
    std::deque<BackendEvent> queue_;
    std::vector<std::uint32_t> rgba_;  // what the canvas shows: RGBA bytes, rows top to bottom
    int rgbaWidth_ = 0;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool callbacks_ = false;
    int lastPressX_ = -1;
    int lastPressY_ = -1;
    PressCounter presses_;
};
