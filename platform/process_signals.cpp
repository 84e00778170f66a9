// process_signals.cpp - a file size limit ignored, an interrupt noted.
#include "platform/process_signals.h"

#include <csignal>

#ifndef _WIN32
#include <signal.h>
#endif

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
bool g_stopTaken = false;  // the pump's, outside the handler

extern "C" void NoteStopSignal(int signal) { g_stopSignal = signal; }

}  // namespace

void IgnoreFileSizeSignal() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

void EndRunOnStopSignals() {
#ifdef _WIN32
    // The C library puts the default back before calling the handler.
    std::signal(SIGINT, NoteStopSignal);
    std::signal(SIGTERM, NoteStopSignal);
#else
    struct sigaction note {};
    note.sa_handler = NoteStopSignal;
    sigemptyset(&note.sa_mask);
    note.sa_flags = SA_RESETHAND | SA_RESTART;  // the second one is the system's
    sigaction(SIGINT, &note, nullptr);
    sigaction(SIGTERM, &note, nullptr);
#endif
}

int StopSignal() { return g_stopSignal; }

bool TakeStopRequest() {
    if (g_stopSignal == 0 || g_stopTaken) return false;
    g_stopTaken = true;
    return true;
}
