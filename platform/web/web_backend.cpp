// web_backend.cpp - the backend for a web page: canvas, HTML5 input,
// Asyncify waits.
#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/backend_defaults.h"
#include "platform/types.h"

namespace {

constexpr const char* kCanvas = "#screen";

// ---- the page's side (JavaScript) ---------------------------------------------------------

// The canvas holds the client area pixel for pixel (its intrinsic size is
// the client size, so automation can map points); CSS stretches it over the
// window's width, rounded to whole device pixels, and `image-rendering:
// pixelated` keeps the pixels sharp at any density.  A resize or a zoom
// (devicePixelRatio) fits it again.
EM_JS(void, osk_web_setup_canvas, (int width, int height), {
    const canvas = document.getElementById('screen');
    canvas.width = width;
    canvas.height = height;
    canvas.style.imageRendering = 'pixelated';
    canvas.style.touchAction = 'none';  // taps are clicks, not zooms or scrolls
    const screen = {canvas, context : canvas.getContext('2d'), width, height, drawn : false};
    screen.fit = function() {
        const ratio = window.devicePixelRatio || 1;
        const available = document.documentElement.clientWidth || window.innerWidth || width;
        const deviceWidth = Math.max(1, Math.floor(available * ratio));
        canvas.style.width = (deviceWidth / ratio) + 'px';
        canvas.style.height = (Math.round(deviceWidth * height / width) / ratio) + 'px';
    };
    Module.oskScreen = screen;
    window.addEventListener('resize', screen.fit);
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    screen.fit();
});

// Rows top to bottom of the RGBA picture at `rgba` have changed: they go on
// the canvas now (the browser shows them when the program next waits).
EM_JS(void, osk_web_present, (const void* rgba, int width, int height, int top, int bottom), {
    const screen = Module.oskScreen;
    if (!screen) return;
    if (screen.width != width || screen.height != height) {
        screen.width = width;
        screen.height = height;
        screen.canvas.width = width;
        screen.canvas.height = height;
        screen.fit();
    }
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    screen.context.putImageData(new ImageData(bytes, width, height), 0, 0, 0, top, width, bottom - top + 1);
    if (!screen.drawn) {
        screen.drawn = true;
        if (Module.onFirstPicture) Module.onFirstPicture();
    }
});

// The last picture stays on the canvas.
EM_JS(void, osk_web_release_canvas, (), {
    Module.oskScreen = null;  // the canvas keeps the picture, and still follows resizes
});

EM_JS(void, osk_web_viewport, (int* width, int* height), {
    HEAP32[width >> 2] = window.innerWidth;
    HEAP32[height >> 2] = window.innerHeight;
});

EM_JS(void, osk_web_set_title, (const char* title), { document.title = UTF8ToString(title); });

EM_JS(void, osk_web_alert, (const char* caption, const char* text), {
    window.alert(UTF8ToString(caption) + '\n\n' + UTF8ToString(text));
});

// The typed name in memory the caller frees, or null when cancelled.
EM_JS(char*, osk_web_prompt, (const char* prompt, const char* initial), {
    const answer = window.prompt(UTF8ToString(prompt), UTF8ToString(initial));
    return answer === null ? 0 : allocateUTF8(answer);
});

EM_JS(void, osk_web_toggle_fullscreen, (), {
    if (document.fullscreenElement) {
        document.exitFullscreen();
    } else if (document.documentElement.requestFullscreen) {
        document.documentElement.requestFullscreen().catch(function() {});
    }
});

// Puts the program's stack aside until osk_web_wake; the browser runs
// meanwhile.  Listed in ASYNCIFY_IMPORTS.
EM_JS(void, osk_web_wait_for_wake, (), {
    Asyncify.handleSleep(function(wakeUp) { Module.oskWake = wakeUp; });
});

// Called from an input callback, that is from inside the program: the
// sleeping stack is taken up again once that callback has returned.
EM_JS(void, osk_web_wake, (), {
    const wakeUp = Module.oskWake;
    if (!wakeUp) return;
    Module.oskWake = null;
    Promise.resolve().then(wakeUp);
});

// ---- the HTML5 callbacks --------------------------------------------------------------------

unsigned Modifiers(bool ctrl, bool shift, bool alt) {
    return (ctrl ? MOD_CTRL : 0u) | (shift ? MOD_SHIFT : 0u) | (alt ? MOD_ALT : 0u);
}

// The DOM key name as the desktop program's key code: letters as upper case,
// digits and other printable characters as themselves, named keys as KEY_*.
unsigned KeyCode(const char* key) {
    const std::size_t length = std::strlen(key);
    if (length == 1) {
        const char c = key[0];
        if (c >= 'a' && c <= 'z') return static_cast<unsigned>(c - 'a' + 'A');
        if (c == ' ') return KEY_SPACE;
        if (c > ' ' && c < 0x7f) return static_cast<unsigned>(c);
        return 0;
    }
    if (key[0] == 'F' && length <= 3) {
        const int n = std::atoi(key + 1);
        if (n >= 1 && n <= 12) return KEY_F1 + static_cast<unsigned>(n - 1);
    }
    static const struct {
        const char* name;
        unsigned code;
    } kNamed[] = {
        {"Enter", KEY_RETURN},     {"Escape", KEY_ESCAPE}, {"Backspace", KEY_BACKSPACE}, {"Tab", KEY_TAB},
        {"ArrowRight", KEY_RIGHT}, {"ArrowLeft", KEY_LEFT}, {"ArrowUp", KEY_UP},         {"ArrowDown", KEY_DOWN},
        {"Delete", KEY_DELETE},    {"Insert", KEY_INSERT},
    };
    for (const auto& named : kNamed) {
        if (std::strcmp(key, named.name) == 0) return named.code;
    }
    return 0;
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* e, void* user) {
    auto* backend = static_cast<WebBackend*>(user);
    const unsigned code = KeyCode(e->key);
    if (code == 0) return EM_FALSE;
    if (code == KEY_F1 + 10) osk_web_toggle_fullscreen();  // F11: inside the key's handler, as browsers demand
    BackendEvent event;
    event.type = BackendEvent::Key;
    event.key = code;
    event.mods = Modifiers(e->ctrlKey, e->shiftKey, e->altKey);
    backend->Push(event);
    // The browser keeps its own shortcuts (reload, developer tools, Ctrl+...).
    const bool browsers = e->ctrlKey || e->altKey || e->metaKey || code == KEY_F1 + 4 || code == KEY_F1 + 11;
    return browsers ? EM_FALSE : EM_TRUE;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* e, void* user) {
    // DOM buttons 0 left, 1 middle, 2 right; ours 1, 2, 3.
    if (e->button < 0 || e->button > 2) return EM_FALSE;
    static_cast<WebBackend*>(user)->Press(type == EMSCRIPTEN_EVENT_MOUSEDOWN, e->button + 1, e->targetX, e->targetY);
    return EM_TRUE;
}

// A tap is a left press and release where the finger touched; the browser
// then makes no mouse events of its own.
EM_BOOL OnTouch(int type, const EmscriptenTouchEvent* e, void* user) {
    for (int i = 0; i < e->numTouches; ++i) {
        const EmscriptenTouchPoint& t = e->touches[i];
        if (!t.isChanged) continue;
        static_cast<WebBackend*>(user)->Press(type == EMSCRIPTEN_EVENT_TOUCHSTART, 1, t.targetX, t.targetY);
        break;
    }
    return EM_TRUE;
}

}  // namespace

// ---- WebBackend ---------------------------------------------------------------------------

WebBackend::WebBackend(WebOptions options) : options_(options) {}

WebBackend::~WebBackend() { DestroyMainWindow(); }

void WebBackend::ScreenSize(int& width, int& height) {
    if (options_.screenWidth > 0 && options_.screenHeight > 0) {
        width = options_.screenWidth;
        height = options_.screenHeight;
        return;
    }
    osk_web_viewport(&width, &height);
    if (width <= 0 || height <= 0) {
        width = kDefaultScreenWidth;
        height = kDefaultScreenHeight;
    }
}

bool WebBackend::CreateMainWindow(const char* title, int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return false;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    rgba_.clear();
    shown_.clear();
    osk_web_setup_canvas(clientWidth, clientHeight);
    SetWindowTitle(title);
    RegisterCallbacks();
    return true;
}

void WebBackend::SetWindowTitle(const char* title) { osk_web_set_title(title ? title : ""); }

void WebBackend::DestroyMainWindow() {
    if (clientWidth_ == 0) return;
    RemoveCallbacks();
    osk_web_release_canvas();
    queue_.clear();
    clientWidth_ = clientHeight_ = 0;
}

void WebBackend::RegisterCallbacks() {
    if (callbacks_) return;
    emscripten_set_mousedown_callback(kCanvas, this, EM_TRUE, OnMouse);
    emscripten_set_mouseup_callback(kCanvas, this, EM_TRUE, OnMouse);
    emscripten_set_touchstart_callback(kCanvas, this, EM_TRUE, OnTouch);
    emscripten_set_touchend_callback(kCanvas, this, EM_TRUE, OnTouch);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnKeyDown);
    callbacks_ = true;
}

void WebBackend::RemoveCallbacks() {
    if (!callbacks_) return;
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_mouseup_callback(kCanvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_touchstart_callback(kCanvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_touchend_callback(kCanvas, nullptr, EM_TRUE, nullptr);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    callbacks_ = false;
}

// Only the rows that differ from what was presented last are converted and
// drawn: a refresh often presents an unchanged picture again, and a running
// wave changes only a band of it.
void WebBackend::Present(const Surface& surface) {
    if (clientWidth_ == 0 || surface.width <= 0 || surface.height <= 0) return;
    const std::size_t width = static_cast<std::size_t>(surface.width);
    const std::size_t count = width * static_cast<std::size_t>(surface.height);
    const bool resized = shown_.size() != count || shownWidth_ != surface.width;
    if (resized) {
        shown_.assign(count, 0);
        shownWidth_ = surface.width;
        rgba_.assign(count * 4, 0);
    }
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < surface.height; ++y) {
        const std::uint32_t* in = surface.pixels.data() + y * width;
        std::uint32_t* seen = shown_.data() + y * width;
        if (!resized && std::equal(in, in + width, seen)) continue;
        std::memcpy(seen, in, width * sizeof *in);
        std::uint8_t* out = rgba_.data() + y * width * 4;
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];  // 0xAARRGGBB
            out[0] = static_cast<std::uint8_t>(p >> 16);
            out[1] = static_cast<std::uint8_t>(p >> 8);
            out[2] = static_cast<std::uint8_t>(p);
            out[3] = 0xFF;
            out += 4;
        }
        if (top < 0) top = y;
        bottom = y;
    }
    if (top >= 0) osk_web_present(rgba_.data(), surface.width, surface.height, top, bottom);
}

void WebBackend::Push(const BackendEvent& event) {
    queue_.push_back(event);
    osk_web_wake();
}

void WebBackend::Press(bool down, int button, double cssX, double cssY) {
    if (clientWidth_ == 0) return;
    double cssWidth = 0;
    double cssHeight = 0;
    emscripten_get_element_css_size(kCanvas, &cssWidth, &cssHeight);
    if (cssWidth <= 0 || cssHeight <= 0) return;
    // The client pixel under the point: the canvas shows the client area
    // stretched over its whole CSS box.
    int x = static_cast<int>(std::floor(cssX * clientWidth_ / cssWidth));
    int y = static_cast<int>(std::floor(cssY * clientHeight_ / cssHeight));
    x = x < 0 ? 0 : x >= clientWidth_ ? clientWidth_ - 1 : x;
    y = y < 0 ? 0 : y >= clientHeight_ ? clientHeight_ - 1 : y;
    BackendEvent event;
    event.type = down ? BackendEvent::MouseDown : BackendEvent::MouseUp;
    event.button = button;
    event.x = x;
    event.y = y;
    event.clicks = down ? presses_.Press(button, x, y, emscripten_get_now()) : presses_.Last();
    Push(event);
}

bool WebBackend::PollEvent(BackendEvent& event) {
    if (queue_.empty()) return false;
    event = queue_.front();
    queue_.pop_front();
    return true;
}

void WebBackend::WaitEvent(BackendEvent& event) {
    while (queue_.empty()) {
        if (clientWidth_ == 0) {
            // No window, so no input can come: the application hears a close.
            event = BackendEvent{};
            event.type = BackendEvent::Close;
            return;
        }
        osk_web_wait_for_wake();
    }
    event = queue_.front();
    queue_.pop_front();
}

void WebBackend::WaitUntil(double deadline) {
    const double ms = (deadline - WallClock()) * 1000.0;
    if (!(ms > 0)) return;  // due (or no deadline at all): the caller reads the clock again
    emscripten_sleep(ms > 1e9 ? 1000000000u : static_cast<unsigned>(std::ceil(ms)));
}

void WebBackend::MessageBox(const char* caption, const char* text) {
    WriteMessageLine(caption, text);
    osk_web_alert(caption ? caption : "", text ? text : "");
}

bool WebBackend::PromptFileName(const char* prompt, const std::string& initial, std::string& name) {
    char* answer = osk_web_prompt(prompt ? prompt : "", initial.c_str());
    if (!answer) return false;
    name = answer;
    std::free(answer);
    return !name.empty();
}
