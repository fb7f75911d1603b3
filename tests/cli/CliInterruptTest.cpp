#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace zeltomir::cli {
namespace {

using test::InteriorStart;
using test::RunOptimize;
using test::SixteenFactors;

// The built program as a child process, both of its pipes in the test's hands.
class Child {
public:
    explicit Child(const QStringList& arguments)
    {
        const std::string program = (QCoreApplication::applicationDirPath() + "/zeltomir-cli").toStdString();
        std::vector<std::string> texts{program};
        for (const QString& argument : arguments)
            texts.push_back(argument.toStdString());
        std::vector<char*> argv;
        for (std::string& text : texts)
            argv.push_back(text.data());
        argv.push_back(nullptr);
        int in[2];
        int out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        // Whatever a shell running the tests in the background ignores, the
        // child hears the signals sent to it.
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        posix_spawnattr_setsigdefault(&attributes, &stopSignals);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        if (posix_spawn(&m_pid, argv[0], &actions, &attributes, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        close(in[0]);
        close(out[1]);
        m_in = in[1];
        m_out = out[0];
    }
    ~Child()
    {
        close(m_in);
        close(m_out);
        if (m_pid > 0 && waitpid(m_pid, nullptr, WNOHANG) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    void write(const std::string& text) { EXPECT_EQ(::write(m_in, text.data(), text.size()), ssize_t(text.size())); }
    void closeOutput() { close(m_out); m_out = -1; }
    void signal(int number) { kill(m_pid, number); }
    // Reads until `text` has come, or (with an empty text) until the output ends.
    bool readUntil(const std::string& text)
    {
        pollfd readable{m_out, POLLIN, 0};
        while (text.empty() || output.find(text) == std::string::npos) {
            char bytes[4096];
            const ssize_t count = poll(&readable, 1, 30000) == 1 ? read(m_out, bytes, sizeof bytes) : -1;
            if (count <= 0)
                return text.empty() && count == 0;
            output.append(bytes, static_cast<std::size_t>(count));
        }
        return true;
    }
    // -1 unless it exits normally within 30 seconds.
    int exitStatus()
    {
        int status = 0;
        for (int wait = 0; m_pid > 0 && wait < 3000; ++wait) {
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    std::string output;

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
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
        std::string shown;    // the trial awaited before the stop
        std::string stopping; // written just before the stop, or after the pipe closed
        std::string message;  // the message line the stop writes
        std::string reopened;
    };
    const Case cases[] = {
        {SIGTERM, InteriorStart, "trial 4 R", "", "message Interrupted: SIGTERM stopped the session after line 3",
         "trial 4 R: Evaluate the Reflection (R): A=8 B=8"},
        // A line cut off by the stop is not read as a shorter number.
        {SIGINT, InteriorStart + "5\n", "trial 5 E", "7", "message Interrupted: SIGINT stopped the session after line 4",
         "trial 5 E: Evaluate the Extension: A=10 B=10"},
        // The result whose trial could not be written counts.
        {0, InteriorStart + "5\n", "trial 5 E", "7\n", "", "trial 6 R: Use the Extension: A=14 B=6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reopened);
        QTemporaryDir dir;
        const QString file = dir.filePath("p.sso");
        Child child(QStringList{"optimize", "--save", file} + SixteenFactors());
        child.write(c.results);
        ASSERT_TRUE(child.readUntil(c.shown)) << child.output;
        if (c.signal == 0)
            child.closeOutput();
        child.write(c.stopping);
        if (c.signal != 0) {
            child.signal(c.signal);
            EXPECT_TRUE(child.readUntil({}));
            EXPECT_NE(child.output.find('\n' + c.message), std::string::npos) << child.output;
        }
        EXPECT_EQ(child.exitStatus(), ExitCannotGoOn);
        const test::Session reopened = RunOptimize({"--open", file});
        ASSERT_FALSE(reopened.lines.empty());
        EXPECT_EQ(reopened.lines[0], c.reopened);
    }
}

} // namespace
} // namespace zeltomir::cli
