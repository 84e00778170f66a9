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
// the client size, so automation can map points).  It is fitted into its
// parent element (the page's stage) as large as fits in both directions and
// centred, measured in whole device pixels, and `image-rendering: pixelated`
// keeps the pixels sharp: device pixel d across shows client column
// floor((d + 0.5) * client width / device width), as the browser samples
// the centres.  Presses map back through the same rule
// (osk_web_listen_pointer).  A resize or a zoom (devicePixelRatio) fits it
// again.  The canvas takes the focus, so keys work at once.
EM_JS(void, osk_web_setup_canvas, (int width, int height), {
    const canvas = document.getElementById('screen');
    canvas.width = width;
    canvas.height = height;
    canvas.style.imageRendering = 'pixelated';
    canvas.style.touchAction = 'none';  // taps are clicks, not zooms or scrolls
    const screen = {
        canvas,
        context : canvas.getContext('2d'),
        width,
        height,
        deviceWidth : width,
        deviceHeight : height,
        ratio : 1
    };
    // At most n device pixels, a length that browsers lay out exactly (in
    // 1/64 and 1/60 CSS pixel units), so that its edges fall on the device
    // pixels meant; and a multiple of `multiple`.  A canvas side of `size`
    // pixels shown on a multiple of size's largest power-of-two factor never
    // puts a device pixel's centre exactly on a border between two client
    // pixels, where browsers may round either way.
    const exact = function(n, ratio, multiple) {
        for (let m = n; m > 0 && m > n - 256; --m) {
            const a = m * 64 / ratio;
            const b = m * 60 / ratio;
            if (m % multiple == 0 && Math.abs(a - Math.round(a)) < 1e-6 && Math.abs(b - Math.round(b)) < 1e-6) return m;
        }
        return n;
    };
    const twos = function(size) { return size & -size; };
    screen.fit = function() {
        const ratio = window.devicePixelRatio || 1;
        const stage = canvas.parentElement;
        const margin = 4;  // CSS pixels around the canvas: room for the focus outline
        const stageWidth = Math.floor(stage.clientWidth * ratio);
        const stageHeight = Math.floor(stage.clientHeight * ratio);
        const roomWidth = Math.max(1, stageWidth - Math.ceil(2 * margin * ratio));
        const roomHeight = Math.max(1, stageHeight - Math.ceil(2 * margin * ratio));
        let deviceWidth = roomWidth;
        let deviceHeight = Math.max(1, Math.round(deviceWidth * screen.height / screen.width));
        if (deviceHeight > roomHeight) {
            deviceHeight = roomHeight;
            deviceWidth = Math.max(1, Math.round(deviceHeight * screen.width / screen.height));
        }
        deviceWidth = exact(deviceWidth, ratio, twos(screen.width));
        deviceHeight = exact(deviceHeight, ratio, twos(screen.height));
        screen.ratio = ratio;
        screen.deviceWidth = deviceWidth;
        screen.deviceHeight = deviceHeight;
        canvas.style.position = 'absolute';
        canvas.style.left = (exact(Math.floor((stageWidth - deviceWidth) / 2), ratio, 1) / ratio) + 'px';
        canvas.style.top = (exact(Math.floor((stageHeight - deviceHeight) / 2), ratio, 1) / ratio) + 'px';
        canvas.style.width = (deviceWidth / ratio) + 'px';
        canvas.style.height = (deviceHeight / ratio) + 'px';
        // The focus outline's element (the page's #ring) covers the canvas.
        const ring = document.getElementById('ring');
        if (ring) {
            ring.style.left = canvas.style.left;
            ring.style.top = canvas.style.top;
            ring.style.width = canvas.style.width;
            ring.style.height = canvas.style.height;
        }
    };
    Module.oskScreen = screen;
    window.addEventListener('resize', screen.fit);
    canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
    screen.fit();
    canvas.focus({preventScroll : true});
});

// Presses on the canvas (mouse buttons, touch taps, pens: pointer events)
// go to osk_web_pointer at the client pixel shown under them.  Pointer
// events carry fractions of a CSS pixel, which pick the device pixel at high
// densities (mouse events round them away).  The point is mapped through the
// rule the canvas is drawn with: device pixel d shows client pixel
// floor((d + 0.5) * size / device) (the fitting keeps centres off the
// borders between client pixels).
EM_JS(void, osk_web_listen_pointer, (), {
    const screen = Module.oskScreen;
    const canvas = screen.canvas;
    const pick = function(css, device, size) {
        const d = Math.floor(css * screen.ratio + 1e-6);
        const client = Math.floor((2 * d + 1) * size / (2 * device));
        return Math.min(size - 1, Math.max(0, client));
    };
    screen.onPointer = function(e) {
        if (e.button < 0 || e.button > 2) return;  // DOM 0 left, 1 middle, 2 right; ours 1, 2, 3
        e.preventDefault();  // also keeps a touch from making mouse events of its own
        const down = e.type == 'pointerdown';
        if (down) canvas.focus({preventScroll : true});
        const box = canvas.getBoundingClientRect();
        const x = pick(e.clientX - box.left, screen.deviceWidth, screen.width);
        const y = pick(e.clientY - box.top, screen.deviceHeight, screen.height);
        Module._osk_web_pointer(down ? 1 : 0, e.button + 1, x, y);
    };
    canvas.addEventListener('pointerdown', screen.onPointer);
    canvas.addEventListener('pointerup', screen.onPointer);
});

EM_JS(void, osk_web_unlisten_pointer, (), {
    const screen = Module.oskScreen;
    if (!screen || !screen.onPointer) return;
    screen.canvas.removeEventListener('pointerdown', screen.onPointer);
    screen.canvas.removeEventListener('pointerup', screen.onPointer);
});

// The rectangle left..right x top..bottom (exclusive) of the RGBA picture
// at `rgba` has changed: it alone goes on the canvas now (the browser shows
// it when the program next waits).
EM_JS(void, osk_web_present, (const void* rgba, int width, int height, int left, int top, int right, int bottom), {
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
    screen.context.putImageData(new ImageData(bytes, width, height), 0, 0, left, top, right - left, bottom - top);
});

// The last picture stays on the canvas.
EM_JS(void, osk_web_release_canvas, (), {
    Module.oskScreen = null;  // the canvas keeps the picture, and still follows resizes
});

// The browser window's inner size in device pixels.
EM_JS(void, osk_web_viewport, (int* width, int* height), {
    const ratio = window.devicePixelRatio || 1;
    HEAP32[width >> 2] = Math.round(window.innerWidth * ratio);
    HEAP32[height >> 2] = Math.round(window.innerHeight * ratio);
});

EM_JS(void, osk_web_set_title, (const char* title), { document.title = UTF8ToString(title); });

// A message in the page's <dialog id="message"> (its heading #message-caption,
// its text #message-text), shown modal; the program's stack waits until it
// is closed (Escape or its button).  Without such a dialog the browser's
// alert.  Listed in ASYNCIFY_IMPORTS.
EM_JS(void, osk_web_message, (const char* caption, const char* text), {
    const captionText = UTF8ToString(caption);
    const bodyText = UTF8ToString(text);
    const dialog = document.getElementById('message');
    if (!dialog || !dialog.showModal) {
        window.alert(captionText + '\n\n' + bodyText);
        return;
    }
    Asyncify.handleSleep(function(wakeUp) {
        document.getElementById('message-caption').textContent = captionText;
        document.getElementById('message-text').textContent = bodyText;
        dialog.addEventListener('close', function() {
            if (Module.oskScreen) Module.oskScreen.canvas.focus({preventScroll : true});
            setTimeout(wakeUp, 0);
        }, {once : true});
        dialog.showModal();
    });
});

EM_JS(int, osk_web_message_open, (), {
    const dialog = document.getElementById('message');
    return dialog && dialog.open ? 1 : 0;
});

// A page button has the focus: Enter and space press it.
EM_JS(int, osk_web_button_focused, (), {
    const focused = document.activeElement;
    return focused && focused.tagName == 'BUTTON' ? 1 : 0;
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
        {"Enter", KEY_RETURN},     {"Escape", KEY_ESCAPE},  {"Backspace", KEY_BACKSPACE}, {"Tab", KEY_TAB},
        {"ArrowRight", KEY_RIGHT}, {"ArrowLeft", KEY_LEFT}, {"ArrowUp", KEY_UP},          {"ArrowDown", KEY_DOWN},
        {"Delete", KEY_DELETE},    {"Insert", KEY_INSERT},  {"PageUp", KEY_PAGEUP},       {"PageDown", KEY_PAGEDOWN},
    };
    for (const auto& named : kNamed) {
        if (std::strcmp(key, named.name) == 0) return named.code;
    }
    return 0;
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* e, void* user) {
    auto* backend = static_cast<WebBackend*>(user);
    const unsigned code = KeyCode(e->key);
    if (code == 0 || osk_web_message_open()) return EM_FALSE;  // the dialog takes its keys itself
    if ((code == KEY_RETURN || code == KEY_SPACE) && osk_web_button_focused()) return EM_FALSE;
    if (code == KEY_F11) osk_web_toggle_fullscreen();  // inside the key's handler, as browsers demand
    BackendEvent event;
    event.type = BackendEvent::Key;
    event.key = code;
    event.mods = Modifiers(e->ctrlKey, e->shiftKey, e->altKey);
    backend->Push(event);
    // The browser keeps its own shortcuts (reload, developer tools, Ctrl+...).
    // Tab moves the focus between the page's controls.
    const bool browsers =
        e->ctrlKey || e->altKey || e->metaKey || code == KEY_TAB || code == KEY_F5 || code == KEY_F12;
    return browsers ? EM_FALSE : EM_TRUE;
}

WebBackend* g_pointerTarget = nullptr;  // the one backend whose canvas listens

// Surface pixels 0xAARRGGBB as the canvas takes them (the bytes red, green,
// blue, 255 in memory); true when any of them differs from what `out` held.
bool ConvertRow(const std::uint32_t* in, std::uint32_t* out, int count) {
    std::uint32_t differs = 0;
    for (int x = 0; x < count; ++x) {
        const std::uint32_t p = in[x];
        const std::uint32_t rgba = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
        differs |= rgba ^ out[x];
        out[x] = rgba;
    }
    return differs != 0;
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
    width = std::clamp(width, options_.minWidth, std::max(options_.minWidth, options_.maxWidth));
    height = std::clamp(height, options_.minHeight, std::max(options_.minHeight, options_.maxHeight));
}

bool WebBackend::CreateMainWindow(const char* title, int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return false;
    clientWidth_ = clientWidth;
    clientHeight_ = clientHeight;
    rgba_.clear();
    rgbaWidth_ = 0;
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
    g_pointerTarget = this;
    osk_web_listen_pointer();
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, OnKeyDown);
    callbacks_ = true;
}

void WebBackend::RemoveCallbacks() {
    if (!callbacks_) return;
    osk_web_unlisten_pointer();
    g_pointerTarget = nullptr;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, nullptr);
    callbacks_ = false;
}

void WebBackend::Present(const Surface& surface) { PresentRect(surface, {0, 0, surface.width, surface.height}); }

void WebBackend::PresentRect(const Surface& surface, const SurfaceRect& changed) { PresentRects(surface, &changed, 1); }

// Only the pixels of the changed parts that differ from what the canvas
// shows go on it, in one rectangle around them: a window repaints its whole
// client area when little or nothing of it changed (three times over before
// the first page), and a running wave changes a band of small parts.
void WebBackend::PresentRects(const Surface& surface, const SurfaceRect* changed, int count) {
    if (clientWidth_ == 0 || surface.width <= 0 || surface.height <= 0) return;
    const std::size_t pixels = static_cast<std::size_t>(surface.width) * static_cast<std::size_t>(surface.height);
    const SurfaceRect whole{0, 0, surface.width, surface.height};
    if (rgba_.size() != pixels || rgbaWidth_ != surface.width) {
        // A new size: the canvas starts afresh, and no pixel of it is opaque yet.
        rgba_.assign(pixels, 0);
        rgbaWidth_ = surface.width;
        changed = &whole;
        count = 1;
    }
    SurfaceRect put{surface.width, surface.height, 0, 0};
    for (int i = 0; i < count; ++i) {
        const SurfaceRect differs = ConvertChanged(surface, changed[i]);
        if (differs.Empty()) continue;
        put = {std::min(put.left, differs.left), std::min(put.top, differs.top), std::max(put.right, differs.right),
               std::max(put.bottom, differs.bottom)};
    }
    if (put.Empty()) return;
    osk_web_present(rgba_.data(), surface.width, surface.height, put.left, put.top, put.right, put.bottom);
}

// Converts the part `changed` of the surface into rgba_ and answers the rows
// of it (across its width) where rgba_ was different; empty when none was.
SurfaceRect WebBackend::ConvertChanged(const Surface& surface, const SurfaceRect& changed) {
    const SurfaceRect r{std::max(changed.left, 0), std::max(changed.top, 0), std::min(changed.right, surface.width),
                        std::min(changed.bottom, surface.height)};
    if (r.Empty()) return {};
    const std::size_t width = static_cast<std::size_t>(surface.width);
    int top = r.bottom;
    int bottom = r.top;
    for (int y = r.top; y < r.bottom; ++y) {
        const std::size_t at = static_cast<std::size_t>(y) * width + static_cast<std::size_t>(r.left);
        if (ConvertRow(surface.pixels.data() + at, rgba_.data() + at, r.right - r.left)) {
            top = std::min(top, y);
            bottom = y + 1;
        }
    }
    return top < bottom ? SurfaceRect{r.left, top, r.right, bottom} : SurfaceRect{};
}

void WebBackend::Push(const BackendEvent& event) {
    queue_.push_back(event);
    osk_web_wake();
}

extern "C" EMSCRIPTEN_KEEPALIVE void osk_web_pointer(int down, int button, int x, int y) {
    if (g_pointerTarget) g_pointerTarget->Press(down != 0, button, x, y);
}

void WebBackend::PressClient(int x, int y) {
    Press(true, 1, x, y);
    Press(false, 1, x, y);
}

void WebBackend::PressKey(unsigned key) {
    BackendEvent event;
    event.type = BackendEvent::Key;
    event.key = key;
    Push(event);
}

void WebBackend::Press(bool down, int button, int x, int y) {
    if (clientWidth_ == 0 || x < 0 || y < 0 || x >= clientWidth_ || y >= clientHeight_) return;
    lastPressX_ = x;
    lastPressY_ = y;
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
    osk_web_message(caption ? caption : "", text ? text : "");
}

bool WebBackend::PromptFileName(const char* prompt, const std::string& initial, std::string& name) {
    char* answer = osk_web_prompt(prompt ? prompt : "", initial.c_str());
    if (!answer) return false;
    name = answer;
    std::free(answer);
    return !name.empty();
}
