#pragma once

#include "cli/ResultReader.h"

#include <QStringList>

#include <istream>
#include <ostream>

namespace zeltomir::cli {

// The whole command line after the program name: --help, --version or a
// command with its options. Events and answers go to `out`; only a missing
// or unknown command is reported on `err`, since no command's output form
// applies to it. `stoppedBy` tells a session that a signal ended its input.
// Answers the exit status.
int RunCli(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err,
           const StopQuery& stoppedBy = {});

} // namespace zeltomir::cli
