// A simplex run on a simulated process through the engine, as the windows
// drive it: the record started from the process, the trials measured with
// the run's own noise, the record saved and read back, and what the reveal
// shows at the end.

#include "SimplexTestSupport.h"

#include "simplex/InitialSimplex.h"
#include "simplex/NextStep.h"
#include "simplex/ProcessNoise.h"
#include "simplex/ProblemSetup.h"
#include "simplex/ReadBack.h"
#include "simplex/SimulatedRun.h"
#include "simplex/SimulationReveal.h"
#include "simplex/TrialDisplay.h"

#include "core/NumberText.h"
#include "core/StateFile.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zeltomir::simplex {
namespace {

core::OptimizationProblem Started(const QString& name, double sigma, const QString& stepType = "Variable")
{
    core::OptimizationProblem problem;
    core::ResetToStartup(problem);
    StartSimulatedRun(problem, *FindSimulatedProcess(name), {name, sigma, 20240611, stepType});
    return problem;
}

// The corner simplex measured by Run Trial, committed, and `steps` trials
// each measured by Run Trial and entered by Next Step.
void RunSteps(core::OptimizationProblem& problem, int steps)
{
    const DefineInitialSimplexResult defined =
        DefineInitialSimplex(problem, QString::number(problem.NumFactors), QString(), std::nullopt);
    ASSERT_TRUE(defined.outcome.ok);
    ASSERT_TRUE(ContinueInitialSimplex(problem, MeasureInitialRows(problem, defined.grid)).ok);
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    core::RunTimeState runTime;
    for (int step = 0; step < steps; ++step) {
        StepInput input;
        input.levels = ReopenedSteps(problem).trial.levels;
        input.result = MeasureTrial(problem, input.levels, problem.NumVertices + 1).value();
        ASSERT_TRUE(NextStep(problem, runTime, input).outcome.ok) << step;
    }
}

TEST(SimulatedRun, StartsTheProblemOfTheProcess)
{
    const core::OptimizationProblem problem = Started("peak", 1.5, "Fixed");
    EXPECT_EQ(problem.NumFactors, 2);
    EXPECT_EQ(problem.Factors[1].FactorName, "T (K)");
    EXPECT_EQ(problem.Factors[1].LowerLimit, 278);
    EXPECT_EQ(problem.Factors[2].UpperLimit, 14);
    EXPECT_EQ(problem.Factors[2].SignificantDigits, 2);
    EXPECT_EQ(problem.Goal, core::Goal::Max);
    EXPECT_EQ(problem.StepType, "Fixed");
    EXPECT_EQ(ProcessOfRun(problem), FindSimulatedProcess(u"peak"));
    EXPECT_EQ(problem.SimulationNoise, 1.5);
    core::OptimizationProblem responses = problem;
    responses.Responses = {{"Yield", core::ResponseGoal::Maximize, 0, 100}};
    EXPECT_EQ(ProcessOfRun(responses), nullptr);
}

// Row i of the initial simplex is vertex i and takes draw i; a row whose
// levels are not numbers is left for the learner.
TEST(SimulatedRun, RunTrialMeasuresEveryInitialRowWithItsOwnDraw)
{
    core::OptimizationProblem problem = Started("hill", 0.25);
    const SimulatedProcess& hill = *ProcessOfRun(problem);
    GridText grid = test::CornerGrid(problem, {});
    grid.setCell(2, 1, QStringLiteral("ten"));
    grid.setCell(2, 3, QStringLiteral("typed"));
    const GridText measured = MeasureInitialRows(problem, grid);
    for (int row : {1, 3}) {
        SCOPED_TRACE(row);
        const std::vector<double> levels{grid.cell(row, 1).toDouble(), grid.cell(row, 2).toDouble()};
        const double value = MeasuredResponse(hill, levels, 0.25, problem.SimulationSeed, static_cast<std::uint64_t>(row));
        EXPECT_EQ(measured.cell(row, 3).toFloat(), static_cast<float>(value));
        EXPECT_NE(value, hill.trueResponse(levels));
    }
    EXPECT_EQ(measured.cell(2, 3), "typed");
}

// The noise belongs to the vertex: the trial on show measures the same after
// the record went through its file.
TEST(SimulatedRun, ATrialMeasuresTheSameAfterASaveAndARead)
{
    core::OptimizationProblem problem = Started("two-peaks", 3);
    RunSteps(problem, 4);
    const QStringList levels = ReopenedSteps(problem).trial.levels;
    const QString before = MeasureTrial(problem, levels, problem.NumVertices + 1).value();

    core::OptimizationProblem read;
    core::ResetToStartup(read);
    ASSERT_TRUE(ParseProblemBytes(core::StateFileBytes(problem), read));
    EXPECT_EQ(MeasureTrial(read, levels, read.NumVertices + 1), before);
    EXPECT_NE(MeasureTrial(read, levels, read.NumVertices + 2), before);
}

TEST(SimulatedRun, AFileOfAnUnknownOrMismatchedProcessIsRefused)
{
    const struct {
        const char* name;
        QString process;
        int factors;
        QString error;
    } cases[] = {
        {"unknown", "volcano", 2,
         "The problem is run on the simulated process \"volcano\", which this program does not know."},
        {"other factors", "reactor", 2,
         "The problem is run on the simulated process \"reactor\", which has 3 factors, but has 2."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem written = Started("hill", 1);
        written.SimulatedProcess = c.process;
        core::OptimizationProblem problem = Started("peak", 0);
        const core::OptimizationProblem before = problem;
        const core::FileStatus read = ParseProblemBytes(core::StateFileBytes(written), problem);
        EXPECT_FALSE(read);
        EXPECT_EQ(read.error, c.error);
        EXPECT_TRUE(problem == before);
    }
}

// Without noise the best measured vertex is the best true one, and a variable
// run on the hill ends close to its top.
TEST(SimulatedRun, TheRevealMeasuresTheRunAgainstTheTruth)
{
    core::OptimizationProblem problem = Started("hill", 0);
    RunSteps(problem, 30);
    const SimulatedProcess& hill = *ProcessOfRun(problem);
    const RevealSummary summary = SummariseSimulatedRun(problem, hill);
    EXPECT_EQ(summary.trials, 33);
    EXPECT_FLOAT_EQ(static_cast<float>(summary.trueAtBest), static_cast<float>(summary.bestMeasured));
    ASSERT_TRUE(summary.within95 && summary.within99);
    EXPECT_LE(*summary.within95, *summary.within99);
    EXPECT_LE(*summary.within99, summary.trials);
    for (const double off : summary.distance)
        EXPECT_LT(std::abs(off), 0.5);
    const QString text = RevealText(summary, hill);
    EXPECT_TRUE(text.contains(QStringLiteral("Trials so far: 33")));
    EXPECT_TRUE(text.contains(QStringLiteral("Within 99 % of the optimum: trial %1").arg(*summary.within99)));
}

// The slice of a three-factor process is taken through the given level of
// the third; its highest cell lies next to the optimum where the slice
// passes through it.
TEST(SimulatedRun, TheTrueSurfaceIsTheSliceThroughTheOtherLevels)
{
    const SimulatedProcess& reactor = *FindSimulatedProcess(u"reactor");
    const TrueSurface surface = TrueSurfaceSlice(reactor, reactor.optimum.levels, 1, 2, 41);
    ASSERT_EQ(surface.values.size(), 41u * 41u);
    const ProcessFactor& x = reactor.factors[0];
    const ProcessFactor& y = reactor.factors[1];
    EXPECT_EQ(surface.values.front(), reactor.trueResponse(std::vector<double>{x.lower, y.lower, reactor.optimum.levels[2]}));
    EXPECT_EQ(surface.values.back(), reactor.trueResponse(std::vector<double>{x.upper, y.upper, reactor.optimum.levels[2]}));
    const auto top = std::max_element(surface.values.begin(), surface.values.end()) - surface.values.begin();
    const double cellX = (x.upper - x.lower) / 40;
    const double cellY = (y.upper - y.lower) / 40;
    EXPECT_NEAR(x.lower + cellX * static_cast<double>(top % 41), surface.optimum.x(), cellX);
    EXPECT_NEAR(y.lower + cellY * static_cast<double>(top / 41), surface.optimum.y(), cellY);
}

} // namespace
} // namespace zeltomir::simplex
