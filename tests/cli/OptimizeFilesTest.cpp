#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeltomir::cli {
namespace {

using test::InteriorStart;
using test::RunOptimize;
using test::Session;
using test::SixteenFactors;
using Lines = std::vector<std::string>;

// The hand-worked session of the session tests, stopped with the trial
// (6,10) "Use the Reflection" on show. The simplex is then v6 (.875,.375)
// result 4 | v8 (.625,.375) 3.5, v5 (.625,.625) 7 with step (-.25,.125).
const std::string StoppedSession = InteriorStart + "5\n7\n4\n1\n3.5\n";

class OptimizeFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
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

TEST_F(OptimizeFiles, StepSizeIsChosenAgainWhenOpening)
{
    // Fixed steps accept the result 3: v8 | v9 (.375,.625), v5 -> R (.375,.875).
    const Session resumed = RunOptimize({"--open", saved(), "--steps", "fixed"}, "3\n");
    ASSERT_GE(resumed.lines.size(), 2u);
    EXPECT_EQ(resumed.lines[1], "trial 10 R: Use the Reflection: A=6 B=14");
}

TEST_F(OptimizeFiles, OpenWithoutInputWritesTheSummaryAndSavesAgain)
{
    const QString again = path("again.sso");
    const Session session = RunOptimize({"--open", saved(), "--json", "--save", again});
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_EQ(session.lines.size(), 9u);
    EXPECT_EQ(session.lines[0],
              R"j({"event":"trial","vertex":9,"type":"R","instruction":"Use the Reflection","levels":[6,10]})j");
    QFile first(path("p.sso"));
    QFile second(again);
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), second.readAll());
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
    const QString early = path("early.sso");
    core::OptimizationProblem problem;
    core::ResetToStartup(problem);
    ASSERT_TRUE(core::WriteStateFile(problem, early).ok);

    // The reader's own sentence follows the file's name.
    core::OptimizationProblem scratch;
    const QString garbageError = core::ReadStateFile(garbage, scratch).error;
    ASSERT_FALSE(garbageError.isEmpty());

    struct Case {
        QString file;
        QString message;
    };
    const Case cases[] = {
        {missing, QStringLiteral("message File Error: Cannot open \"%1\". The file does not exist.").arg(missing)},
        {garbage, QStringLiteral("message File Error: Cannot open \"%1\". %2").arg(garbage, garbageError)},
        {early, QStringLiteral("message File Error: \"%1\" holds a problem at stage \"none\". Only a problem saved "
                               "during the optimization steps (stage \"Steps\") can be resumed.")
                    .arg(early)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const Session session = RunOptimize({"--open", c.file}, "5\n");
        EXPECT_EQ(session.status, ExitCannotGoOn);
        EXPECT_EQ(session.lines, Lines{c.message.toStdString()});
    }
}

TEST_F(OptimizeFiles, SaveFailureIsReportedAfterTheOutput)
{
    // A folder that is a plain file cannot hold the problem file, whoever runs the test.
    const QString blocker = path("blocker");
    {
        QFile file(blocker);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString target = blocker + "/p.sso";
    const Session session = RunOptimize(SixteenFactors() + QStringList{"--save", target}, InteriorStart);
    EXPECT_EQ(session.status, ExitCannotGoOn);
    ASSERT_EQ(session.lines.size(), 3u + 1u + 3u + 1u);
    EXPECT_EQ(session.lines[6], "vertex 3: A=4.0 B=8.0 result=2 type=Initial retained=1");
    const std::string prefix = "message File Error: Cannot save \"" + target.toStdString() + "\". ";
    EXPECT_EQ(session.lines[7].substr(0, prefix.size()), prefix);
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(OptimizeFiles, FailedSessionSavesNothing)
{
    const QString file = path("never.sso");
    const Session session = RunOptimize(SixteenFactors() + QStringList{"--save", file}, "0\n0\n0\n");
    EXPECT_EQ(session.status, ExitCannotGoOn);
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
} // namespace zeltomir::cli
