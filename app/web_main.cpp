// web_main.cpp - the process entry of the web page (emscripten build only).
//
// Takes the screen size from the page's address (?screen=WxH) or the
// browser window and the language from ?lang=CODE or the browser's
// languages (handing the page its own texts in that language), runs the
// demonstration on the web backend, and keeps the page's test hook window.osk up to date (its JavaScript side is in
// app/web_page.html): every screen refresh counts up window.osk.refreshes,
// sets window.osk.title and keeps the copy of the page that window.osk.page()
// reads through the osk_page_* functions below.  The page also hears which
// buttons the screen shows (it offers them as buttons of its own, which
// press their client points) and what the screen shows, in words.  When the
// demonstration has ended the page says so.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/aid_words.h"
#include "app/aids.h"
#include "app/catalogue.h"
#include "app/controls.h"
#include "app/key_table.h"
#include "app/keys.h"
#include "app/page_mirror.h"
#include "app/screen_report.h"
#include "app/screen_size.h"
#include "app/shell.h"
#include "demo/aid_pictures.h"
#include "demo/driver.h"
#include "platform/web/web_backend.h"
#include "res/resource.h"

namespace {

// The page as the last screen refresh showed it, for window.osk.page(): each
// refresh copies only the rows it changed.
PageMirror g_page;

// The first refresh is the first picture of the demonstration on the canvas
// (what the window showed before it is a blank client area).
EM_JS(void, osk_web_refreshed, (int count, const char* title), {
    if (count == 1 && Module.onFirstPicture) Module.onFirstPicture();
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
    if (Module.oskEnded) Module.oskEnded();
});

EM_JS(void, osk_web_screen_chosen, (int width, int height), {
    if (window.osk) window.osk.screen = {width : width, height : height};
});

// The buttons as lines "label<TAB>x<TAB>y" (client points).
EM_JS(void, osk_web_buttons, (const char* lines), {
    if (Module.oskButtons) Module.oskButtons(UTF8ToString(lines));
});

// mode: 0 start screen, 1 stepping, 2 running, 3 paused.
EM_JS(void, osk_web_report, (const char* wave, int mode, int frame, int slowdown), {
    if (Module.oskReport) Module.oskReport(wave ? UTF8ToString(wave) : null, mode, frame, slowdown);
});

// The page's own texts in the program's language, as lines "name<TAB>text"
// (the names of kText in app/web_page.html); the page shows them at once.
EM_JS(void, osk_web_texts, (const char* lines), {
    if (Module.oskTexts) Module.oskTexts(UTF8ToString(lines));
});

// The language of the document, for screen readers and hyphenation.
EM_JS(void, osk_web_set_document_language, (const char* code), {
    document.documentElement.lang = UTF8ToString(code);
});

// The page's language: the value of ?lang=, else the browser's languages
// in order of preference, separated by colons.
EM_JS(char*, osk_web_lang_parameter, (), {
    const value = new URLSearchParams(window.location.search).get('lang');
    return value === null ? 0 : allocateUTF8(value);
});
EM_JS(char*, osk_web_browser_languages, (), {
    const list = navigator.languages && navigator.languages.length ? navigator.languages
                                                                     : [navigator.language || ''];
    return allocateUTF8(list.join(':'));
});

// The page's texts by their names in kText; {name} marks a value the page
// fills in.
struct PageTextEntry {
    const char* name;
    const char* text;
};
constexpr PageTextEntry kPageTexts[] = {
    {"heading", N_("Plane longitudinal and transversal waves")},
    {"loading", N_("Loading ...")},
    {"ended", N_("The program has ended. Reload the page to start it again.")},
    {"failed", N_("The program stopped with an error: {what}")},
    {"turn", N_("Turn the device on its side: the picture is seven times as wide as it is high.")},
    {"picture", N_("The demonstration: a chain of particles carrying a wave. Keys steer it.")},
    {"buttons", N_("The buttons of the picture")},
    {"close", N_("Close")},
    {"startScreen", N_("Start screen: choose the longitudinal or the transversal wave.")},
    {"stepping", N_("{wave}: stepping, frame {frame}, {speed}.")},
    {"running", N_("{wave}: running, {speed}.")},
    {"paused", N_("{wave}: paused at frame {frame}, {speed}.")},
    {"normalSpeed", N_("normal speed")},
    {"slowSpeed", N_("1/{slowdown} speed")},
    {"aids", N_("Teaching aids")},
    {"aidMarks", N_("Marked particles")},
    {"aidWavelength", N_("Wavelength")},
    {"aidGraph", N_("Graph")},
    {"aidBoth", N_("Both waves")},
    {"aidsBad", N_("The address asks for teaching aids that do not exist ({what}); no aid is on.")},
};

// The value of ?aids= in the page's address, null when there is none.
EM_JS(char*, osk_web_aids_parameter, (), {
    const value = new URLSearchParams(window.location.search).get('aids');
    return value == null ? 0 : allocateUTF8(value);
});

// The aids on (bit 0 marks, 1 wavelength, 2 graph, 3 both) and, when they
// changed, what they show in words (else empty).
EM_JS(void, osk_web_aids, (int on, const char* words), {
    if (Module.oskAids) Module.oskAids(on, UTF8ToString(words));
});

EM_JS(void, osk_web_aids_error, (const char* what), {
    if (Module.oskAidsError) Module.oskAidsError(UTF8ToString(what));
});

// The value of ?screen= in the page's address, empty when there is none.
EM_JS(char*, osk_web_screen_parameter, (), {
    const value = new URLSearchParams(window.location.search).get('screen');
    return value === null ? 0 : allocateUTF8(value);
});

// The aids' toggles and words after a refresh (below).
void PublishAids(bool first);

class PagePublisher : public RefreshObserver {
public:
    void PageRefreshed(const PageFrame& frame) override {
        g_page.Take(frame);
        osk_web_refreshed(++count_, frame.title ? frame.title : "");
        PublishAids(count_ == 1);
    }

private:
    int count_ = 0;
};

// The screen size the layout is given when the address fixes none: the
// browser window in device pixels, but not so wide that the view outgrows the
// frame, which caps its client at 1588 pixels across (the page is the screen
// less 16 pixels, the view the page and 4), and not smaller than a
// 1024 x 768 screen, so that the text stays legible.
constexpr int kWidestFittingScreen = 1588 - 4 + 16;
constexpr int kNarrowestScreen = 1024;
constexpr int kLowestScreen = 768;

// Every frame of a running wave names its buttons again; the page's row of
// buttons is touched only when they change, so that a frame costs the page
// no work on its elements.
void PublishButtons(const ClientButton* buttons, int count) {
    static std::string published;
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += std::string(buttons[i].label) + '\t' + std::to_string(buttons[i].x) + '\t' +
                 std::to_string(buttons[i].y) + '\n';
    }
    if (lines == published) return;
    published = lines;
    osk_web_buttons(lines.c_str());
}

ScreenReport g_lastReport;

void PublishReport(const ScreenReport& report) {
    g_lastReport = report;
    osk_web_report(report.wave, static_cast<int>(report.mode), report.frame, report.slowdown);
}

// ---- the teaching aids ----

int AidBits(const AidState& aids) {
    return (aids.marked.empty() ? 0 : 1) | (aids.wavelength ? 2 : 0) | (aids.graph ? 4 : 0) | (aids.both ? 8 : 0);
}

// The scene the words describe: the wave shown (the longitudinal one on the
// start screen) and its readouts at the current speed.
AidScene CurrentScene() {
    const DemoWave& wave = g_lastReport.wave && std::strcmp(g_lastReport.wave, Tr(kTransversalWave.stripTitle)) == 0
                               ? kTransversalWave
                               : kLongitudinalWave;
    const WaveReadouts readouts = ComputeReadouts(wave.period * AnimationSlowdown());
    AidScene scene;
    scene.longitudinal = &wave == &kLongitudinalWave;
    scene.wavelength = readouts.wavelength;
    scene.periodFrames = readouts.periodFrames;
    scene.secondsPerFrame = wave.period * AnimationSlowdown();
    return scene;
}

// The toggles follow the aids; what the aids show is said when they change
// (not at the start, where no aid is on and nothing changed).
void PublishAids(bool first) {
    static unsigned published = 0;
    const unsigned generation = AidGeneration();
    if (!first && generation == published) return;
    published = generation;
    const AidState& aids = CurrentAids();
    const std::string words = first && !AnyAidOn(aids) ? std::string() : DescribeAids(aids, CurrentScene());
    osk_web_aids(AidBits(aids), words.c_str());
}

// ?aids=LIST as --aids LIST; a list that is not understood turns no aid on
// and says so on the page.
void TakeAidsFromAddress() {
    char* list = osk_web_aids_parameter();
    if (!list) return;
    AidState aids;
    std::string error;
    if (ParseAidList(list, aids, error)) {
        SetAids(aids);
    } else {
        std::fprintf(stderr, "osk: ?aids=%s: %s\n", list, error.c_str());
        osk_web_aids_error(error.c_str());
    }
    std::free(list);
}

WebBackend* g_backend = nullptr;
int g_lastPressX = -1;  // kept from the backend once it is gone
int g_lastPressY = -1;

WebOptions OptionsFromAddress() {
    WebOptions options;
    options.minWidth = kNarrowestScreen;
    options.maxWidth = kWidestFittingScreen;
    options.minHeight = kLowestScreen;
    char* screen = osk_web_screen_parameter();
    if (!screen) return options;
    if (!ParseScreenSize(screen, options.screenWidth, options.screenHeight)) {
        std::fprintf(stderr, "osk: ?screen= wants %s, not '%s'; the browser window's size is used\n",
                     ScreenSizeRule().c_str(), screen);
        options.screenWidth = options.screenHeight = 0;
    }
    std::free(screen);
    return options;
}

}  // namespace

// The test hook's view of the last refreshed page.
extern "C" {
EMSCRIPTEN_KEEPALIVE const unsigned char* osk_page_pixels() { return g_page.Pixels(); }
EMSCRIPTEN_KEEPALIVE int osk_page_width() { return g_page.Width(); }
EMSCRIPTEN_KEEPALIVE int osk_page_height() { return g_page.Height(); }
EMSCRIPTEN_KEEPALIVE const std::uint32_t* osk_page_palette() { return g_page.Palette(); }
// The page's own buttons press client points; automation reads where the
// last press landed.
EMSCRIPTEN_KEEPALIVE void osk_press_client(int x, int y) {
    if (g_backend) g_backend->PressClient(x, y);
}
EMSCRIPTEN_KEEPALIVE int osk_last_press_x() { return g_backend ? g_backend->LastPressX() : g_lastPressX; }
EMSCRIPTEN_KEEPALIVE int osk_last_press_y() { return g_backend ? g_backend->LastPressY() : g_lastPressY; }
// The page's toggles of the aids (0 marks, 1 wavelength, 2 graph, 3 both)
// press the keys M, W, G and C in the view, where a waiting program takes
// them in: the marks go round none, the 12th, every sixth.
EMSCRIPTEN_KEEPALIVE void osk_toggle_aid(int which) {
    static constexpr char kAidKeys[] = {'M', 'W', 'G', 'C'};
    if (g_backend && which >= 0 && which < 4) g_backend->PressKey(static_cast<unsigned>(kAidKeys[which]));
}
}

namespace {

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

// In a translation the page's texts are replaced; as written (C) they stay
// the page's own.  The hint lists the keys of the one key table, in every
// language.
void PublishPageTexts() {
    const std::string& code = CurrentLanguage();
    std::string lines = "hint\t" + KeyHintLine() + '\n';
    if (code.empty()) {
        osk_web_texts(lines.c_str());
        return;
    }
    for (const PageTextEntry& entry : kPageTexts) lines += std::string(entry.name) + '\t' + Tr(entry.text) + '\n';
    osk_web_texts(lines.c_str());
    osk_web_set_document_language(code.substr(0, code.find('_')).c_str());
}

}  // namespace

int main() {
    ChooseLanguage();
    PublishPageTexts();
    TakeAidsFromAddress();
    AfxSetResources(&kOskResources);
    WebBackend backend(OptionsFromAddress());
    g_backend = &backend;
    int width = 0;
    int height = 0;
    backend.ScreenSize(width, height);
    osk_web_screen_chosen(width, height);
    SetKeyButtonsListener(PublishButtons);
    SetScreenReportListener(PublishReport);
    PagePublisher publisher;
    const int result = OskWinMain(&backend, nullptr, WaveDemoMain, &publisher);
    SetKeyButtonsListener(nullptr);
    SetScreenReportListener(nullptr);
    osk_web_buttons("");
    g_lastPressX = backend.LastPressX();
    g_lastPressY = backend.LastPressY();
    g_backend = nullptr;
    osk_web_ended(result);
    return result;
}
