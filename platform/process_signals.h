// process_signals.h - the signals a run of osk answers itself.
//
// A file size limit (SIGXFSZ) does not end the process: the write fails with
// EFBIG and is reported like any other failed output.  An interrupt or a
// termination request (SIGINT, SIGTERM) ends the run as a closed window
// does: the message pump hands the main window one close, so the
// recording and the dumps so far are completed and kept.  The handler only
// notes the signal (nothing else is safe in it); a second one ends the
// process at once, as it would have without osk's handler.
#pragma once

// The file size limit, for the whole process (once, at the start).
void IgnoreFileSizeSignal();

// The interrupt and termination requests, for a run whose pump waits on
// nothing the signal could leave asleep (the headless backend; a window
// system's backend keeps its own handling, which closes the window).
void EndRunOnStopSignals();

// The interrupt or termination signal that asked the run to end, 0 if none.
int StopSignal();

// True once after such a signal: the pump delivers the close then.
bool TakeStopRequest();
