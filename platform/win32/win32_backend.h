// win32_backend.h - the backend for a real window on the Win32 API.
//
// One resizable window whose client area shows the core's 32-bit surface
// through GDI (only the changed rectangle on PresentRect; the scaled view
// stretched nearest neighbour onto black margins).  Presses arrive with
// client coordinates, the system's double-click message as the second press
// of a double click; closing the window arrives as Close.  Full screen is a
// borderless window over the whole monitor.  The message box and the
// file-name prompt are the system's own.  Waits block in the system's wait
// for messages.  The process is per-monitor DPI aware, so that a client
// pixel is a screen pixel at any scaling.  Text is UTF-8 inside and UTF-16
// at the system's interface.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

struct HWND__;
struct HICON__;

class Win32Backend : public Backend {
public:
    // Registers the window class; null with a reason when it cannot.
    static std::unique_ptr<Win32Backend> Open(const IconPixels& icon, std::string& error);
    ~Win32Backend() override;

    void ScreenSize(int& width, int& height) override;
    bool LargestClient(int& width, int& height) override;
    bool CreateMainWindow(const char* title, int clientWidth, int clientHeight) override;
    void SetWindowTitle(const char* title) override;
    void ShowMainWindow() override;
    void DestroyMainWindow() override;
    void Present(const Surface& surface) override;
    void PresentRect(const Surface& surface, const SurfaceRect& changed) override;
    void PresentRects(const Surface& surface, const SurfaceRect* changed, int count) override;
    void SetPresentation(const Presentation& presentation) override;
    void ResizeClient(int clientWidth, int clientHeight) override;
    bool PollEvent(BackendEvent& event) override;
    void WaitEvent(BackendEvent& event) override;
    void MessageBox(const char* caption, const char* text) override;
    bool HasOwnFileNamePrompt() const override { return true; }
    bool PromptFileName(const char* prompt, const std::string& initial, std::string& name) override;
    void WaitUntil(double deadline) override;
    void Shutdown() override;

    // The window procedure's work (win32_backend.cpp); false: not handled.
    bool HandleMessage(unsigned message, unsigned long long wParam, long long lParam, long long& result);

private:
    explicit Win32Backend(const IconPixels& icon) : icon_(icon) {}
    void ShowPixels(const Surface& surface, const SurfaceRect* changed, int count);
    void PushMouse(BackendEvent::Type type, int button, int clicks, long long lParam);
    void PushKey(unsigned key);
    void Push(const BackendEvent& event) { events_.push_back(event); }
    void ClientSize(int& width, int& height) const;
    void EnterFullScreen();
    void LeaveFullScreen();
    void QueueSizeAndExpose();
    void KeepOnWorkArea();

    IconPixels icon_;
    HWND__* window_ = nullptr;
    HICON__* windowIcon_ = nullptr;
    const Surface* lastSurface_ = nullptr;
    std::vector<std::uint32_t> scaled_;  // the scaled picture, window-sized (scaled view only)
    Presentation presentation_;
    std::deque<BackendEvent> events_;
    // The framed window's style and place, to return to from full screen.
    long long framedStyle_ = 0;
    std::vector<unsigned char> framedPlacement_;
    int wheelRest_ = 0;   // wheel travel short of a notch, carried to the next message
    int hwheelRest_ = 0;
    bool started_ = false;
};

// The process's start on Windows: per-monitor DPI awareness and the console
// of the program that started a windowed executable (for --help, --version
// and the headless run's output).  The command line and the C library's
// file names are UTF-8 through the program's manifest (its active code page).
void Win32StartProcess();
