#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeltomir::cli {
namespace {

// The built program as a child process with both of its pipes in the test's hands.
struct Child {
    // `outputBytes`, when given, is what the output pipe holds before a write waits.
    explicit Child(const QStringList& arguments, int outputBytes = 0)
    {
        std::vector<std::string> texts{(QCoreApplication::applicationDirPath() + "/zeltomir-cli").toStdString()};
        for (const QString& argument : arguments)
            texts.push_back(argument.toStdString());
        std::vector<char*> argv;
        for (std::string& text : texts)
            argv.push_back(text.data());
        argv.push_back(nullptr);
        int in[2];
        int out[2];
        if (pipe(in) != 0 || pipe(out) != 0 || (outputBytes > 0 && fcntl(out[0], F_SETPIPE_SZ, outputBytes) < 0)
            || (pid = fork()) < 0)
            return;
        if (pid == 0) {
            // What a shell running the tests in the background ignores, the child hears.
            for (const int caught : {SIGINT, SIGTERM, SIGHUP})
                signal(caught, SIG_DFL);
            if (dup2(in[0], 0) == 0 && dup2(out[1], 1) == 1 && close(in[1]) == 0 && close(out[0]) == 0)
                execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        input = in[1];
        output = out[0];
    }
    ~Child()
    {
        close(input);
        close(output);
        if (pid > 0 && kill(pid, SIGKILL) == 0)
            waitpid(pid, nullptr, 0);
    }
    void write(const std::string& text) { EXPECT_EQ(::write(input, text.data(), text.size()), ssize_t(text.size())); }
    // What the child writes up to `text`, or (with an empty text) to its end.
    bool readUntil(const std::string& text)
    {
        pollfd readable{output, POLLIN, 0};
        while (text.empty() || written.find(text) == std::string::npos) {
            char bytes[4096];
            const ssize_t count = poll(&readable, 1, 30000) == 1 ? read(output, bytes, sizeof bytes) : -1;
            if (count <= 0)
                return text.empty() && count == 0;
            written.append(bytes, static_cast<std::size_t>(count));
        }
        return true;
    }
    // -1 also for a child that does not end within the time the reads allow.
    int exitStatus()
    {
        const int exit = pid > 0 ? static_cast<int>(syscall(SYS_pidfd_open, pid, 0)) : -1;
        pollfd ended{exit, POLLIN, 0};
        const bool gone = exit >= 0 && poll(&ended, 1, 30000) == 1;
        close(exit);
        int status = -1;
        if (!gone || waitpid(std::exchange(pid, 0), &status, 0) <= 0)
            return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    pid_t pid = -1;
    int input = -1;
    int output = -1;
    std::string written;
};

// Each row stops the hand-worked session of the session tests while it
// waits for a result; the saved file goes on from the trial then on show.
TEST(CliInterrupt, InterruptedSessionSavesWhereItStood)
{
    if (!QFileInfo(QCoreApplication::applicationDirPath() + "/zeltomir-cli").isExecutable())
        GTEST_SKIP() << "zeltomir-cli is not built next to the tests";
    struct Case {
        int signal; // 0: the output pipe is closed instead
        std::string results;
        std::string shown;    // awaited before the stop
        std::string stopping; // written just before the stop, or after the pipe closed
        std::string message;
        std::string reopened;
        bool inputEnds = false; // right after the signal
    };
    const Case cases[] = {
        {SIGTERM, test::InteriorStart, "trial 4 R", "", "SIGTERM stopped the session after line 3",
         "trial 4 R: Evaluate the Reflection (R): A=8 B=8"},
        // A line cut off by the stop is not read as a shorter number.
        {SIGINT, test::InteriorStart + "5\n", "trial 5 E", "7", "SIGINT stopped the session after line 4",
         "trial 5 E: Evaluate the Extension: A=10 B=10"},
        // The result whose trial could not be written counts.
        {0, test::InteriorStart + "5\n", "trial 5 E", "7\n", "", "trial 6 R: Use the Extension: A=14 B=6"},
        // The terminal closed.
        {SIGHUP, test::InteriorStart, "trial 4 R", "", "SIGHUP stopped the session after line 3",
         "trial 4 R: Evaluate the Reflection (R): A=8 B=8"},
        {SIGTERM, test::InteriorStart, "trial 4 R", "", "SIGTERM stopped the session after line 3",
         "trial 4 R: Evaluate the Reflection (R): A=8 B=8", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " / " << c.reopened);
        QTemporaryDir dir;
        const QString file = dir.filePath("p.sso");
        Child child(QStringList{"optimize", "--save", file} + test::SixteenFactors());
        child.write(c.results);
        ASSERT_TRUE(child.readUntil(c.shown)) << child.written;
        if (c.signal == 0)
            close(std::exchange(child.output, -1));
        child.write(c.stopping);
        if (c.signal != 0)
            kill(child.pid, c.signal);
        if (c.inputEnds)
            close(std::exchange(child.input, -1));
        if (c.signal != 0) {
            EXPECT_TRUE(child.readUntil({}));
            EXPECT_NE(child.written.find("\nmessage Interrupted: " + c.message), std::string::npos) << child.written;
        }
        EXPECT_EQ(child.exitStatus(), ExitCannotGoOn);
        const test::Session reopened = test::RunOptimize({"--open", file});
        ASSERT_FALSE(reopened.lines.empty());
        EXPECT_EQ(reopened.lines[0], c.reopened);
    }
}

// The trial line is longer than the output pipe holds, and nobody reads
// it: the stop ends the wait to write, and the session ends with its save.
TEST(CliInterrupt, StopEndsAWaitToWrite)
{
    if (!QFileInfo(QCoreApplication::applicationDirPath() + "/zeltomir-cli").isExecutable())
        GTEST_SKIP() << "zeltomir-cli is not built next to the tests";
    QTemporaryDir dir;
    const QString started = dir.filePath("started.sso");
    const QString saved = dir.filePath("saved.sso");
    const QString name(2100, QLatin1Char('A'));
    ASSERT_EQ(test::RunOptimize({"--factor", name + "=0..16/1", "--factor", name + "B=0..16/1", "--save", started},
                                test::InteriorStart)
                  .status,
              ExitSuccess);
    Child child({"optimize", "--open", started, "--save", saved}, 4096);
    pollfd written{child.output, POLLIN, 0};
    ASSERT_EQ(poll(&written, 1, 30000), 1);
    kill(child.pid, SIGTERM);
    EXPECT_EQ(child.exitStatus(), ExitCannotGoOn);
    const test::Session reopened = test::RunOptimize({"--open", saved});
    ASSERT_FALSE(reopened.lines.empty());
    EXPECT_EQ(reopened.lines[0].substr(0, 42), "trial 4 R: Evaluate the Reflection (R): AA");
}

// --open of a named pipe waits for its writer; a stop ends the wait, and
// the session, without a save. A writer that gives the file is read as usual.
TEST(CliInterrupt, StopEndsTheWaitForAPipeToOpen)
{
    if (!QFileInfo(QCoreApplication::applicationDirPath() + "/zeltomir-cli").isExecutable())
        GTEST_SKIP() << "zeltomir-cli is not built next to the tests";
    QFile reference(QStringLiteral(ZELTOMIR_TEST_DATA "/reference.sso"));
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    const QByteArray bytes = reference.readAll();
    for (const bool stop : {true, false}) {
        SCOPED_TRACE(stop);
        QTemporaryDir dir;
        const QString pipe = dir.filePath("p.sso");
        const QString saved = dir.filePath("saved.sso");
        ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        Child child({"optimize", "--open", pipe, "--save", saved});
        // Open once the session has opened its end: it has its handlers by then.
        const int writer = open(QFile::encodeName(pipe).constData(), O_WRONLY);
        ASSERT_GE(writer, 0);
        close(std::exchange(child.input, -1));
        if (stop)
            kill(child.pid, SIGTERM);
        else
            EXPECT_EQ(write(writer, bytes.data(), bytes.size()), bytes.size());
        close(writer);
        EXPECT_TRUE(child.readUntil({}));
        if (stop) {
            EXPECT_EQ(child.written, "message Interrupted: SIGTERM stopped the session before \""
                                         + pipe.toStdString() + "\" was read; nothing is saved.\n");
        } else {
            EXPECT_EQ(child.written.substr(0, 20), "trial 10 Cw: Contrac");
        }
        EXPECT_EQ(child.exitStatus(), stop ? ExitCannotGoOn : ExitSuccess);
        EXPECT_EQ(QFileInfo::exists(saved), !stop);
    }
}

} // namespace
} // namespace zeltomir::cli
