#include "app/CommandLine.h"
#include "app/DocumentCommands.h"
#include "app/Program.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <optional>

int main(int argc, char** argv)
{
    std::optional<QString> file;
    {
        // Read before the window system starts, so that --help and
        // --version answer on a machine without a display.
        QCoreApplication reader(argc, argv);
        zeltomir::app::SetApplicationIdentity();
        const zeltomir::app::CommandLine line = zeltomir::app::ReadCommandLine(QCoreApplication::arguments());
        if (line.answer) {
            std::fputs(qUtf8Printable(*line.answer), line.answerIsError ? stderr : stdout);
            return line.exitStatus;
        }
        file = line.file;
    }
    QApplication application(argc, argv);
    zeltomir::app::SetApplicationIdentity();
    zeltomir::app::Program program;
    program.start();
    if (file)
        program.documents().files().openFile(*file, zeltomir::app::FileCommands::OpenedBy::CommandLine);
    return QApplication::exec();
}
