#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include "simplex/ReadBack.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeltomir::cli {
namespace {

// The built program as a child process with both of its pipes in the test's
// hands; `environment` ("NAME=value") is set for it alone; `outputBytes`,
// when given, is what the output pipe holds before a write waits.
struct Child {
    explicit Child(const QStringList& arguments, const char* environment = nullptr, int outputBytes = 0)
    {
        std::vector<std::string> texts{(QCoreApplication::applicationDirPath() + "/zeltomir-cli").toStdString()};
        for (const QString& argument : arguments)
            texts.push_back(argument.toStdString());
        std::vector<char*> argv;
        for (std::string& text : texts)
            argv.push_back(text.data());
        argv.push_back(nullptr);
        std::vector<char*> envp;
        const char* replaced = environment ? std::strchr(environment, '=') : nullptr;
        for (char** entry = environ; *entry; ++entry) {
            if (!replaced || std::strncmp(*entry, environment, static_cast<std::size_t>(replaced - environment) + 1) != 0)
                envp.push_back(*entry);
        }
        if (environment)
            envp.push_back(const_cast<char*>(environment));
        envp.push_back(nullptr);
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
                execve(argv[0], argv.data(), envp.data());
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
    void write(const std::string& text)
    {
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t count = ::write(input, text.data() + done, text.size() - done);
            ASSERT_GT(count, 0) << std::strerror(errno);
            done += static_cast<std::size_t>(count);
        }
    }
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

#if defined(__SANITIZE_ADDRESS__)
constexpr bool UnderAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool UnderAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool UnderAddressSanitizer = false;
#endif

// How a row of the table stops the session, besides a signal.
constexpr int EndOfInput = 0;    // the input is closed once the row's lines are written
constexpr int OutputClosed = -1; // the test stops reading the output

// How a session is run and stopped, and what it leaves. "DIR" stands for a
// folder of the session's own, which holds open.sso (a problem saved with
// trial 4 on show), link.csv (a link to p.sso) and blocker (a plain file).
struct HostileCase {
    const char* what;
    QStringList arguments;
    std::string input;    // written at once
    std::string shown;    // awaited before the stop
    int stop;             // SIGINT, SIGTERM, SIGHUP, OutputClosed or EndOfInput
    std::string stopping; // written just before a signal, or after the output closed
    int exit;
    std::string message;  // the start of a line of the output; empty: not looked for
    QString saved;        // the problem file afterwards
    std::string reopened; // its first line when opened again; empty: there is no such file
    bool memoryLimit = false;
    bool inputEndsWithTheSignal = false;
};

// Runs the session in the built program, stops it, and looks at the problem
// file left behind through the program's own read.
void RunHostileCase(const HostileCase& c)
{
    SCOPED_TRACE(c.what);
    QTemporaryDir dir;
    const auto here = [&dir](QString text) { return text.replace("DIR", dir.path()); };
    ASSERT_EQ(test::RunOptimize(test::SixteenFactors() + QStringList{"--save", dir.filePath("open.sso")},
                                test::InteriorStart)
                  .status,
              ExitSuccess);
    ASSERT_TRUE(QFile::link(dir.filePath("p.sso"), dir.filePath("link.csv")));
    ASSERT_TRUE(QFile(dir.filePath("blocker")).open(QIODevice::WriteOnly));
    QStringList arguments{"optimize"};
    for (const QString& argument : c.arguments)
        arguments.append(here(argument));
    Child child(arguments, c.memoryLimit ? "ASAN_OPTIONS=detect_leaks=0:allocator_may_return_null=1:"
                                           "max_allocation_size_mb=8"
                                         : nullptr);
    child.write(c.input);
    ASSERT_TRUE(c.shown.empty() || child.readUntil(c.shown)) << child.written;
    if (c.stop == OutputClosed)
        close(std::exchange(child.output, -1));
    child.write(c.stopping);
    if (c.stop > 0)
        kill(child.pid, c.stop);
    if (c.stop == EndOfInput || c.inputEndsWithTheSignal)
        close(std::exchange(child.input, -1));
    if (c.stop != OutputClosed) {
        EXPECT_TRUE(child.readUntil({}));
    }
    const std::string message = here(QString::fromStdString(c.message)).toStdString();
    if (!message.empty()) {
        EXPECT_TRUE(child.written.starts_with(message) || child.written.find('\n' + message) != std::string::npos)
            << child.written;
    }
    EXPECT_EQ(child.exitStatus(), c.exit);

    const QString saved = here(c.saved);
    if (c.reopened.empty()) {
        EXPECT_FALSE(QFileInfo::exists(saved));
    } else {
        core::OptimizationProblem problem;
        const core::FileStatus read = simplex::ReadProblemFile(saved, problem);
        EXPECT_TRUE(read.ok) << read.error.toStdString();
        const test::Session reopened = test::RunOptimize({"--open", saved});
        ASSERT_FALSE(reopened.lines.empty());
        EXPECT_EQ(reopened.lines[0], c.reopened);
    }
}

// Sessions that try to lose what was typed: each row runs the hand-worked
// session of the session tests (or a piece of it) and stops it.
TEST(CliHostileSession, EndsWithWhatWasTypedKeptAndNoFileSpoilt)
{
    if (!QFileInfo(QCoreApplication::applicationDirPath() + "/zeltomir-cli").isExecutable())
        GTEST_SKIP() << "zeltomir-cli is not built next to the tests";
    const QStringList factors = test::SixteenFactors();
    const QStringList save{"--save", "DIR/p.sso"};
    const std::string initialEnded = "message Input Error: The input ended after 2 of the 3 results of the initial "
                                     "simplex. The results received so far, as lines to give again: \"1 @ 4 4\", "
                                     "\"3 @ 8 4\".";
    const std::string usage = "message Usage Error: Options --csv and ";
    const std::string trial4 = "trial 4 R: Evaluate the Reflection (R): A=8 B=8";
    const std::string trial5 = "trial 5 E: Evaluate the Extension: A=10 B=10";
    const HostileCase cases[] = {
        {"signal during the steps", factors + save, test::InteriorStart, "trial 4 R", SIGTERM, "", ExitCannotGoOn,
         "message Interrupted: SIGTERM stopped the session after line 3 of the input;", "DIR/p.sso", trial4},
        {"terminal closed", factors + save, test::InteriorStart, "trial 4 R", SIGHUP, "", ExitCannotGoOn,
         "message Interrupted: SIGHUP stopped the session after line 3 of the input;", "DIR/p.sso", trial4},
        {"signal together with the end of the input", factors + save, test::InteriorStart, "trial 4 R", SIGTERM, "",
         ExitCannotGoOn, "message Interrupted: SIGTERM stopped the session after line 3 of the input;", "DIR/p.sso",
         trial4, false, true},
        // A line cut off by the stop is not read as a shorter number.
        {"signal cutting a line", factors + save, test::InteriorStart + "5\n", "trial 5 E", SIGINT, "7",
         ExitCannotGoOn, "message Interrupted: SIGINT stopped the session after line 4 of the input;", "DIR/p.sso",
         trial5},
        // The result whose trial could not be written counts.
        {"output closed during the steps", factors + save, test::InteriorStart + "5\n", "trial 5 E", OutputClosed,
         "7\n", ExitCannotGoOn, "", "DIR/p.sso", "trial 6 R: Use the Extension: A=14 B=6"},
        {"initial result not a number", factors + save, "1 @ 4 4\nx\n3 @ 8 4\n2 @ 4 8\n5\n", "", EndOfInput, "",
         ExitSuccess, "message Data Input Error: The result in row 2 is not numeric.", "DIR/p.sso",
         "trial 5 E: Evaluate the Extension: A=10 B=10"},
        {"initial level beyond its limit", factors + save, "1 @ 4 4\n3 @ 8 17\n3 @ 8 4\n2 @ 4 8\n", "", EndOfInput, "",
         ExitSuccess,
         "message Data Input Error: The level for factor B in row 2 is greater than the upper limit you specified.  "
         "The upper limit specified was 16.",
         "DIR/p.sso", trial4},
        // The refused line shows that the two before it were read.
        {"signal during the initial simplex", factors + save, "1 @ 4 4\n3 @ 8 4\nx\n", "not numeric.", SIGTERM, "",
         ExitCannotGoOn, initialEnded, "DIR/p.sso", ""},
        {"input ends during the initial simplex", factors + save, "1 @ 4 4\n# more tomorrow\n3 @ 8 4", "", EndOfInput,
         "", ExitCannotGoOn, initialEnded, "DIR/p.sso", ""},
        {"output closed during the initial simplex", factors + save, "", "initial 3", OutputClosed, "1 @ 4 4\nx\n",
         ExitCannotGoOn, "", "DIR/p.sso", ""},
        // A re-measurement waiting when the session stops is saved waiting.
        {"signal while a vertex waits to be measured again", factors + save, test::InteriorStart + "again 1\n",
         "trial 4 A", SIGTERM, "", ExitCannotGoOn,
         "message Interrupted: SIGTERM stopped the session after line 4 of the input;", "DIR/p.sso",
         "trial 4 A: Measure Vertex 1 Again: A=4 B=4"},
        {"again refused", factors + save, test::InteriorStart + "again 9\n", "", EndOfInput, "", ExitSuccess,
         "message Input Error: Vertex 9 is not in the current simplex.", "DIR/p.sso", trial4},
        {"failed trial at the end of the input", factors + save, test::InteriorStart + "failed\n", "", EndOfInput, "",
         ExitSuccess, "trial 5 Cw", "DIR/p.sso", "trial 5 Cw: Contract in the Reverse Direction: A=5 B=5"},
        {"failed refused during the initial simplex", factors + save, "1 @ 4 4\nfailed\n3 @ 8 4\n2 @ 4 8\n", "",
         EndOfInput, "", ExitSuccess, "message Input Error: Line 2: \"failed\" is for the optimization steps;",
         "DIR/p.sso", trial4},
        {"correction of the simplex at a signal", factors + save, test::InteriorStart + "correct 1 9\n",
         "trial 4 R: Use", SIGINT, "", ExitCannotGoOn, "message Interrupted: SIGINT stopped the session after line 4",
         "DIR/p.sso", "trial 4 R: Use the Reflection: A=8 B=0"},
        {"correction refused", {"--open", "DIR/open.sso", "--save", "DIR/open.sso"}, "correct 4 1\n", "", EndOfInput,
         "", ExitSuccess, "message Input Error: There is no vertex 4.", "DIR/open.sso", trial4},
        {"CSV over the opened file", {"--open", "DIR/open.sso", "--csv", "DIR/open.sso"}, "5\n", "", EndOfInput, "",
         ExitCannotGoOn,
         usage + "--open name the same file, \"DIR/open.sso\": the vertex summary would replace the problem file. "
                 "Give --csv a file of its own.",
         "DIR/open.sso", trial4},
        {"CSV through a link to the saved file", factors + save + QStringList{"--csv", "DIR/link.csv"},
         test::InteriorStart, "", EndOfInput, "", ExitCannotGoOn, usage + "--save name the same file, \"DIR/link.csv\"",
         "DIR/p.sso", ""},
        {"workbook over the opened file", {"--open", "DIR/open.sso", "--xlsx", "DIR/open.sso"}, "5\n", "", EndOfInput,
         "", ExitCannotGoOn,
         "message Usage Error: Options --xlsx and --open name the same file, \"DIR/open.sso\": the vertex summary "
         "would replace the problem file. Give --xlsx a file of its own.",
         "DIR/open.sso", trial4},
        {"workbook and CSV in one file", factors + save + QStringList{"--csv", "DIR/v.csv", "--xlsx", "DIR/v.csv"},
         test::InteriorStart, "", EndOfInput, "", ExitCannotGoOn,
         usage + "--xlsx name the same file, \"DIR/v.csv\": the workbook would replace the CSV file.", "DIR/p.sso",
         ""},
        {"workbook in a folder that is a file", factors + save + QStringList{"--xlsx", "DIR/blocker/v.xlsx"},
         test::InteriorStart, "", EndOfInput, "", ExitCannotGoOn,
         "message File Error: Cannot write \"DIR/blocker/v.xlsx\". \"DIR/blocker\" is not a folder.", "DIR/p.sso", ""},
        {"saved over the opened file", {"--open", "DIR/open.sso", "--save", "DIR/open.sso"}, "5\n", "", EndOfInput, "",
         ExitSuccess, trial5, "DIR/open.sso", trial5},
        {"save in a missing folder", factors + QStringList{"--save", "DIR/missing/p.sso"}, test::InteriorStart, "",
         EndOfInput, "", ExitCannotGoOn,
         "message File Error: Cannot save \"DIR/missing/p.sso\". The folder \"DIR/missing\" does not exist.",
         "DIR/missing/p.sso", ""},
        {"CSV in a folder that is a file", factors + save + QStringList{"--csv", "DIR/blocker/v.csv"},
         test::InteriorStart, "", EndOfInput, "", ExitCannotGoOn,
         "message File Error: Cannot write \"DIR/blocker/v.csv\". \"DIR/blocker\" is not a folder.", "DIR/p.sso", ""},
        // No one, not even an administrator, creates files in /proc.
        {"save in a folder that takes no file", factors + QStringList{"--save", "/proc/zeltomir.sso"},
         test::InteriorStart, "", EndOfInput, "", ExitCannotGoOn,
         "message File Error: Cannot save \"/proc/zeltomir.sso\". The file cannot be created there (",
         "/proc/zeltomir.sso", ""},
    };
    for (const HostileCase& c : cases)
        RunHostileCase(c);
}

// The memory runs out while a line is read: the session ends as if the
// input had ended before that line.
TEST(CliHostileSession, RunningOutOfMemoryEndsAsIfTheInputEndedThere)
{
    if (!QFileInfo(QCoreApplication::applicationDirPath() + "/zeltomir-cli").isExecutable())
        GTEST_SKIP() << "zeltomir-cli is not built next to the tests";
    if (!UnderAddressSanitizer)
        GTEST_SKIP() << "only AddressSanitizer's allocator can be told to refuse large pieces";
    // Far more levels than the factors, each a string of its own: the list
    // of them needs more than the 8 MB the memory-limited program may take
    // in one piece.
    std::string longLine = "7 @";
    for (int i = 0; i < 1000000; ++i)
        longLine += " 1";
    RunHostileCase({"memory runs out", test::SixteenFactors() + QStringList{"--save", "DIR/p.sso"},
                    test::InteriorStart + "5\n" + longLine + "\n", "", EndOfInput, "", ExitCannotGoOn,
                    "message Interrupted: Running out of memory stopped the session after line 4 of the input; it "
                    "ends as if the input ended there.",
                    "DIR/p.sso", "trial 5 E: Evaluate the Extension: A=10 B=10", true});
}

// The trial line is longer than the output pipe holds, and nobody reads
// it: the stop ends the wait to write, and the session ends with its save.
TEST(CliHostileSession, StopEndsAWaitToWrite)
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
    Child child({"optimize", "--open", started, "--save", saved}, nullptr, 4096);
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
TEST(CliHostileSession, StopEndsTheWaitForAPipeToOpen)
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
