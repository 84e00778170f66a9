// sdl_backend.h - the backend for a real window through SDL2.
//
// One resizable window, its client area shown from the core's 32-bit
// surface through a streaming ARGB texture on a software renderer (each
// Present shows the surface at once).  Mouse presses arrive with client
// coordinates (clicks that bring the window to the front count as well),
// closing the window arrives as Close, the message box is SDL's own, the
// screen size is the desktop display's.  The file-name prompt is a line of
// text typed into a box over the title strip (Enter takes it, Escape drops it).
#pragma once

#include <memory>
#include <string>

#include "platform/backend.h"
#include "platform/resources.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

class SdlBackend : public Backend {
public:
    // Starts SDL's video on the window system that DISPLAY / WAYLAND_DISPLAY
    // name (or SDL_VIDEODRIVER, when set); null with a reason when it cannot,
    // noDisplay telling that no display answered.
    static std::unique_ptr<SdlBackend> Open(const ResIcon* icon, std::string& error, bool& noDisplay);
    ~SdlBackend() override;

    void ScreenSize(int& width, int& height) override;
    bool CreateMainWindow(const char* title, int clientWidth, int clientHeight) override;
    void SetWindowTitle(const char* title) override;
    void ShowMainWindow() override;
    void DestroyMainWindow() override;
    void Present(const Surface& surface) override;
    bool PollEvent(BackendEvent& event) override;
    void WaitEvent(BackendEvent& event) override;
    void MessageBox(const char* caption, const char* text) override;
    bool PromptFileName(const char* prompt, const std::string& initial, std::string& name) override;
    void Shutdown() override;

private:
    explicit SdlBackend(const ResIcon* icon) : icon_(icon) {}
    bool Translate(const SDL_Event& sdl, BackendEvent& event) const;
    void ShowPixels(const std::uint32_t* pixels, int width, int height);

    static constexpr int kWaitFailuresBeforeClose = 100;

    const ResIcon* icon_ = nullptr;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    const Surface* lastSurface_ = nullptr;
    bool started_ = false;
};
