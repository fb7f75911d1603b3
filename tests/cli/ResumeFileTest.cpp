#include "cli/ResumeFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zeltomir::cli {
namespace {

// No program ever opens the pipe for writing: only the stop ends the wait,
// and the record stays as it was.
TEST(ResumeFile, AStopEndsTheWaitForAPipeWithoutAWriter)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("p.sso");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    int wake[2];
    ASSERT_EQ(::pipe(wake), 0);
    ASSERT_EQ(write(wake[1], "x", 1), 1);
    core::OptimizationProblem problem;
    problem.NumFactors = 5;
    const ResumeFileRead read = ReadResumeFile(pipe, problem, nullptr, wake[0]);
    EXPECT_TRUE(read.stopped);
    EXPECT_EQ(problem.NumFactors, 5);
    close(wake[0]);
    close(wake[1]);
}

} // namespace
} // namespace zeltomir::cli
