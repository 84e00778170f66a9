// screen_report.cpp - the last report and its one listener.
#include "app/screen_report.h"

#include "app/controls.h"

namespace {
ScreenReport g_last;
bool g_reported = false;
ScreenReportListener g_listener = nullptr;

bool Same(const ScreenReport& a, const ScreenReport& b) {
    return a.wave == b.wave && a.mode == b.mode && a.frame == b.frame && a.slowdown == b.slowdown;
}

void Tell(const ScreenReport& report) {
    if (g_reported && Same(report, g_last)) return;
    g_last = report;
    g_reported = true;
    if (g_listener) g_listener(report);
}
}  // namespace

void ReportScreen(const char* wave, ScreenMode mode, int frame) {
    ScreenReport report;
    report.wave = wave;
    report.mode = mode;
    report.frame = frame;
    report.slowdown = AnimationSlowdown();
    Tell(report);
}

void ReportSpeedChange() {
    if (!g_reported) return;
    ScreenReport report = g_last;
    report.slowdown = AnimationSlowdown();
    Tell(report);
}

void SetScreenReportListener(ScreenReportListener listener) { g_listener = listener; }
