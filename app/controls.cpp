// controls.cpp - presentation, speed and help keys of the shell.
#include "app/controls.h"

#include <cstdio>

#include "app/catalogue.h"
#include "app/screen_report.h"
#include "app/shell.h"
#include "platform/types.h"

namespace {

constexpr int kSlowest = 8;

struct Controls {
    bool fullScreen = false;
    bool fit = false;
    int slowdown = 1;
};
Controls g_controls;

// Buttons and keys, as the help box and --help list them.
struct HelpLine {
    const char* keys;
    const char* meaning;
};
constexpr HelpLine kButtonKeys[] = {
    {"L / T", N_("start screen: Longitudinal / Transversal wave")},
    {"Space", N_("Go / Stop")},
    {"N, Right", N_("Next / Single (one frame)")},
    {"R", N_("Restart the wave")},
    {"B, Backspace", N_("Back to the start screen")},
    {"Q, Escape", N_("Quit")},
};
constexpr HelpLine kShellKeys[] = {
    {"F11, F", N_("full screen on/off")},
    {"Z", N_("fit the page to the window on/off")},
    {"-, +", N_("slower / faster animation (down to 1/8 speed)")},
    {"F1, ?", N_("help: a message box listing the buttons and keys")},
};

void ApplyPresentation() {
    CWinApp* app = AfxGetApp();
    CFrameWnd* frame = app ? app->m_pMainWnd : nullptr;
    COskView* view = GetPlotView();
    if (!frame || !view) return;
    const bool scaled = g_controls.fullScreen || g_controls.fit;
    frame->SetPresentation(g_controls.fullScreen, scaled, view->GetTotalSize());
}

void ShowSpeed() {
    CWinApp* app = AfxGetApp();
    if (CFrameWnd* frame = app ? app->m_pMainWnd : nullptr) frame->SetTitleSuffix(SpeedCaption());
}

void ChangeSpeed(bool slower) {
    const int next = slower ? g_controls.slowdown * 2 : g_controls.slowdown / 2;
    if (next < 1 || next > kSlowest) return;
    g_controls.slowdown = next;
    ShowSpeed();
    ReportSpeedChange();
}

// "keys  meaning" in columns (for a terminal, in English), or "keys: meaning"
// (for a message box, whose font is proportional, in the user's language).
std::string Lines(const HelpLine* lines, std::size_t count, const char* indent, bool columns) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        std::string keys = lines[i].keys;
        if (columns) {
            keys.resize(std::max<std::size_t>(keys.size() + 2, 14), ' ');
        } else {
            keys += ": ";
        }
        text += std::string(indent) + keys + (columns ? lines[i].meaning : Tr(lines[i].meaning)) + "\n";
    }
    return text;
}

}  // namespace

bool HandleShellKey(unsigned key, unsigned mods) {
    if (mods & (MOD_CTRL | MOD_ALT)) return false;
    switch (key) {
        case KEY_F11:
        case 'F':
            g_controls.fullScreen = !g_controls.fullScreen;
            ApplyPresentation();
            return true;
        case 'Z':
            g_controls.fit = !g_controls.fit;
            ApplyPresentation();
            return true;
        case '-': ChangeSpeed(true); return true;
        case '+': ChangeSpeed(false); return true;
        case KEY_F1:
        case '?': AfxMessageBox(ShellHelpText().c_str()); return true;
        default: return false;
    }
}

void RefreshPresentation() {
    if (g_controls.fullScreen || g_controls.fit) ApplyPresentation();
}

int AnimationSlowdown() { return g_controls.slowdown; }

void ResetShellControls() { g_controls = Controls{}; }

std::string SpeedCaption() {
    if (g_controls.slowdown == 1) return "";
    char caption[128];
    std::snprintf(caption, sizeof caption, Tr(N_(" - 1/%d speed")), g_controls.slowdown);
    return caption;
}

std::string ShellHelpText() {
    std::string text = std::string(Tr(N_("Buttons: click them, or press their keys:"))) + "\n" +
                       Lines(kButtonKeys, std::size(kButtonKeys), "  ", false) + Tr(N_("Keys:")) + "\n" +
                       Lines(kShellKeys, std::size(kShellKeys), "  ", false);
    // In a translation the letters stay those of the English words.
    if (!CurrentLanguage().empty()) text += std::string(Tr(N_("The keys are the same in every language."))) + "\n";
    return text;
}

std::string ShellKeyLines(const char* indent) { return Lines(kShellKeys, std::size(kShellKeys), indent, true); }
