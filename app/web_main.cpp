// web_main.cpp - the process entry of the web page (emscripten build only).
//
// Takes the screen size from the page's address (?screen=WxH) or the
// browser window, runs the demonstration on the web backend, and keeps the
// page's test hook window.osk up to date (its JavaScript side is in
// app/web_page.html): every screen refresh counts up window.osk.refreshes,
// sets window.osk.title and leaves a copy of the page that window.osk.page()
// reads through the osk_page_* functions below.  When the demonstration
// has ended the page says so.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/screen_size.h"
#include "app/shell.h"
#include "demo/driver.h"
#include "platform/web/web_backend.h"
#include "res/resource.h"

namespace {

// The page as the last screen refresh showed it.  The page image itself may
// be gone when the hook asks (after the end), so it is copied.
struct RefreshedPage {
    std::vector<unsigned char> pixels;  // bottom row first
    int width = 0;
    int height = 0;
    std::uint32_t palette[256] = {};    // 0x00RRGGBB: in memory blue, green, red, 0
} g_page;

EM_JS(void, osk_web_refreshed, (int count, const char* title), {
    const hook = window.osk;
    if (!hook) return;
    hook.refreshes = count;
    hook.title = UTF8ToString(title);
    hook.refreshTimes.push(performance.now());
    if (hook.refreshTimes.length > 1000) hook.refreshTimes.splice(0, 500);
});

EM_JS(void, osk_web_ended, (int result), {
    const hook = window.osk;
    if (hook) {
        hook.ended = true;
        hook.exitCode = result;
    }
    const status = document.getElementById('status');
    if (status) status.textContent = 'The program has ended. Reload the page to start it again.';
});

// The value of ?screen= in the page's address, empty when there is none.
EM_JS(char*, osk_web_screen_parameter, (), {
    const value = new URLSearchParams(window.location.search).get('screen');
    return value === null ? 0 : allocateUTF8(value);
});

class PagePublisher : public RefreshObserver {
public:
    void PageRefreshed(const PageFrame& frame) override {
        const std::size_t bytes = static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height);
        if (frame.pixels) {
            g_page.pixels.assign(frame.pixels, frame.pixels + bytes);
        } else {
            g_page.pixels.assign(bytes, frame.background);
        }
        g_page.width = frame.width;
        g_page.height = frame.height;
        if (frame.palette) std::memcpy(g_page.palette, frame.palette, sizeof g_page.palette);
        osk_web_refreshed(++count_, frame.title ? frame.title : "");
    }

private:
    int count_ = 0;
};

WebOptions OptionsFromAddress() {
    WebOptions options;
    char* screen = osk_web_screen_parameter();
    if (!screen) return options;
    if (!ParseScreenSize(screen, options.screenWidth, options.screenHeight)) {
        std::fprintf(stderr, "osk: ?screen= wants %s, not '%s'; the browser window's size is used\n",
                     ScreenSizeRule().c_str(), screen);
        options = WebOptions{};
    }
    std::free(screen);
    return options;
}

}  // namespace

// The test hook's view of the last refreshed page.
extern "C" {
EMSCRIPTEN_KEEPALIVE const unsigned char* osk_page_pixels() { return g_page.pixels.data(); }
EMSCRIPTEN_KEEPALIVE int osk_page_width() { return g_page.width; }
EMSCRIPTEN_KEEPALIVE int osk_page_height() { return g_page.height; }
EMSCRIPTEN_KEEPALIVE const std::uint32_t* osk_page_palette() { return g_page.palette; }
}

int main() {
    AfxSetResources(&kOskResources);
    WebBackend backend(OptionsFromAddress());
    PagePublisher publisher;
    const int result = OskWinMain(&backend, nullptr, WaveDemoMain, &publisher);
    osk_web_ended(result);
    return result;
}
