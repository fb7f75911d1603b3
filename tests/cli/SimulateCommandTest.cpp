#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zeltomir::cli {
namespace {

using test::RunSimulate;
using test::Session;

bool Contains(const std::string& line, const std::string& part)
{
    return line.find(part) != std::string::npos;
}

// The trial by which the README's study table says a noise-free run with
// variable steps is within 99 % of the optimum (every seed runs alike
// without noise). Each process has its own goal, so a run that climbed
// where it should descend, or missed the target, fails here.
struct StudyFigure {
    const char* process;
    int trialsTo99;
};

TEST(SimulateCommand, NoiseFreeVariableRunsReach99PercentAsTheStudySays)
{
    for (const StudyFigure& figure : {StudyFigure{"hill", 10}, StudyFigure{"peak", 19}, StudyFigure{"two-peaks", 24},
                                      StudyFigure{"ridge", 5}, StudyFigure{"reactor", 15},
                                      StudyFigure{"viscosity", 10}}) {
        SCOPED_TRACE(figure.process);
        const Session session =
            RunSimulate({"--process", figure.process, "--trials", QString::number(figure.trialsTo99), "--json"});
        ASSERT_EQ(session.status, ExitSuccess);
        ASSERT_FALSE(session.lines.empty());
        const std::string& summary = session.lines.back();
        ASSERT_TRUE(Contains(summary, R"("event":"summary")")) << summary;
        const std::size_t at = summary.find(R"("within_99":)");
        ASSERT_NE(at, std::string::npos) << summary;
        const std::string trial = summary.substr(at + 12, summary.find_first_of(",}", at) - at - 12);
        ASSERT_NE(trial, "null") << summary;
        EXPECT_LE(std::stoi(trial), figure.trialsTo99);
    }
}

// A seed stands for a run: the noise of every vertex, re-measurements
// included, comes from it alone, so a second run repeats the first line for
// line and another seed does not.
TEST(SimulateCommand, TheSameSeedGivesTheSameRun)
{
    for (const QStringList& options : {QStringList{"--process", "two-peaks", "--noise", "4"},
                                       QStringList{"--process", "hill", "--noise", "0.3", "--again", "--json"}}) {
        SCOPED_TRACE(options.join(' ').toStdString());
        const QStringList run = options + QStringList{"--seed", "42", "--trials", "40"};
        const Session first = RunSimulate(run);
        const Session second = RunSimulate(run);
        ASSERT_EQ(first.status, ExitSuccess);
        EXPECT_EQ(first.lines.size(), 42u); // the options, 40 trials, the summary
        EXPECT_EQ(second.lines, first.lines);
        EXPECT_NE(RunSimulate(options + QStringList{"--seed", "43", "--trials", "40"}).lines, first.lines);
    }
}

// The JSON list: one event per process, its factors and false optima as
// arrays of objects separated by commas.
TEST(SimulateCommand, TheJsonListGivesEachProcessItsFactorsAndFalseOptima)
{
    const Session session = RunSimulate({"--list", "--json"});
    ASSERT_EQ(session.status, ExitSuccess);
    ASSERT_EQ(session.lines.size(), 6u);
    const auto twoPeaks = std::find_if(session.lines.begin(), session.lines.end(), [](const std::string& line) {
        return Contains(line, R"("name":"two-peaks")");
    });
    ASSERT_NE(twoPeaks, session.lines.end());
    EXPECT_TRUE(Contains(*twoPeaks, R"("factors":[{"name":"T","unit":"K","lower":278,"upper":365,"decimals":1},)"
                                    R"({"name":"pH","unit":"","lower":0,"upper":14,"decimals":2}],)"))
        << *twoPeaks;
    EXPECT_TRUE(Contains(*twoPeaks, R"("false_optima":[{"levels":[339.407976,4.57135992],"true":81.4101806}])"))
        << *twoPeaks;
}

TEST(SimulateCommand, AgainMeasuresTheKeptVertexAtTheNextStep)
{
    const Session session = RunSimulate({"--process", "hill", "--noise", "0.5", "--again", "--trials", "12"});
    ASSERT_EQ(session.status, ExitSuccess);
    const auto again = std::find_if(session.lines.begin(), session.lines.end(),
                                    [](const std::string& line) { return Contains(line, "again)"); });
    ASSERT_NE(again, session.lines.end());
    EXPECT_TRUE(again->starts_with("trial 8 A (vertex 2 again): A=0 B=10 measured=")) << *again;
}

} // namespace
} // namespace zeltomir::cli
