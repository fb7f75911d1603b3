#include "cli/CliHelp.h"
#include "core/ProgramVersion.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <unistd.h>

namespace zeltomir::cli {
namespace {

// The built program lands in the same folder as the test executable.
QString ProgramPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zeltomir-cli");
}

struct ProgramRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// `inputClosed`: started with no standard input at all, as by `<&-`.
ProgramRun RunProgram(const QStringList& arguments, const QByteArray& input, bool inputClosed)
{
    QProcess process;
    if (inputClosed)
        process.setChildProcessModifier([] { close(STDIN_FILENO); });
    process.start(ProgramPath(), arguments);
    ProgramRun run;
    if (!process.waitForStarted(10000))
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

TEST(CliProcess, ExitStatusAndOutputOfTheBuiltProgram)
{
    if (!QFileInfo(ProgramPath()).isExecutable())
        GTEST_SKIP() << "zeltomir-cli is not built next to the tests";

    struct Case {
        const char* what;
        QStringList arguments;
        QByteArray input;
        int status;
        QByteArray out; // the whole standard output, or its start when startOnly
        bool startOnly;
        bool errorText; // something on standard error
        bool inputClosed = false;
    };
    const Case cases[] = {
        {"version", {"--version"}, {}, ExitSuccess,
         QByteArray("zeltomir-cli ") + core::VersionNumber + "\n"
         "Copyright (C) 2026 The Zeltomir developers.\n"
         "This program comes with ABSOLUTELY NO WARRANTY.\n"
         "It is free software under the GNU General Public License, version 3 or later.\n"
         "The licence: https://www.gnu.org/licenses/gpl.html\n",
         false, false},
        {"help", {"--help"}, {}, ExitSuccess, "Usage: zeltomir-cli optimize [options]\n", true, false},
        {"no command", {}, {}, ExitCannotGoOn, "", false, true},
        {"unknown option", {"optimize", "--bogus"}, {}, ExitCannotGoOn,
         "message Usage Error: Unknown option --bogus.\n", false, false},
        {"session", {"optimize", "--goal", "min", "--factor", "A=0..10/2", "--factor", "B=5..15/1"},
         "1\n2\r\n3\n", ExitSuccess,
         "initial 1: A=10 B=5\ninitial 2: A=0 B=15\ninitial 3: A=0 B=5\n"
         "trial 4 R: Evaluate the Reflection (R): A=10 B=15\n",
         true, false},
        {"zero responses", {"optimize", "--factor", "A=0..10/2", "--factor", "B=5..15/1"}, "0\n0\n0\n",
         ExitCannotGoOn, "", true, false},
        // No input is the end of the input: the trial on show, the summary.
        {"input closed", {"optimize", "--open", ZELTOMIR_TEST_DATA "/reference.sso"}, {}, ExitSuccess,
         "trial 10 Cw: Contract in the Reverse Direction: T", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ProgramRun run = RunProgram(c.arguments, c.input, c.inputClosed);
        EXPECT_EQ(run.status, c.status);
        if (c.startOnly)
            EXPECT_TRUE(run.out.startsWith(c.out)) << run.out.toStdString();
        else
            EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(!run.err.isEmpty(), c.errorText) << run.err.toStdString();
    }
}

} // namespace
} // namespace zeltomir::cli
