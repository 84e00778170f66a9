// exercise.cpp - the shell's own main routine: a test page with a grid and
// a "Quit" box; every click is marked on the page and shown in the title
// strip in user units.  Keys: Q or Escape click "Quit".
#include <cstdio>

#include "app/keys.h"
#include "app/mouse.h"
#include "app/shell.h"
#include "plot/plot.h"

namespace {

void SetTitle(const char* text) { std::snprintf(PlotState.titleText, sizeof PlotState.titleText, "%s", text); }

void DrawTestPage() {
    SETWINDOW(0.0f, 0.0f, 28.0f, 4.0f);
    SETCOLOURS(PlotState.backgroundColour, PlotState.backgroundColour);
    BOX(0.0f, 0.0f, 28.0f, 4.0f);
    SETCOLOUR(21);
    LINEWIDTH(5);
    for (int x = 1; x < 28; ++x) PLOTLINE(static_cast<float>(x), 0.0f, static_cast<float>(x), 3.2f);
    for (int y = 1; y < 4; ++y) PLOTLINE(0.0f, static_cast<float>(y), 28.0f, static_cast<float>(y));
    SETCOLOUR(PlotState.defaultColour);
    LINEWIDTH(40);
    TEXT(0.5f, 3.4f, 40, "Shell Test", 1);
    LINEWIDTH(25);
    SETCOLOURS(16, 2);
    BOX(25.7f, 3.25f, 27.9f, 3.82f);
    SETCOLOUR(16);
    TEXTC(26.8f, 3.4f, 23, "Quit", 1, 0.0f, 0.0f, 1.0f);
    const KeyButton keys[] = {{'Q', 26.8f, 3.53f}, {OSK_KEY_ESCAPE, 26.8f, 3.53f}};
    SetKeyButtons(keys, 2);
}

}  // namespace

int ShellExerciseMain() {
    PlotState.plotView = GetPlotView();
    MOUSEENABLE(2, 1);
    DrawTestPage();
    SetTitle("Shell Test - click anywhere");
    for (;;) {
        int key = 0;
        float x = 0.0f;
        float y = 0.0f;
        char button = ' ';
        if (MOUSEWAIT(2, key, x, y, button) < 0 || PlotState.plotView == nullptr) {
            SetKeyButtons(nullptr, 0);
            return 0;  // the window was closed: nothing more may be drawn
        }
        if (button == ' ') continue;
        if (x >= 25.7f && x <= 27.9f && y >= 3.25f && y <= 3.82f) break;
        char text[130];
        std::snprintf(text, sizeof text, "Click %c at x = %.3f, y = %.3f", button, static_cast<double>(x),
                      static_cast<double>(y));
        SetTitle(text);
        SETCOLOUR(button == 'R' ? 2 : 4);
        DOT(x, y, 10);
    }
    SetKeyButtons(nullptr, 0);
    PLOTFLUSH();
    PLOTCLOSE();
    return 0;
}
