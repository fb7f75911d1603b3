#include "cli/CliRunner.h"
#include "cli/LineInput.h"
#include "cli/StopSignals.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    // Output uses "." whatever the user's locale; the engine is given the C
    // locale explicitly as well.
    QLocale::setDefault(QLocale::c());
    std::ios_base::sync_with_stdio(false);
    zeltomir::cli::CatchStopSignals();
    zeltomir::cli::LineInput input(STDIN_FILENO, zeltomir::cli::StopSignalFd());
    std::istream in(&input);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return zeltomir::cli::RunCli(arguments, in, std::cout, std::cerr, [&input] {
        return input.stopped() ? zeltomir::cli::StopSignalCaught() : 0;
    });
}
