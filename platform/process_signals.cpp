// process_signals.cpp - a file size limit ignored, an interrupt noted.
#include "platform/process_signals.h"

#include <csignal>

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
#define OSK_STOP_WAKER 1
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <system_error>
#include <thread>
#elif !defined(_WIN32)
#include <signal.h>
#endif

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
bool g_stopTaken = false;  // the pump's, outside the handler

#ifdef OSK_STOP_WAKER
// The handler writes a byte to this pipe; a thread of its own reads it and
// calls the backend's wake function (which the handler may not call).
int g_wakeRead = -1;
volatile std::sig_atomic_t g_wakeWrite = -1;  // read by the handler
std::mutex g_wakeLock;
void (*g_wake)() = nullptr;  // under g_wakeLock

void WatchStopPipe() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops, nullptr);  // the signals stay the pump's thread's
    for (;;) {
        char byte = 0;
        const ssize_t got = read(g_wakeRead, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        const std::lock_guard<std::mutex> hold(g_wakeLock);
        if (g_wake) g_wake();
    }
}
#endif

extern "C" void NoteStopSignal(int signal) {
    g_stopSignal = signal;
#ifdef OSK_STOP_WAKER
    if (g_wakeWrite >= 0) {
        const int saved = errno;
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = write(g_wakeWrite, &byte, 1);
        errno = saved;
    }
#endif
}

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

void WakeOnStopSignal(void (*wake)()) {
#ifdef OSK_STOP_WAKER
    static std::once_flag started;
    std::call_once(started, [] {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) return;
        try {
            g_wakeRead = ends[0];
            std::thread(WatchStopPipe).detach();  // blocked in read to the end of the process
            g_wakeWrite = ends[1];
        } catch (const std::system_error&) {
            // No thread: the signal is still noted, taken at the next event.
            g_wakeRead = -1;
            close(ends[0]);
            close(ends[1]);
        }
    });
    const std::lock_guard<std::mutex> hold(g_wakeLock);
    g_wake = wake;
#else
    (void)wake;
#endif
}

int StopSignal() { return g_stopSignal; }

bool StopRequestPending() { return g_stopSignal != 0 && !g_stopTaken; }

bool TakeStopRequest() {
    if (!StopRequestPending()) return false;
    g_stopTaken = true;
    return true;
}
