// web_main.cpp - the process entry of the web page (emscripten build only).
//
// Takes the screen size from the page's address (?screen=WxH) or the
// browser window and the language from ?lang=CODE or the browser's
// languages, hands the page its own texts in that language, runs the demonstration on the web backend, and keeps the
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

#include "app/catalogue.h"
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

EM_JS(void, osk_web_ended, (int result, const char* note), {
    const hook = window.osk;
    if (hook) {
        hook.ended = true;
        hook.exitCode = result;
    }
    const status = document.getElementById('status');
    if (status) status.textContent = UTF8ToString(note);
});

// The page's own texts: window.osk.texts[key] (read by app/web_page.html).
EM_JS(void, osk_web_set_text, (const char* key, const char* text), {
    if (!window.osk) return;
    if (!window.osk.texts) window.osk.texts = {};
    window.osk.texts[UTF8ToString(key)] = UTF8ToString(text);
});

// The language of the document, for screen readers and hyphenation.
EM_JS(void, osk_web_set_document_language, (const char* code), {
    document.documentElement.lang = UTF8ToString(code);
});

// The page's language: the value of ?lang=, else the browser's languages
// in order of preference, separated by colons ("" when it has none).
EM_JS(char*, osk_web_lang_parameter, (), {
    const value = new URLSearchParams(window.location.search).get('lang');
    return value === null ? 0 : allocateUTF8(value);
});
EM_JS(char*, osk_web_browser_languages, (), {
    const list = navigator.languages && navigator.languages.length ? navigator.languages
                                                                     : [navigator.language || ''];
    return allocateUTF8(list.join(':'));
});

struct PageTextEntry {
    const char* key;
    const char* text;
};
constexpr PageTextEntry kPageTexts[] = {
    {"hint", N_("Click the buttons, or keys: L / T choose the wave, N or → Next, space Go / Stop, "
                "R Restart, B Back, Q Quit, − / + slower / faster, F11 full screen, F1 or ? all keys.")},
    {"error", N_("The program stopped with an error: ")},
};
constexpr const char* kEndedNote = N_("The program has ended. Reload the page to start it again.");

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
        // The title strip holds Latin-1; the page's text is UTF-8.
        osk_web_refreshed(++count_, Latin1ToUtf8(frame.title ? frame.title : "").c_str());
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

// ?lang=CODE, else the first of the browser's languages that a catalogue
// serves, else English.  An unknown ?lang= is no failure: English, and a
// note on the console.
void ChooseLanguage() {
    if (char* wanted = osk_web_lang_parameter()) {
        if (!SetLanguage(wanted)) std::fprintf(stderr, "osk: no texts in the language '%s'; English is used\n", wanted);
        std::free(wanted);
        return;
    }
    char* list = osk_web_browser_languages();
    std::string_view rest = list;
    std::string chosen = "en";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string match = MatchLanguage(rest.substr(0, colon));
        if (!match.empty() && match != "?") {
            chosen = match;
            break;
        }
        if (colon == std::string_view::npos) break;
        rest.remove_prefix(colon + 1);
    }
    std::free(list);
    SetLanguage(chosen);
}

void PublishPageTexts() {
    for (const PageTextEntry& entry : kPageTexts) osk_web_set_text(entry.key, Tr(entry.text));
    const std::string& code = CurrentLanguage();
    osk_web_set_document_language(code.empty() ? "en" : code.substr(0, code.find('_')).c_str());
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
    ChooseLanguage();
    PublishPageTexts();
    AfxSetResources(&kOskResources);
    WebBackend backend(OptionsFromAddress());
    PagePublisher publisher;
    const int result = OskWinMain(&backend, nullptr, WaveDemoMain, &publisher);
    osk_web_ended(result, Tr(kEndedNote));
    return result;
}
