#include "cli/CliRunner.h"
#include "cli/LineInput.h"
#include "cli/LineOutput.h"
#include "cli/StopSignals.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <iostream>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard descriptor left closed by the caller (`<&-`) would be taken
// by the next file opened, the wake pipe or a save, and the session would
// read its own wake pipe as its input or write its events into the save.
// /dev/null takes the place instead, for reading only: a closed input then
// reads as empty, and a closed output still fails like a closed one.
void HoldStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // The lower ones are open, so this one is the first free.
        const int held = open("/dev/null", O_RDONLY);
        if (held >= 0 && held != fd) {
            dup2(held, fd);
            close(held);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    HoldStandardDescriptors();
    // Output uses "." whatever the user's locale; the engine is given the C
    // locale explicitly as well.
    QLocale::setDefault(QLocale::c());
    zeltomir::cli::CatchStopSignals();
    const int wake = zeltomir::cli::StopSignalFd();
    zeltomir::cli::LineInput input(STDIN_FILENO, wake);
    zeltomir::cli::LineOutput output(STDOUT_FILENO, wake);
    zeltomir::cli::LineOutput error(STDERR_FILENO, wake);
    std::istream in(&input);
    std::ostream out(&output);
    std::ostream err(&error);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return zeltomir::cli::RunCli(arguments, in, out, err, [&input] {
        return input.stopped() ? zeltomir::cli::StopSignalCaught() : 0;
    });
}
