#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeltomir::cli {
namespace {

// The built program as a child process with both of its pipes in the test's hands.
struct Child {
    explicit Child(const QStringList& arguments)
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
        if (pipe(in) != 0 || pipe(out) != 0 || (pid = fork()) < 0)
            return;
        if (pid == 0) {
            // What a shell running the tests in the background ignores, the child hears.
            signal(SIGINT, SIG_DFL);
            signal(SIGTERM, SIG_DFL);
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
    int exitStatus()
    {
        int status = -1;
        const bool ended = pid > 0 && waitpid(std::exchange(pid, 0), &status, 0) > 0;
        return ended && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
    };
    const Case cases[] = {
        {SIGTERM, test::InteriorStart, "trial 4 R", "", "SIGTERM stopped the session after line 3",
         "trial 4 R: Evaluate the Reflection (R): A=8 B=8"},
        // A line cut off by the stop is not read as a shorter number.
        {SIGINT, test::InteriorStart + "5\n", "trial 5 E", "7", "SIGINT stopped the session after line 4",
         "trial 5 E: Evaluate the Extension: A=10 B=10"},
        // The result whose trial could not be written counts.
        {0, test::InteriorStart + "5\n", "trial 5 E", "7\n", "", "trial 6 R: Use the Extension: A=14 B=6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reopened);
        QTemporaryDir dir;
        const QString file = dir.filePath("p.sso");
        Child child(QStringList{"optimize", "--save", file} + test::SixteenFactors());
        child.write(c.results);
        ASSERT_TRUE(child.readUntil(c.shown)) << child.written;
        if (c.signal == 0)
            close(std::exchange(child.output, -1));
        child.write(c.stopping);
        if (c.signal != 0) {
            kill(child.pid, c.signal);
            EXPECT_TRUE(child.readUntil({}));
            EXPECT_NE(child.written.find("\nmessage Interrupted: " + c.message), std::string::npos) << child.written;
        }
        EXPECT_EQ(child.exitStatus(), ExitCannotGoOn);
        const test::Session reopened = test::RunOptimize({"--open", file});
        ASSERT_FALSE(reopened.lines.empty());
        EXPECT_EQ(reopened.lines[0], c.reopened);
    }
}

} // namespace
} // namespace zeltomir::cli
