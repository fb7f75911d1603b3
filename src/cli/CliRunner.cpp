#include "cli/CliRunner.h"

#include "cli/CliHelp.h"
#include "cli/OptimizeCommand.h"
#include "cli/SimulateCommand.h"
#include "cli/VisibleText.h"

namespace zeltomir::cli {

int RunCli(const QStringList& arguments, std::istream& in, std::ostream& out, std::ostream& err,
           const StopQuery& stoppedBy)
{
    const QString command = arguments.value(0);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out << HelpText() << std::flush;
        return ExitSuccess;
    }
    if (command == QLatin1String("--version")) {
        out << VersionLine() << std::flush;
        return ExitSuccess;
    }
    if (command == QLatin1String("optimize"))
        return OptimizeCommand(in, out, stoppedBy).run(arguments.mid(1));
    if (command == QLatin1String("simulate"))
        return SimulateCommand(out).run(arguments.mid(1));
    if (command.isEmpty())
        err << "zeltomir-cli: no command given.";
    else
        err << "zeltomir-cli: unknown command \"" << VisibleText(command).toStdString() << "\".";
    err << " Try \"zeltomir-cli --help\".\n" << std::flush;
    return ExitCannotGoOn;
}

} // namespace zeltomir::cli
