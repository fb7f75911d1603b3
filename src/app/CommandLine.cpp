#include "app/CommandLine.h"

#include "core/LicenceNotice.h"
#include "core/ProgramInfo.h"

#include <QCommandLineParser>

namespace zeltomir::app {

namespace {

constexpr int ExitUsage = 2;

} // namespace

CommandLine ReadCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Leads an experimenter through the improvement of a running process by the sequential simplex "
                       "method, and offers practice exercises in the design of experiments."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("A problem file (.sso) or an exercise file (.sst, .ssv) to open."),
                                 QStringLiteral("[FILE]"));

    CommandLine line;
    const auto usageError = [&line](const QString& why) {
        line.answer = QStringLiteral("zeltomir: %1\nTry 'zeltomir --help' for more information.\n").arg(why);
        line.answerIsError = true;
        line.exitStatus = ExitUsage;
        return line;
    };
    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        // The usage line names the program, not the path it was started by.
        const QString text = parser.helpText();
        line.answer = QStringLiteral("Usage: zeltomir") + text.mid(text.indexOf(QStringLiteral(" [options]")));
        return line;
    }
    if (parser.isSet(version)) {
        line.answer = core::VersionAnswer(QStringLiteral("zeltomir"), core::VersionText());
        return line;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QStringLiteral("only one file can be opened, not %1.").arg(files.size()));
    if (!files.isEmpty())
        line.file = files.front();
    return line;
}

} // namespace zeltomir::app
