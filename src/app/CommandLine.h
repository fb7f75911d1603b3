#pragma once

// The command line of the program: `zeltomir [FILE]`, `--help`,
// `--version`. It is read before the window system is started, so that the
// help and the version answer on a machine without a display.

#include <QString>
#include <QStringList>

#include <optional>

namespace zeltomir::app {

struct CommandLine {
    // The file to open once the program has started (as File > Open would).
    std::optional<QString> file;
    // Set when the program ends at once: what to print, where, and the exit
    // status (the help and the version on standard output with 0, a usage
    // error on standard error with 2).
    std::optional<QString> answer;
    bool answerIsError = false;
    int exitStatus = 0;
};

// The arguments as QCoreApplication::arguments() gives them, the program's
// own name first.
CommandLine ReadCommandLine(const QStringList& arguments);

} // namespace zeltomir::app
