#include "cli/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>

namespace zeltomir::cli {

namespace {

volatile std::sig_atomic_t CaughtSignal = 0;
int WakeRead = -1;
int WakeWrite = -1;

extern "C" void OnStopSignal(int signal)
{
    const int savedErrno = errno;
    if (CaughtSignal == 0)
        CaughtSignal = signal;
    // Non-blocking: one byte is enough to wake the reader, and a full pipe
    // has one already.
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(WakeWrite, &byte, 1);
    errno = savedErrno;
}

} // namespace

void CatchStopSignals()
{
    if (WakeRead >= 0)
        return;
    std::signal(SIGPIPE, SIG_IGN);
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    WakeRead = fds[0];
    WakeWrite = fds[1];
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a call that the signal finds waiting (a write to an
    // output nobody reads) returns instead of waiting on, and the loops
    // around the runner's own waits look at the wake descriptor before they
    // wait again. Writes to local files are not cut short by a caught
    // signal, so the save goes on unharmed.
    action.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        // A signal ignored from the start (a background job of a shell
        // without job control, nohup) stays ignored.
        struct sigaction previous {};
        if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

int StopSignalFd()
{
    return WakeRead;
}

int StopSignalCaught()
{
    return CaughtSignal;
}

} // namespace zeltomir::cli
