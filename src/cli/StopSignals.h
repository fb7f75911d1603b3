#pragma once

// How the runner learns that it is asked to stop. SIGINT (Ctrl-C), SIGTERM
// (kill) and SIGHUP (the terminal closed) do not end the process: the
// handler notes the signal and makes a pipe readable, so that a wait for
// input, for output to drain or for a pipe to be opened wakes up and the
// session ends at the next line boundary, saving its work as at the end of
// the input. The handler resets itself, so the same signal once more ends
// the process at once; the save is atomic, so that loses the save but
// damages no file. SIGPIPE is ignored: a write to a closed pipe then fails
// like any other write, and the session ends the same way instead of dying
// mid-line.

namespace zeltomir::cli {

// Installs the handlers; the first call only does anything.
void CatchStopSignals();

// Readable from the first stop signal on; -1 before CatchStopSignals.
int StopSignalFd();

// The first stop signal caught, or 0.
int StopSignalCaught();

} // namespace zeltomir::cli
