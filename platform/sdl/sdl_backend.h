// sdl_backend.h - the backend for a real window through SDL2.
//
// One resizable window, its client area shown from the core's 32-bit
// surface by copying into SDL's window surface (each Present shows at once,
// PresentRect only the rectangle that changed).  Full screen and the scaled
// view (Presentation) are this backend's: it enlarges the client picture
// nearest neighbour and maps presses back to client pixels.  Mouse presses arrive with client
// coordinates (clicks that bring the window to the front count as well),
// closing the window arrives as Close, the message box is SDL's own, the
// screen size is the desktop display's.  SDL has no file dialog: the core
// draws the file-name prompt, from the text typed (TextInput events).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"

struct SDL_Window;
union SDL_Event;

class SdlBackend : public Backend {
public:
    // Whether a window system is named to open: SDL_VIDEODRIVER, or else
    // DISPLAY / WAYLAND_DISPLAY.
    static bool CanOpenDisplay();
    // Starts SDL's video on the window system SDL_VIDEODRIVER names, or else
    // the one DISPLAY / WAYLAND_DISPLAY name; null with a reason ("where:
    // why") when it cannot, noDisplay telling that no display answered.
    static std::unique_ptr<SdlBackend> Open(const IconPixels& icon, std::string& error, bool& noDisplay);
    ~SdlBackend() override;

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
    void SetTextInput(bool on) override;
    void Shutdown() override;

private:
    explicit SdlBackend(const IconPixels& icon) : icon_(icon) {}
    bool Translate(const SDL_Event& sdl, BackendEvent& event);
    // Copies `changed` (client pixels) of the picture into the window and
    // shows it; a rectangle covering the whole client repaints the margins too.
    void ShowPixels(const Surface& surface, const SurfaceRect* changed, int count);
    void MapPointer(int& x, int& y) const;
    bool TakePending(BackendEvent& event);
    void QueueSizeAndExpose();

    static constexpr int kWaitFailuresBeforeClose = 100;

    IconPixels icon_;
    SDL_Window* window_ = nullptr;
    const Surface* lastSurface_ = nullptr;
    Presentation presentation_;
    int pendingCount_ = 0;
    BackendEvent pending_[2];  // Resize and Expose after a change of presentation
    std::vector<std::uint32_t> scratch_;  // the window's picture when its pixels are not 32-bit RGB
    bool started_ = false;
};
