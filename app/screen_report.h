// screen_report.h - what the plot program shows, in words: which screen,
// stepping, running or paused, the frame and the animation speed.  A page
// that speaks to a screen reader listens; nothing else needs it.
#pragma once

enum class ScreenMode { Start, Stepping, Running, Paused };

struct ScreenReport {
    const char* wave = nullptr;  // the wave shown; null on the start screen
    ScreenMode mode = ScreenMode::Start;
    int frame = -1;              // the frame shown (-1 on the start screen)
    int slowdown = 1;            // 1 normal speed, 2, 4 or 8 (slow motion)
};

// The program says what it shows now; the listener hears it when anything
// differs from the last report.
void ReportScreen(const char* wave, ScreenMode mode, int frame);
// The speed changed (the shell's - and + keys): the last report again.
void ReportSpeedChange();

using ScreenReportListener = void (*)(const ScreenReport& report);
void SetScreenReportListener(ScreenReportListener listener);
