// controls.cpp - presentation, speed and help keys of the shell.
#include "app/controls.h"

#include <cstdio>

#include "app/catalogue.h"
#include "app/key_table.h"
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

void FitViewAtStart() {
    g_controls.fit = true;
    ApplyPresentation();
}

std::string SpeedCaption() {
    if (g_controls.slowdown == 1) return "";
    char caption[128];
    std::snprintf(caption, sizeof caption, Tr(N_(" - 1/%d speed")), g_controls.slowdown);
    return caption;
}

std::string ShellHelpText() {
    std::string text = std::string(Tr(N_("Buttons: click them, or press their keys:"))) + "\n" +
                       KeyLines(KeyGroup::Button, "  ", false) +
                       Tr(N_("A presenter's remote: PageDown steps like Next, PageUp runs or stops like Go / Stop.")) +
                       "\n" + Tr(N_("Teaching aids, each off at the start:")) + "\n" +
                       KeyLines(KeyGroup::Aid, "  ", false) + Tr(N_("Keys:")) + "\n" +
                       KeyLines(KeyGroup::Shell, "  ", false);
    // In a translation the letters stay those of the English words.
    if (!CurrentLanguage().empty()) text += std::string(Tr(N_("The keys are the same in every language."))) + "\n";
    return text;
}
