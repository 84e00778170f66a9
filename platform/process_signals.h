// process_signals.h - the signals a run of osk answers itself.
//
// A file size limit (SIGXFSZ) does not end the process: the write fails with
// EFBIG and is reported like any other failed output.  An interrupt or a
// termination request (SIGINT, SIGTERM) ends the run as a closed window
// does: the message pump hands the main window one close, so the
// recording and the dumps so far are completed and kept.  The handler only
// notes the signal and writes a byte to a pipe (nothing else is safe in
// it); a second one ends the process at once, as it would have without
// osk's handler.
#pragma once

// The file size limit, for the whole process (once, at the start).
void IgnoreFileSizeSignal();

// The interrupt and termination requests, for a run whose pump the signal
// cannot leave asleep: the headless backend waits on nothing; a backend
// whose wait goes on through a signal (SDL's) asks to be woken below.
// (Win32's console handler runs on a thread of its own and is left to the
// system.)
void EndRunOnStopSignals();

// Calls `wake` on a thread of its own, not in the handler, when a stop
// signal arrives: the backend posts itself an event there, so that its wait
// returns.  Null: no more calls (before the backend shuts down).  POSIX
// only; elsewhere nothing is called.
void WakeOnStopSignal(void (*wake)());

// The interrupt or termination signal that asked the run to end, 0 if none.
int StopSignal();

// True from such a signal until the pump has taken its request: a backend's
// wait returns then.
bool StopRequestPending();

// True once after such a signal: the pump delivers the close then.
bool TakeStopRequest();
