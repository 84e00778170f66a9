// controls.cpp - presentation, speed and help keys of the shell.
#include "app/controls.h"

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
    {"L / T", "start screen: Longitudinal / Transversal wave"},
    {"Space", "Go / Stop"},
    {"N, Right", "Next / Single (one frame)"},
    {"R", "Restart the wave"},
    {"B, Backspace", "Back to the start screen"},
    {"Q, Escape", "Quit"},
};
constexpr HelpLine kShellKeys[] = {
    {"F11, F", "full screen on/off"},
    {"Z", "fit the page to the window on/off"},
    {"-, +", "slower / faster animation (down to 1/8 speed)"},
    {"F1, ?", "help: a message box listing the buttons and keys"},
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
}

// "keys  meaning" in columns (for a terminal), or "keys: meaning" (for a
// message box, whose font is proportional).
std::string Lines(const HelpLine* lines, std::size_t count, const char* indent, bool columns) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        std::string keys = lines[i].keys;
        if (columns) {
            keys.resize(std::max<std::size_t>(keys.size() + 2, 14), ' ');
        } else {
            keys += ": ";
        }
        text += std::string(indent) + keys + lines[i].meaning + "\n";
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

int AnimationSlowdown() { return g_controls.slowdown; }

void ResetShellControls() { g_controls = Controls{}; }

std::string SpeedCaption() {
    if (g_controls.slowdown == 1) return "";
    return " - 1/" + std::to_string(g_controls.slowdown) + " speed";
}

std::string ShellHelpText() {
    return "Buttons: click them, or press their keys:\n" +
           Lines(kButtonKeys, std::size(kButtonKeys), "  ", false) + "Keys:\n" +
           Lines(kShellKeys, std::size(kShellKeys), "  ", false);
}

std::string ShellKeyLines(const char* indent) { return Lines(kShellKeys, std::size(kShellKeys), indent, true); }
