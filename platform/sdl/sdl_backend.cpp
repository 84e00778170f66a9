// sdl_backend.cpp - the SDL2 window backend.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/backend_defaults.h"
#include "platform/process_signals.h"
#include "platform/scaled_view.h"
#include "platform/sdl/sdl_x11.h"
#include "platform/types.h"

namespace {

std::string RequestedDriver() {
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    return requested ? requested : "";
}

bool EnvironmentSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// Posted from the stop signal's thread: SDL's wait goes on through the
// signal itself, an event ends it (SDL_PushEvent may be called from any thread).
void PostStopWakeup() {
    SDL_Event wakeup{};
    wakeup.type = SDL_USEREVENT;
    SDL_PushEvent(&wakeup);
}

// What a failure to open names: the display, or the driver asked for.
std::string DisplayBeingOpened() {
    const std::string requested = RequestedDriver();
    return requested.empty() ? NamedDisplay() : "SDL_VIDEODRIVER=" + requested;
}

}  // namespace

bool SdlBackend::CanOpenDisplay() { return !RequestedDriver().empty() || !NamedDisplay().empty(); }

std::unique_ptr<SdlBackend> SdlBackend::Open(const IconPixels& icon, std::string& error, bool& noDisplay) {
    noDisplay = false;
    // A click that activates the window is a click like any other.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window surface as the window system's own image (shared memory on
    // X11), not a texture of an OpenGL renderer that SDL would otherwise put
    // behind it (software OpenGL costs far more per present).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // SIGINT and SIGTERM are osk's own (process_signals.h): SDL's handlers
    // would turn them into a plain quit, the status saying nothing of them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Only the window systems that were named: SDL would otherwise fall back
    // to drawing off screen, invisibly, when the display does not answer.
    const bool requested = !RequestedDriver().empty();
    if (!requested) {
        const bool haveX11 = EnvironmentSet("DISPLAY");
        const bool haveWayland = EnvironmentSet("WAYLAND_DISPLAY");
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, haveX11 && haveWayland ? "x11,wayland" : haveX11 ? "x11" : "wayland",
                                SDL_HINT_OVERRIDE);
    }
    DropSdlWakeupErrors();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        RestoreX11ErrorHandler();
        error = DisplayBeingOpened() + ": " + SDL_GetError();
        noDisplay = true;
        return nullptr;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!requested && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        SDL_Quit();
        RestoreX11ErrorHandler();
        error = DisplayBeingOpened() + ": no window system answered";
        noDisplay = true;
        return nullptr;
    }
    std::unique_ptr<SdlBackend> backend(new SdlBackend(icon));
    backend->started_ = true;
    WakeOnStopSignal(PostStopWakeup);
    return backend;
}

SdlBackend::~SdlBackend() { Shutdown(); }


void SdlBackend::Shutdown() {
    DestroyMainWindow();
    if (started_) {
        WakeOnStopSignal(nullptr);
        SDL_Quit();
        RestoreX11ErrorHandler();
        started_ = false;
    }
}

void SdlBackend::ScreenSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        width = mode.w;
        height = mode.h;
    } else {
        width = kDefaultScreenWidth;
        height = kDefaultScreenHeight;
    }
}

bool SdlBackend::LargestClient(int& width, int& height) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= kDecorationAcross || usable.h <= kDecorationDown) {
        return false;
    }
    width = usable.w - kDecorationAcross;
    height = usable.h - kDecorationDown;
    return true;
}

bool SdlBackend::CreateMainWindow(const char* title, int clientWidth, int clientHeight) {
    DestroyMainWindow();
    window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth, clientHeight,
                               SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (!window_) return false;
    presentation_ = Presentation{};
    pendingCount_ = 0;
    if (icon_.pixels) {
        SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon_.pixels), icon_.width,
                                                               icon_.height, 32, icon_.width * 4,
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
    if (window_) SDL_DestroyWindow(window_);
    window_ = nullptr;
    lastSurface_ = nullptr;
    pendingCount_ = 0;
}

namespace {

void CopyRows(const Surface& from, const SurfaceRect& r, std::uint32_t* to, int pitch) {
    for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t* in = &from.pixels[static_cast<std::size_t>(y) * from.width + r.left];
        std::copy(in, in + (r.right - r.left), to + static_cast<std::size_t>(y) * pitch + r.left);
    }
}

void FillRect(std::uint32_t* to, int pitch, const SurfaceRect& r, std::uint32_t colour) {
    if (r.Empty()) return;  // also a window smaller than the client
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill(to + static_cast<std::size_t>(y) * pitch + r.left, to + static_cast<std::size_t>(y) * pitch + r.right,
                  colour);
    }
}

}  // namespace

void SdlBackend::ShowPixels(const Surface& surface, const SurfaceRect* changed, int count) {
    if (!window_ || surface.width <= 0 || surface.height <= 0) return;
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (!screen || screen->w <= 0 || screen->h <= 0) return;
    // Drawn straight into the window's pixels when they are 32-bit RGB,
    // else into a 32-bit copy that is converted afterwards.
    const bool direct =
        screen->format->format == SDL_PIXELFORMAT_RGB888 || screen->format->format == SDL_PIXELFORMAT_ARGB8888;
    if (SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
    if (!direct) scratch_.resize(static_cast<std::size_t>(screen->w) * static_cast<std::size_t>(screen->h));
    auto* pixels = direct ? static_cast<std::uint32_t*>(screen->pixels) : scratch_.data();
    const int pitch = direct ? screen->pitch / 4 : screen->w;
    std::vector<SDL_Rect> shownRects;
    shownRects.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const PresentPlan plan =
            PlanPresent(presentation_.scaled, surface.width, surface.height, screen->w, screen->h, changed[i]);
        const SurfaceRect& shown = plan.shown;
        if (shown.Empty()) continue;
        for (const SurfaceRect& bar : plan.bars) FillRect(pixels, pitch, bar, plan.barColour);
        if (plan.scaled) {
            DrawScaled(surface, plan.view, plan.drawn, pixels, pitch);
        } else {
            CopyRows(surface, plan.drawn, pixels, pitch);
        }
        if (!direct) {
            const std::size_t from = static_cast<std::size_t>(shown.top) * screen->w + shown.left;
            auto* to = static_cast<std::uint8_t*>(screen->pixels) +
                       static_cast<std::size_t>(shown.top) * screen->pitch +
                       static_cast<std::size_t>(shown.left) * screen->format->BytesPerPixel;
            SDL_ConvertPixels(shown.right - shown.left, shown.bottom - shown.top, SDL_PIXELFORMAT_ARGB8888,
                              scratch_.data() + from, screen->w * 4, screen->format->format, to, screen->pitch);
        }
        shownRects.push_back({shown.left, shown.top, shown.right - shown.left, shown.bottom - shown.top});
    }
    if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
    // One update for all the parts: the window system flushes once.
    if (!shownRects.empty()) {
        SDL_UpdateWindowSurfaceRects(window_, shownRects.data(), static_cast<int>(shownRects.size()));
    }
}

void SdlBackend::Present(const Surface& surface) {
    lastSurface_ = &surface;
    const SurfaceRect all{0, 0, surface.width, surface.height};
    ShowPixels(surface, &all, 1);
}

void SdlBackend::PresentRect(const Surface& surface, const SurfaceRect& changed) {
    lastSurface_ = &surface;
    ShowPixels(surface, &changed, 1);
}

void SdlBackend::PresentRects(const Surface& surface, const SurfaceRect* changed, int count) {
    lastSurface_ = &surface;
    ShowPixels(surface, changed, count);
}

void SdlBackend::SetPresentation(const Presentation& presentation) {
    if (!window_) return;
    const bool wasFull = presentation_.fullScreen;
    presentation_ = presentation;
    if (presentation.fullScreen != wasFull) {
        SDL_SetWindowFullscreen(window_, presentation.fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }
    QueueSizeAndExpose();
}

void SdlBackend::ResizeClient(int clientWidth, int clientHeight) {
    if (!window_ || presentation_.fullScreen || presentation_.scaled) return;
    SDL_SetWindowSize(window_, clientWidth, clientHeight);
    QueueSizeAndExpose();
}

void SdlBackend::QueueSizeAndExpose() {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window_, &width, &height);
    const std::array<BackendEvent, 2> events = SizeAndExposeEvents(presentation_, width, height);
    pending_[0] = events[0];
    pending_[1] = events[1];
    pendingCount_ = 2;
}

bool SdlBackend::TakePending(BackendEvent& event) {
    if (pendingCount_ == 0) return false;
    event = pending_[0];
    pending_[0] = pending_[1];
    --pendingCount_;
    return true;
}

void SdlBackend::MapPointer(int& x, int& y) const {
    if (!presentation_.scaled || !window_) return;
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    const ScaledView view = ScaledView::Fit(presentation_.clientWidth, presentation_.clientHeight, w, h);
    x = view.ClientX(x);
    y = view.ClientY(y);
}

namespace {

unsigned Modifiers(unsigned sdlMods) {
    unsigned mods = 0;
    if (sdlMods & KMOD_CTRL) mods |= MOD_CTRL;
    if (sdlMods & KMOD_SHIFT) mods |= MOD_SHIFT;
    if (sdlMods & KMOD_ALT) mods |= MOD_ALT;
    return mods;
}

unsigned KeyCode(SDL_Keycode k, unsigned sdlMods) {
    const bool shift = (sdlMods & KMOD_SHIFT) != 0;
    if (k == SDLK_SLASH && shift) return '?';
    if (k == SDLK_EQUALS && shift) return '+';
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
        case SDLK_PAGEUP: return KEY_PAGEUP;
        case SDLK_PAGEDOWN: return KEY_PAGEDOWN;
        case SDLK_MINUS:
        case SDLK_KP_MINUS: return '-';
        case SDLK_PLUS:
        case SDLK_KP_PLUS: return '+';
        case SDLK_QUESTION: return '?';
        default: return 0;
    }
}

}  // namespace

bool SdlBackend::Translate(const SDL_Event& sdl, BackendEvent& event) {
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
                    if (presentation_.scaled) {
                        // The client keeps its size; the picture is fitted
                        // anew at once and painted again by the core.
                        if (lastSurface_) Present(*lastSurface_);
                        event.type = BackendEvent::Expose;
                        return true;
                    }
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
            MapPointer(event.x, event.y);
            event.mods = Modifiers(SDL_GetModState());
            return true;
        case SDL_MOUSEMOTION:
            event.type = BackendEvent::MouseMove;
            event.x = sdl.motion.x;
            event.y = sdl.motion.y;
            MapPointer(event.x, event.y);
            event.mods = Modifiers(SDL_GetModState());
            return true;
        case SDL_MOUSEWHEEL: {
            const int flip = sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            event.type = BackendEvent::Wheel;
            event.wheelX = -sdl.wheel.x * flip;  // SDL: positive is to the right
            event.wheelY = sdl.wheel.y * flip;
            SDL_GetMouseState(&event.x, &event.y);
            MapPointer(event.x, event.y);
            event.mods = Modifiers(SDL_GetModState());
            return event.wheelX != 0 || event.wheelY != 0;
        }
        case SDL_KEYDOWN:
            event.type = BackendEvent::Key;
            event.key = KeyCode(sdl.key.keysym.sym, sdl.key.keysym.mod);
            event.mods = Modifiers(sdl.key.keysym.mod);
            return event.key != 0;
        case SDL_TEXTINPUT:
            event.type = BackendEvent::TextInput;
            event.text = sdl.text.text;
            return !event.text.empty();
        default:
            return false;
    }
}

bool SdlBackend::PollEvent(BackendEvent& event) {
    if (TakePending(event)) return true;
    SDL_Event sdl;
    while (SDL_PollEvent(&sdl)) {
        if (Translate(sdl, event)) return true;
    }
    return false;
}

void SdlBackend::WaitEvent(BackendEvent& event) {
    if (TakePending(event)) return;
    SDL_Event sdl;
    for (int failures = 0;;) {
        // A stop signal ends the wait (PostStopWakeup wakes SDL's); the pump
        // delivers its close.
        if (StopRequestPending()) {
            event = BackendEvent{};
            return;
        }
        if (SDL_WaitEvent(&sdl)) {
            failures = 0;
            if (Translate(sdl, event)) return;
            continue;
        }
        if (StopRequestPending()) continue;
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

void SdlBackend::SetTextInput(bool on) {
    if (on) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}
