#pragma once

#include <QStringList>

#include <istream>
#include <ostream>

namespace zeltomir::cli {

// The whole command line after the program name: --help, --version or a
// command with its options. Events and answers go to `out`; only a missing
// or unknown command is reported on `err`, since no command's output form
// applies to it. Answers the exit status.
int RunCli(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace zeltomir::cli
