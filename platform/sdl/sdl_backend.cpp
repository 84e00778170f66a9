// sdl_backend.cpp - the SDL2 window backend.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/afx.h"
#include "platform/types.h"

std::unique_ptr<SdlBackend> SdlBackend::Open(const ResIcon* icon, std::string& error, bool& noDisplay) {
    noDisplay = false;
    // A click that activates the window is a click like any other.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Only the window systems that were named: SDL would otherwise fall back
    // to drawing off screen, invisibly, when the display does not answer.
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (!requested || !*requested) {
        const char* x11 = std::getenv("DISPLAY");
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        const bool haveX11 = x11 && *x11;
        const bool haveWayland = wayland && *wayland;
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, haveX11 && haveWayland ? "x11,wayland" : haveX11 ? "x11" : "wayland",
                                SDL_HINT_OVERRIDE);
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        noDisplay = true;
        return nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if ((!requested || !*requested) && driver &&
        (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        SDL_Quit();
        error = "no window system answered";
        noDisplay = true;
        return nullptr;
    }
    std::unique_ptr<SdlBackend> backend(new SdlBackend(icon));
    backend->started_ = true;
    return backend;
}

SdlBackend::~SdlBackend() { Shutdown(); }

void SdlBackend::Shutdown() {
    DestroyMainWindow();
    if (started_) {
        SDL_Quit();
        started_ = false;
    }
}

void SdlBackend::ScreenSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        width = mode.w;
        height = mode.h;
    } else {
        width = 1024;
        height = 768;
    }
}

bool SdlBackend::CreateMainWindow(const char* title, int clientWidth, int clientHeight) {
    DestroyMainWindow();
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth, clientHeight,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window_) return false;
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    if (icon_ && icon_->pixels) {
        SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon_->pixels), icon_->width,
                                                               icon_->height, 32, icon_->width * 4,
                                                               SDL_PIXELFORMAT_ARGB8888);
        if (icon) {
            SDL_SetWindowIcon(window_, icon);
            SDL_FreeSurface(icon);
        }
    }
    SDL_StopTextInput();
    return true;
}

void SdlBackend::SetWindowTitle(const char* title) {
    if (window_) SDL_SetWindowTitle(window_, title ? title : "");
}

void SdlBackend::ShowMainWindow() {
    if (!window_) return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
}

void SdlBackend::DestroyMainWindow() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    texture_ = nullptr;
    renderer_ = nullptr;
    window_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    lastSurface_ = nullptr;
}

void SdlBackend::ShowPixels(const std::uint32_t* pixels, int width, int height) {
    if (!renderer_ || width <= 0 || height <= 0) return;
    if (!texture_ || textureWidth_ != width || textureHeight_ != height) {
        if (texture_) SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
        textureWidth_ = width;
        textureHeight_ = height;
        if (!texture_) return;
    }
    SDL_UpdateTexture(texture_, nullptr, pixels, width * 4);
    SDL_SetRenderDrawColor(renderer_, 255, 255, 255, 255);
    SDL_RenderClear(renderer_);
    const SDL_Rect where{0, 0, width, height};
    SDL_RenderCopy(renderer_, texture_, nullptr, &where);
    SDL_RenderPresent(renderer_);
}

void SdlBackend::Present(const Surface& surface) {
    lastSurface_ = &surface;
    ShowPixels(surface.pixels.data(), surface.width, surface.height);
}

namespace {

unsigned Modifiers(unsigned sdlMods) {
    unsigned mods = 0;
    if (sdlMods & KMOD_CTRL) mods |= MOD_CTRL;
    if (sdlMods & KMOD_SHIFT) mods |= MOD_SHIFT;
    if (sdlMods & KMOD_ALT) mods |= MOD_ALT;
    return mods;
}

unsigned KeyCode(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z) return static_cast<unsigned>('A' + (k - SDLK_a));
    if (k >= SDLK_0 && k <= SDLK_9) return static_cast<unsigned>('0' + (k - SDLK_0));
    if (k >= SDLK_F1 && k <= SDLK_F12) return KEY_F1 + static_cast<unsigned>(k - SDLK_F1);
    switch (k) {
        case SDLK_SPACE: return KEY_SPACE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return KEY_RETURN;
        case SDLK_ESCAPE: return KEY_ESCAPE;
        case SDLK_BACKSPACE: return KEY_BACKSPACE;
        case SDLK_TAB: return KEY_TAB;
        case SDLK_RIGHT: return KEY_RIGHT;
        case SDLK_LEFT: return KEY_LEFT;
        case SDLK_UP: return KEY_UP;
        case SDLK_DOWN: return KEY_DOWN;
        case SDLK_DELETE: return KEY_DELETE;
        case SDLK_INSERT: return KEY_INSERT;
        default: return 0;
    }
}

}  // namespace

bool SdlBackend::Translate(const SDL_Event& sdl, BackendEvent& event) const {
    event = BackendEvent{};
    switch (sdl.type) {
        case SDL_QUIT:
            event.type = BackendEvent::Close;
            return true;
        case SDL_WINDOWEVENT:
            switch (sdl.window.event) {
                case SDL_WINDOWEVENT_CLOSE: event.type = BackendEvent::Close; return true;
                case SDL_WINDOWEVENT_EXPOSED: event.type = BackendEvent::Expose; return true;
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    event.type = BackendEvent::Resize;
                    event.width = sdl.window.data1;
                    event.height = sdl.window.data2;
                    return true;
                default: return false;
            }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (sdl.button.button != SDL_BUTTON_LEFT && sdl.button.button != SDL_BUTTON_MIDDLE &&
                sdl.button.button != SDL_BUTTON_RIGHT) {
                return false;
            }
            event.type = sdl.type == SDL_MOUSEBUTTONDOWN ? BackendEvent::MouseDown : BackendEvent::MouseUp;
            event.button = sdl.button.button == SDL_BUTTON_LEFT ? 1 : sdl.button.button == SDL_BUTTON_RIGHT ? 3 : 2;
            event.clicks = sdl.button.clicks;
            event.x = sdl.button.x;
            event.y = sdl.button.y;
            event.mods = Modifiers(SDL_GetModState());
            return true;
        case SDL_MOUSEMOTION:
            event.type = BackendEvent::MouseMove;
            event.x = sdl.motion.x;
            event.y = sdl.motion.y;
            event.mods = Modifiers(SDL_GetModState());
            return true;
        case SDL_MOUSEWHEEL: {
            const int flip = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            event.type = BackendEvent::Wheel;
            event.wheelX = -sdl.wheel.x * flip;  // SDL: positive is to the right
            event.wheelY = sdl.wheel.y * flip;
            SDL_GetMouseState(&event.x, &event.y);
            event.mods = Modifiers(SDL_GetModState());
            return event.wheelX != 0 || event.wheelY != 0;
        }
        case SDL_KEYDOWN:
            event.type = BackendEvent::Key;
            event.key = KeyCode(sdl.key.keysym.sym);
            event.mods = Modifiers(sdl.key.keysym.mod);
            return event.key != 0;
        default:
            return false;
    }
}

bool SdlBackend::PollEvent(BackendEvent& event) {
    SDL_Event sdl;
    while (SDL_PollEvent(&sdl)) {
        if (Translate(sdl, event)) return true;
    }
    return false;
}

void SdlBackend::WaitEvent(BackendEvent& event) {
    SDL_Event sdl;
    for (int failures = 0;;) {
        if (SDL_WaitEvent(&sdl)) {
            failures = 0;
            if (Translate(sdl, event)) return;
            continue;
        }
        // A failing wait returns at once: pause instead of spinning, and
        // when it keeps failing (about a second) no input can come any
        // more, so the window is closed.
        if (++failures >= kWaitFailuresBeforeClose) {
            std::fprintf(stderr, "osk: waiting for input failed: %s\n", SDL_GetError());
            event = BackendEvent{};
            event.type = BackendEvent::Close;
            return;
        }
        SDL_Delay(10);
    }
}

void SdlBackend::MessageBox(const char* caption, const char* text) {
    WriteMessageLine(caption, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption ? caption : "", text ? text : "", window_);
}

namespace {

// UTF-8 to the font's Latin-1 for display ('?' for what it lacks).
std::string ToLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            out += code < 0x100 ? static_cast<char>(code) : '?';
            i += 2;
        } else {
            out += '?';
            ++i;
            while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
        }
    }
    return out;
}

void PopLastCharacter(std::string& utf8) {
    while (!utf8.empty()) {
        const unsigned char c = static_cast<unsigned char>(utf8.back());
        utf8.pop_back();
        if ((c & 0xC0) != 0x80) break;
    }
}

}  // namespace

bool SdlBackend::PromptFileName(const char* prompt, const std::string& initial, std::string& name) {
    if (!window_) return false;
    std::string text = initial;
    Surface canvas;
    SDL_StartTextInput();
    bool done = false;
    bool accepted = false;
    while (!done) {
        // The box over the title strip, drawn on a copy of what is shown.
        if (lastSurface_) {
            canvas = *lastSurface_;
        } else {
            int w = 0;
            int h = 0;
            SDL_GetWindowSize(window_, &w, &h);
            canvas.Resize(w, h, 0xFFFFFFFFu);
        }
        CDC dc(&canvas, {0, 0}, {0, 0, canvas.width, canvas.height});
        dc.FillSolidRect({0, 0, canvas.width, 20}, 0x000080);
        dc.FillSolidRect({1, 1, canvas.width - 1, 19}, 0xFFFFFF);
        const std::string line = ToLatin1(std::string(prompt ? prompt : "") + ": " + text) + "_";
        dc.TextOut(3, 2, line.c_str(), static_cast<int>(line.size()));
        ShowPixels(canvas.pixels.data(), canvas.width, canvas.height);

        SDL_Event sdl;
        if (!SDL_WaitEvent(&sdl)) break;  // no input can come: cancelled
        switch (sdl.type) {
            case SDL_TEXTINPUT: text += sdl.text.text; break;
            case SDL_KEYDOWN:
                if (sdl.key.keysym.sym == SDLK_RETURN || sdl.key.keysym.sym == SDLK_KP_ENTER) {
                    accepted = !text.empty();
                    done = true;
                } else if (sdl.key.keysym.sym == SDLK_ESCAPE) {
                    done = true;
                } else if (sdl.key.keysym.sym == SDLK_BACKSPACE) {
                    PopLastCharacter(text);
                }
                break;
            case SDL_QUIT:
                SDL_PushEvent(&sdl);  // the close still reaches the application
                done = true;
                break;
            case SDL_WINDOWEVENT:
                if (sdl.window.event == SDL_WINDOWEVENT_CLOSE) {
                    SDL_PushEvent(&sdl);
                    done = true;
                }
                break;
            default: break;
        }
    }
    SDL_StopTextInput();
    if (lastSurface_) ShowPixels(lastSurface_->pixels.data(), lastSurface_->width, lastSurface_->height);
    if (accepted) name = text;
    return accepted;
}
