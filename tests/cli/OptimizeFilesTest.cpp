#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include "simplex/VertexStatus.h"

#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <streambuf>
#include <tuple>
#include <utility>

namespace zeltomir::cli {
namespace {

using test::CornerFactors;
using test::InteriorStart;
using test::RunOptimize;
using test::Session;
using test::SixteenFactors;
using Lines = std::vector<std::string>;

// The hand-worked session of the session tests, stopped with the trial
// (6,10) "Use the Reflection" on show. The simplex is then v6 (.875,.375)
// result 4 | v8 (.625,.375) 3.5, v5 (.625,.625) 7 with step (-.25,.125).
const std::string StoppedSession = InteriorStart + "5\n7\n4\n1\n3.5\n";

// The refusal of a file that cannot be resumed; `stage` as the message names it.
std::string CannotResume(const QString& file, const QString& stage)
{
    return QStringLiteral("message File Error: \"%1\" holds a problem at %2. Only a problem saved after the results "
                          "of its initial simplex were entered (stage \"SeqSimplexInitialize\") or during the "
                          "optimization steps (stage \"Steps\") can be resumed. Start the problem anew with "
                          "--factor options, or enter the results of its initial simplex in Zeltomir and save it "
                          "again.")
        .arg(file, stage)
        .toStdString();
}

bool SameBytes(const QString& first, const QString& second)
{
    QFile a(first);
    QFile b(second);
    return a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
}

class OptimizeFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    // A start-up problem written at the given stage.
    QString atStage(const char* name, const QString& stage, const QString& simplexDefined)
    {
        core::OptimizationProblem problem;
        core::ResetToStartup(problem);
        problem.Stage = core::Choice<core::Stage>::FromText(stage);
        problem.InitialSimplexDefined = simplexDefined;
        const QString file = path(name);
        EXPECT_TRUE(core::WriteStateFile(problem, file).ok);
        return file;
    }
    QString saved()
    {
        const QString file = path("p.sso");
        const Session session = RunOptimize(SixteenFactors() + QStringList{"--save", file}, StoppedSession);
        EXPECT_EQ(session.status, ExitSuccess);
        return file;
    }

    QTemporaryDir m_dir;
};

TEST_F(OptimizeFiles, OpenResumesWithTheSavedTrialAndItsInstruction)
{
    const QString file = saved();
    // Result 3 is below the rejected vertex's 4: R - 1.5D = (.75,.4375), naturally (12,7).
    const Session resumed = RunOptimize({"--open", file}, "3\n");
    EXPECT_EQ(resumed.status, ExitSuccess);
    ASSERT_EQ(resumed.lines.size(), 11u);
    EXPECT_EQ(resumed.lines[0], "trial 9 R: Use the Reflection: A=6 B=10");
    EXPECT_EQ(resumed.lines[1], "trial 10 Cw: Contract in the Reverse Direction: A=12 B=7");
    EXPECT_EQ(resumed.lines[10], "vertex 9: A=6.0 B=10.0 result=3 type=Reflection retained=0");

    // The same as running on without the file in between.
    const Session straight = RunOptimize(SixteenFactors(), StoppedSession + "3\n");
    ASSERT_EQ(straight.lines.size(), 3u + 7u + 9u);
    EXPECT_EQ(straight.lines[9], resumed.lines[1]);
    EXPECT_EQ(Lines(straight.lines.end() - 9, straight.lines.end()), Lines(resumed.lines.begin() + 2, resumed.lines.end()));
}

// The manual's example session: saved after its first two trials, opened
// the next day; the extension it proposes is the one of the session that
// never stopped, not one of levels read back at single precision
// (169.999998807907, 23.0000004172325).
TEST_F(OptimizeFiles, AResumedSessionProposesWhatTheUnbrokenOneDoes)
{
    const QStringList factors{"--factor", "Temperature=100..200/1", "--factor", "Time=10..30/1"};
    const std::string initial = "63 @ 130 14\n69.4 @ 140 14\n68.6 @ 130 17\n74.8\n79.3\n";
    const QString file = path("run.sso");
    ASSERT_EQ(RunOptimize(factors + QStringList{"--save", file}, initial).status, ExitSuccess);
    const Session resumed = RunOptimize({"--open", file}, "78.8\n85.7\n");
    ASSERT_GE(resumed.lines.size(), 3u);
    EXPECT_EQ(resumed.lines[2], "trial 8 E: Evaluate the Extension: Temperature=170 Time=23");
    const Session unbroken = RunOptimize(factors, initial + "78.8\n85.7\n");
    ASSERT_EQ(unbroken.lines.size(), 3u + 5u + 7u);
    EXPECT_EQ(Lines(unbroken.lines.begin() + 5, unbroken.lines.end()), resumed.lines);
}

// The same session as one an earlier build saved in tests/data (three
// factors, a name beyond ASCII, a target, fixed steps): the file comes out
// byte for byte as it did then.
TEST_F(OptimizeFiles, SavesByteForByteAsAnEarlierBuildDid)
{
    const QString file = path("again.sso");
    const Session session =
        RunOptimize({"--factor", "Température °C=-50..150.5/2", "--factor", "Time=0.001..0.01/5", "--factor",
                     "Rate=1000..200000/0", "--goal", "mid", "--target", "17.25", "--steps", "fixed", "--save", file},
                    "10\n20\n5\n25\n30.5\n-4e-3\n12345678.9\n0.1\n7\n");
    ASSERT_EQ(session.status, ExitSuccess);
    EXPECT_TRUE(SameBytes(file, QStringLiteral(ZELTOMIR_TEST_DATA "/reference.sso")));
}

TEST_F(OptimizeFiles, StepSizeComesFromTheFileOrFromSteps)
{
    const QString variable = saved();
    core::OptimizationProblem problem;
    ASSERT_TRUE(core::ReadStateFile(variable, problem).ok);
    problem.StepType = QStringLiteral("Fixed");
    const QString fixed = path("fixed.sso");
    ASSERT_TRUE(core::WriteStateFile(problem, fixed).ok);
    for (const QStringList& arguments : {QStringList{"--open", fixed}, QStringList{"--open", variable, "--steps", "fixed"}}) {
        // Fixed steps accept the result 3: v8 | v9 (.375,.625), v5 -> R (.375,.875).
        const Session resumed = RunOptimize(arguments, "3\n");
        ASSERT_GE(resumed.lines.size(), 2u);
        EXPECT_EQ(resumed.lines[1], "trial 10 R: Use the Reflection: A=6 B=14");
    }
}

TEST_F(OptimizeFiles, OpenWithoutInputWritesTheSummaryAndSavesAgain)
{
    // v5, the best, counted in a fourth simplex.
    core::OptimizationProblem problem;
    ASSERT_TRUE(core::ReadStateFile(saved(), problem, &problem.StepType).ok);
    problem.VertexHistory.at(5, 5) = 4;
    const QString kept = path("kept.sso");
    ASSERT_TRUE(core::WriteStateFile(problem, kept).ok);
    const QString again = path("again.sso");
    const Session session = RunOptimize({"--open", kept, "--json", "--save", again});
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_EQ(session.lines.size(), 10u);
    EXPECT_EQ(session.lines[0],
              R"j({"event":"trial","vertex":9,"type":"R","instruction":"Use the Reflection","levels":[6,10]})j");
    // The resumed trial is assessed too.
    EXPECT_EQ(session.lines[1], R"j({"event":"advice","vertex":8,"advice":[{"rule":"vertex-kept","text":"Vertex 5 )j"
                                R"j(has been kept in 4 successive simplexes: measure it again with Measure Again; if its result holds, )j"
                                R"j(the simplex is circling the optimum."}]})j");
    QFile first(kept);
    QFile second(again);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
}

TEST_F(OptimizeFiles, OpenAfterARefusedFirstResultShowsTheFirstTrialWithItsInstruction)
{
    // The refused result changes nothing, so the file reopens at the first
    // trial, which Begin Optimization proposes again.
    const QString file = path("refused.sso");
    const Session session = RunOptimize(SixteenFactors() + QStringList{"--save", file}, InteriorStart + "none\n");
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_GE(session.lines.size(), 5u);
    EXPECT_EQ(session.lines[3], "trial 4 R: Evaluate the Reflection (R): A=8 B=8");
    EXPECT_EQ(session.lines[4], "message Data Input Error: The result must be numeric.");

    const Session resumed = RunOptimize({"--open", file}, "5\n");
    EXPECT_EQ(resumed.status, ExitSuccess);
    ASSERT_GE(resumed.lines.size(), 2u);
    EXPECT_EQ(resumed.lines[0], "trial 4 R: Evaluate the Reflection (R): A=8 B=8");
    EXPECT_EQ(resumed.lines[1], "trial 5 E: Evaluate the Extension: A=10 B=10");
}

TEST_F(OptimizeFiles, FilesThatCannotBeResumed)
{
    const QString missing = path("missing.sso");
    const QString garbage = path("garbage.sso");
    {
        QFile file(garbage);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Steps\r\n 2 \r\n");
    }
    const QString early = atStage("early.sso", "none", "no");
    const QString factors = atStage("factors.sso", "DefineFactors", "no");
    const QString noResults = atStage("noresults.sso", "SeqSimplexInitialize", "no");
    const QString unknown = atStage("unknown.sso", "Later", "yes");

    // The reader's own sentence follows the file's name.
    core::OptimizationProblem scratch;
    const QString garbageError = core::ReadStateFile(garbage, scratch).error;
    ASSERT_FALSE(garbageError.isEmpty());

    struct Case {
        QString file;
        std::string message;
    };
    const Case cases[] = {
        {missing,
         QStringLiteral("message File Error: Cannot open \"%1\". The file does not exist.").arg(missing).toStdString()},
        {garbage, QStringLiteral("message File Error: Cannot open \"%1\". %2").arg(garbage, garbageError).toStdString()},
        {early, CannotResume(early, "stage \"none\"")},
        {factors, CannotResume(factors, "stage \"DefineFactors\"")},
        {noResults, CannotResume(noResults, "stage \"SeqSimplexInitialize\" without the results of its initial simplex")},
        {unknown, CannotResume(unknown, "stage \"Later\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const Session session = RunOptimize({"--open", c.file}, "5\n");
        EXPECT_EQ(session.status, ExitCannotGoOn);
        EXPECT_EQ(session.lines, Lines{c.message});
    }
}

// Saved straight after the results 1, 3, 2 of the initial simplex of the
// session tests: the file is at the stage where Begin Optimization is next.
class OptimizeFilesAfterInitialResults : public OptimizeFiles {
protected:
    QString savedAfterInitialResults(const QStringList& extra = {})
    {
        const QString file = path("initial.sso");
        const Session session = RunOptimize(SixteenFactors() + extra + QStringList{"--save", file}, InteriorStart);
        EXPECT_EQ(session.status, ExitSuccess);
        core::OptimizationProblem read;
        EXPECT_TRUE(core::ReadStateFile(file, read).ok);
        EXPECT_EQ(read.Stage.text(), "SeqSimplexInitialize");
        EXPECT_EQ(read.InitialSimplexDefined, "yes");
        return file;
    }
};

TEST_F(OptimizeFilesAfterInitialResults, OpenBeginsTheOptimizationAndGoesOnLikeTheUninterruptedSession)
{
    // The steps worked by hand in the session tests (coded level = level / 16):
    // ranked worst first v1 (.25,.25) 1, v3 (.25,.5) 2, v2 (.5,.25) 3; the
    // reflection of v1 is (.5,.5). Result 5 beats the best: extension
    // (.625,.625), 7, kept. Then R (.875,.375) 4 kept; R (1,.75) 1 is below the
    // rejected 3, so R - 1.5D = (.625,.375), 3.5 kept; R (.375,.625).
    const Lines expected = {
        "trial 4 R: Evaluate the Reflection (R): A=8 B=8",
        "trial 5 E: Evaluate the Extension: A=10 B=10",
        "trial 6 R: Use the Extension: A=14 B=6",
        "trial 7 R: Use the Reflection: A=16 B=12",
        "trial 8 Cw: Contract in the Reverse Direction: A=10 B=6",
        "trial 9 R: Use the Reflection: A=6 B=10",
        // Each initial vertex is counted once for the first simplex, however
        // often the problem was saved and opened before the first step.
        "vertex 1: A=4.0 B=4.0 result=1 type=Initial retained=1",
        "vertex 2: A=8.0 B=4.0 result=3 type=Initial retained=3",
        "vertex 3: A=4.0 B=8.0 result=2 type=Initial retained=2",
        "vertex 4: A=8.0 B=8.0 result=5 type=Reflection retained=0",
        "vertex 5: A=10.0 B=10.0 result=7 type=Extension retained=3",
        "vertex 6: A=14.0 B=6.0 result=4 type=Reflection retained=2",
        "vertex 7: A=16.0 B=12.0 result=1 type=Reflection retained=0",
        "vertex 8: A=10.0 B=6.0 result=3.5 type=Cw retained=1",
    };
    const std::string steps = "5\n7\n4\n1\n3.5\n";
    const Session resumed = RunOptimize({"--open", savedAfterInitialResults()}, steps);
    EXPECT_EQ(resumed.status, ExitSuccess);
    EXPECT_EQ(resumed.lines, expected);

    const Session straight = RunOptimize(SixteenFactors(), InteriorStart + steps);
    ASSERT_EQ(straight.lines.size(), 3u + expected.size());
    EXPECT_EQ(Lines(straight.lines.begin() + 3, straight.lines.end()), expected);
}

TEST_F(OptimizeFilesAfterInitialResults, OpenWithoutInputShowsTheFirstTrialAndSavesTheSameFile)
{
    const QString first = savedAfterInitialResults();
    const QString again = path("again.sso");
    const Session session = RunOptimize({"--open", first, "--json", "--save", again});
    EXPECT_EQ(session.status, ExitSuccess);
    const Lines expected = {
        R"j({"event":"trial","vertex":4,"type":"R","instruction":"Evaluate the Reflection (R)","levels":[8,8]})j",
        R"j({"event":"vertex","vertex":1,"levels":["4.0","4.0"],"values":[4,4],"result":1,"type":"Initial","retained":1,"status":"measured"})j",
        R"j({"event":"vertex","vertex":2,"levels":["8.0","4.0"],"values":[8,4],"result":3,"type":"Initial","retained":1,"status":"measured"})j",
        R"j({"event":"vertex","vertex":3,"levels":["4.0","8.0"],"values":[4,8],"result":2,"type":"Initial","retained":1,"status":"measured"})j",
    };
    EXPECT_EQ(session.lines, expected);
    // Opening and saving again before the first step changes nothing, so it
    // can be repeated without the initial vertices counting again.
    EXPECT_TRUE(SameBytes(first, again));
    const Session twice = RunOptimize({"--open", again, "--json"});
    EXPECT_EQ(twice.lines, expected);
}

TEST_F(OptimizeFilesAfterInitialResults, SimplexOfAnotherFactorCountIsBeginOptimizationsToRefuse)
{
    // The number of factors raised to 3 after the 2-factor simplex was entered.
    core::OptimizationProblem problem;
    ASSERT_TRUE(core::ReadStateFile(savedAfterInitialResults(), problem).ok);
    problem.NumFactors = 3;
    const QString file = path("three.sso");
    ASSERT_TRUE(core::WriteStateFile(problem, file).ok);
    const Session session = RunOptimize({"--open", file}, "5\n");
    EXPECT_EQ(session.status, ExitCannotGoOn);
    EXPECT_EQ(session.lines, Lines{"message Notice: You must define the initial simplex before continuing."});
}

TEST_F(OptimizeFilesAfterInitialResults, ContractionAsFirstTrialAndStepSizeChosenWhenOpening)
{
    // Corner simplex, maximising with results 1, 2, 3: row 1 (1,0) is worst,
    // its reflection (-1,1) and C + D/2 (-.5,.75) leave the box, C - D/2 is (.5,.25).
    const QString corner = path("corner.sso");
    ASSERT_EQ(RunOptimize(CornerFactors() + QStringList{"--save", corner}, "1\n2\n3\n").status, ExitSuccess);
    const Session contraction = RunOptimize({"--open", corner}, "");
    ASSERT_FALSE(contraction.lines.empty());
    EXPECT_EQ(contraction.lines[0], "trial 4 Cw: Contract in the Reverse Direction: A=5 B=7.5");

    // Fixed steps accept every vertex: v4 (.5,.5) 5 gives v3 | v2, v4 -> R
    // (.75,.25); v5 0, worst of all, is kept too: v2 | v5, v4 -> R (.75,.5).
    const Session fixed = RunOptimize({"--open", savedAfterInitialResults(), "--steps", "fixed"}, "5\n0\n");
    ASSERT_GE(fixed.lines.size(), 3u);
    EXPECT_EQ(Lines(fixed.lines.begin(), fixed.lines.begin() + 3),
              (Lines{"trial 4 R: Evaluate the Reflection (R): A=8 B=8", "trial 5 R: Use the Reflection: A=12 B=4",
                     "trial 6 R: Use the Reflection: A=12 B=8"}));
}

TEST_F(OptimizeFiles, CsvHoldsTheVertexSummaryAtFullPrecision)
{
    const QString csv = path("vertices.csv");
    const Session session = RunOptimize(SixteenFactors() + QStringList{"--csv", csv}, StoppedSession);
    EXPECT_EQ(session.status, ExitSuccess);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "Vertex,A,B,Result,Type,Times Retained,Status,First Result\r\n"
                              "1,4,4,1,Initial,1,measured,\r\n"
                              "2,8,4,3,Initial,3,measured,\r\n"
                              "3,4,8,2,Initial,2,measured,\r\n"
                              "4,8,8,5,Reflection,0,measured,\r\n"
                              "5,10,10,7,Extension,3,measured,\r\n"
                              "6,14,6,4,Reflection,2,measured,\r\n"
                              "7,16,12,1,Reflection,0,measured,\r\n"
                              "8,10,6,3.5,Cw,1,measured,\r\n");
}

// A failed reflection, a correction of vertex 2 (3 became 4.5) and vertex 3
// waiting to be measured again: the file keeps all of it, and the session
// opened from it goes on as the one that never stopped.
TEST_F(OptimizeFiles, FailedCorrectedAndPendingVerticesReadBack)
{
    const std::string lines = "failed\n4\ncorrect 2 4.5\nagain 3\n";
    const QString file = path("marked.sso");
    const QString csv = path("marked.csv");
    ASSERT_EQ(RunOptimize(SixteenFactors() + QStringList{"--save", file, "--csv", csv}, InteriorStart + lines).status,
              ExitSuccess);
    core::OptimizationProblem read;
    ASSERT_TRUE(core::ReadStateFile(file, read).ok);
    EXPECT_EQ(simplex::StatusOf(read, 2), simplex::VertexStatus::Corrected);
    EXPECT_EQ(simplex::FirstResultOf(read, 2), std::optional<double>(3));
    EXPECT_EQ(simplex::StatusOf(read, 4), simplex::VertexStatus::Failed);
    EXPECT_EQ(simplex::PendingAgain(read), std::optional<int>(3));
    QFile written(csv);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), "Vertex,A,B,Result,Type,Times Retained,Status,First Result\r\n"
                                 "1,4,4,1,Initial,1,measured,\r\n"
                                 "2,8,4,4.5,Initial,2,corrected,3\r\n"
                                 "3,4,8,2,Initial,2,measured,\r\n"
                                 "4,8,8,0,Reflection,0,failed,\r\n"
                                 "5,5,5,4,Cw,1,measured,\r\n");

    const Session resumed = RunOptimize({"--open", file}, "6\n");
    EXPECT_EQ(resumed.status, ExitSuccess);
    ASSERT_FALSE(resumed.lines.empty());
    EXPECT_EQ(resumed.lines[0], "trial 6 A: Measure Vertex 3 Again: A=4 B=8");
    const Session straight = RunOptimize(SixteenFactors(), InteriorStart + lines + "6\n");
    ASSERT_GE(straight.lines.size(), resumed.lines.size());
    EXPECT_EQ(Lines(straight.lines.end() - static_cast<std::ptrdiff_t>(resumed.lines.size()), straight.lines.end()),
              resumed.lines);
    EXPECT_EQ(resumed.lines.back(), "vertex 6: A=4.0 B=8.0 result=6 type=Again retained=1 status=again");
}

// Input that, once read to its end, runs an action: what changes on disk
// while a session runs, after the checks before it.
class InputThen : public std::streambuf {
public:
    InputThen(const std::string& text, std::function<void()> atEnd)
        : m_text(text)
        , m_atEnd(std::move(atEnd))
    {
        setg(m_text.data(), m_text.data(), m_text.data() + m_text.size());
    }

protected:
    int_type underflow() override
    {
        if (m_atEnd)
            std::exchange(m_atEnd, {})();
        return traits_type::eof();
    }

private:
    std::string m_text;
    std::function<void()> m_atEnd;
};

TEST_F(OptimizeFiles, WriteFailureIsReportedAfterTheOutputAndTheOtherFileIsWritten)
{
    // The folder goes away during the session, whoever runs the test.
    const QString folder = path("gone");
    struct Case {
        QString failing;
        std::string sentence;
        QString other;
        QString otherFile;
    };
    const Case cases[] = {
        {"--save", "Cannot save", "--csv", path("written.csv")},
        {"--csv", "Cannot write", "--save", path("written.sso")},
        {"--xlsx", "Cannot write", "--csv", path("beside.csv")},
        {"--csv", "Cannot write", "--xlsx", path("written.xlsx")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failing.toStdString());
        const QString target = folder + "/file";
        ASSERT_TRUE(QDir().mkpath(folder));
        InputThen input(InteriorStart, [&folder] { QDir(folder).removeRecursively(); });
        std::istream in(&input);
        const Session session = RunOptimize(SixteenFactors() + QStringList{c.failing, target, c.other, c.otherFile}, in);
        EXPECT_EQ(session.status, ExitCannotGoOn);
        ASSERT_EQ(session.lines.size(), 3u + 1u + 3u + 1u);
        EXPECT_EQ(session.lines[6], "vertex 3: A=4.0 B=8.0 result=2 type=Initial retained=1");
        const std::string prefix = "message File Error: " + c.sentence + " \"" + target.toStdString() + "\". ";
        EXPECT_EQ(session.lines[7].substr(0, prefix.size()), prefix);
        EXPECT_FALSE(QFile::exists(target));
        EXPECT_TRUE(QFile::exists(c.otherFile));
    }
}

// A name no save could use (a folder, a named pipe) is refused before the
// session, so no typed result is lost to it.
TEST_F(OptimizeFiles, UnwritableTargetIsRefusedBeforeAnyResult)
{
    const QString pipe = path("pipe");
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    for (const auto& [option, sentence, target] :
         {std::tuple{"--save", "Cannot save", pipe}, std::tuple{"--csv", "Cannot write", path("")},
          std::tuple{"--xlsx", "Cannot write", pipe}, std::tuple{"--xlsx", "Cannot write", path("none/v.xlsx")}}) {
        SCOPED_TRACE(option);
        const Session session = RunOptimize(SixteenFactors() + QStringList{option, target}, InteriorStart);
        EXPECT_EQ(session.status, ExitCannotGoOn);
        ASSERT_EQ(session.lines.size(), 1u);
        EXPECT_EQ(session.lines[0].rfind("message File Error: " + std::string(sentence) + " \"" + target.toStdString() + "\". ", 0), 0u)
            << session.lines[0];
    }
    EXPECT_TRUE(QFileInfo::exists(pipe) && !QFileInfo(pipe).isFile()); // the pipe is left in place
}

TEST_F(OptimizeFiles, FailedSessionSavesNothing)
{
    const QString file = path("never.sso");
    const QString csv = path("never.csv");
    const Session session = RunOptimize(SixteenFactors() + QStringList{"--save", file, "--csv", csv}, "0\n0\n0\n");
    EXPECT_EQ(session.status, ExitCannotGoOn);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(csv));
}

// Two responses: a line gives a value of each, the vertex lines show them
// with D, and the saved file keeps them in their section; opened again, the
// extension (D 0.6) is compared with its reflection's responses (D 0.707)
// and given up for it.
TEST_F(OptimizeFiles, TwoResponsesAreSavedWithTheRunAndResumed)
{
    const QString file = path("two.sso");
    const QStringList options = SixteenFactors()
        + QStringList{"--response", "Yield=max:0..10", "--response", "Impurity=min:0..10", "--save", file};
    const Session session = RunOptimize(options, "1 0 @ 4 4\n3 0 @ 8 4\n2 0 @ 4 8\n5 0\n5\n");
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_EQ(session.lines.size(), 10u);
    EXPECT_EQ(session.lines[4], "trial 5 E: Evaluate the Extension: A=10 B=10");
    EXPECT_EQ(session.lines[5], "message Input Error: Line 5: expected 2 values, one per response, but found 1. The "
                                "line is skipped.");
    EXPECT_EQ(session.lines[9], "vertex 4: A=8.0 B=8.0 result=0.70710676908493 type=Reflection retained=0 Yield=5 "
                                "Impurity=0 D=0.70710676908493");

    core::OptimizationProblem read;
    ASSERT_TRUE(core::ReadStateFile(file, read).ok);
    ASSERT_EQ(read.Responses.size(), 2u);
    EXPECT_EQ(read.Responses[1], (core::ResponseDefinition{"Impurity", core::ResponseGoal::Minimize, 0, 10}));
    EXPECT_EQ(read.VertexResponses.value(1, 4), 5);

    const Session resumed =
        RunOptimize({"--open", file, "--json"}, "4 1\ncorrect 1 Purity=5\ncorrect 1 Impurity=5\n");
    ASSERT_FALSE(resumed.lines.empty());
    const auto lineWith = [&resumed](const std::string& part) {
        return std::find_if(resumed.lines.begin(), resumed.lines.end(),
                            [&part](const std::string& line) { return line.find(part) != std::string::npos; });
    };
    EXPECT_NE(lineWith("Line 2: with several responses a correction is written as \\\"correct N NAME=VALUE\\\""),
              resumed.lines.end());
    EXPECT_NE(lineWith(R"j("vertex":1,"levels":["4.0","4.0"],"values":[4,4],"result":0.22360679507255554)j"),
              resumed.lines.end());
    EXPECT_NE(lineWith(R"j("status":"corrected","first_result":0.3162277638912201,"responses":[1,5])j"), resumed.lines.end());
    EXPECT_EQ(resumed.lines.back(), R"j({"event":"vertex","vertex":5,"levels":["10.0","10.0"],"values":[10,10],)j"
                                    R"j("result":0.6000000238418579,"type":"Extension","retained":0,"status":"measured",)j"
                                    R"j("responses":[4,1],"desirability":0.6000000238418579})j");
    EXPECT_NE(std::find(resumed.lines.begin(), resumed.lines.end(),
                        R"j({"event":"trial","vertex":6,"type":"R","instruction":"Use the Reflection","levels":[12,4]})j"),
              resumed.lines.end());
}

} // namespace
} // namespace zeltomir::cli
