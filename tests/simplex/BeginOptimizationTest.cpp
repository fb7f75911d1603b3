#include "SimplexTestSupport.h"

#include "simplex/BeginOptimization.h"
#include "simplex/ProblemSetup.h"
#include "simplex/TrialDisplay.h"

#include "core/StateFile.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

using test::Column;
using test::CommitCorner;
using test::WithFactors;

core::OptimizationProblem Committed(const QString& goal, const QStringList& responses, double target = 0)
{
    core::OptimizationProblem problem = WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, goal);
    problem.TargetValue = target;
    CommitCorner(problem, responses);
    return problem;
}

TEST(BeginOptimization, RanksByObjectiveWithTheWorstInRowOne)
{
    const struct {
        const char* name;
        QString goal;
        double target;
        QStringList responses;
        std::vector<double> resultsAfter;
        std::vector<double> numbersAfter;
        std::vector<double> historyObjectives; // by vertex
    } cases[] = {
        {"minimise", "min", 0, {"3", "1", "2"}, {3, 2, 1}, {1, 3, 2}, {-3, -1, -2}},
        {"maximise", "max", 0, {"3", "1", "2"}, {1, 2, 3}, {2, 3, 1}, {3, 1, 2}},
        {"target: a hit scores best", "mid", 10, {"8", "10", "13"}, {13, 8, 10}, {3, 1, 2}, {0.5, 1e300, 1.0 / 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Committed(c.goal, c.responses, c.target);
        const StepsOutcome answer = BeginOptimization(problem);
        ASSERT_TRUE(answer.outcome.ok);
        EXPECT_EQ(Column(problem.Simplex, 3, 1, 3), c.resultsAfter);
        EXPECT_EQ(Column(problem.Simplex, 5, 1, 3), c.numbersAfter);
        EXPECT_EQ(Column(problem.VertexHistory, 6, 1, 3), c.historyObjectives);
    }
}

TEST(BeginOptimization, FirstTrialOfTheCornerSimplex)
{
    const struct {
        const char* name;
        QStringList responses;
        QStringList levels;
        QString instruction;
        QString type;
    } cases[] = {
        // Vertex 1 (A at its upper limit) worst: reflection (-1, 1) and forward
        // contraction (-0.5, 0.75) leave the box; the reverse one is (0.5, 0.25).
        {"reverse contraction", {"1", "5", "6"}, {"5", "7.5"}, "Contract in the Reverse Direction", "Cw"},
        // All factors at their lower limits worst: the reflection (1, 1).
        {"reflection", {"5", "6", "1"}, {"10", "15"}, "Evaluate the Reflection (R)", "R"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Committed(QStringLiteral("max"), c.responses);
        const StepsOutcome answer = BeginOptimization(problem);
        ASSERT_TRUE(answer.steps.has_value());
        EXPECT_EQ(answer.steps->factorNames, (QStringList{"A", "B"}));
        EXPECT_EQ(answer.steps->trial.levels, c.levels);
        EXPECT_EQ(answer.steps->trial.instruction, c.instruction);
        EXPECT_EQ(answer.steps->trial.vertexType, c.type);
        EXPECT_EQ(answer.steps->trial.vertexNumber, 4);
        EXPECT_EQ(problem.CurrentVertexType.text(), c.type);
        EXPECT_EQ(problem.OutOfLimits, QStringLiteral("n"));
        EXPECT_EQ(answer.outcome.focus, Focus::StepsResult);
        EXPECT_EQ(Column(problem.VertexHistory, 5, 1, 3), (std::vector<double>{1, 1, 1}));
    }
}

TEST(BeginOptimization, FirstTrialIsShownUnroundedWhateverTheDecimals)
{
    core::OptimizationProblem problem = WithFactors({{"A", "0", "1", "1"}, {"B", "0", "3", "0"}});
    GridText grid = test::CornerGrid(problem, {"5", "6", "1"});
    grid.setCell(1, 1, QStringLiteral("0.123456")); // vertex 1 is retained, so its level moves the centroid
    ASSERT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    const StepsOutcome answer = BeginOptimization(problem);
    ASSERT_TRUE(answer.steps.has_value());
    // Reflection of (0, 0) through (0.061728, 0.5): 1 and 0 decimals do not apply.
    EXPECT_EQ(answer.steps->trial.levels, (QStringList{"0.123456", "3"}));
    EXPECT_EQ(problem.CurrentVertexType, core::VertexType::Reflection);
}

TEST(BeginOptimization, FirstInstructionIsStoredForAStepsWindowReopenedAfterARefusedResult)
{
    const struct {
        const char* name;
        QStringList responses;
        QString instruction;
    } cases[] = {
        {"reflection", {"5", "6", "1"}, "Evaluate the Reflection (R)"},
        {"reverse contraction", {"1", "5", "6"}, "Contract in the Reverse Direction"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Committed(QStringLiteral("max"), c.responses);
        const StepsOutcome begun = BeginOptimization(problem);
        ASSERT_TRUE(begun.steps.has_value());
        EXPECT_EQ(problem.Instruction, c.instruction);

        // After a refused first result the steps window reopened from the
        // record (here after a save and an open) shows the stored trial and
        // instruction.
        core::RunTimeState runTime;
        ASSERT_FALSE(NextStep(problem, runTime, {"", begun.steps->trial.levels}).outcome.ok);
        core::OptimizationProblem reopened = test::StartupProblem();
        ASSERT_TRUE(core::ParseStateFileLines(core::StateFileLines(problem), reopened).ok);
        const StepsContent content = ReopenedSteps(reopened);
        EXPECT_EQ(content.trial.instruction, c.instruction);
        EXPECT_EQ(content.trial.levels, begun.steps->trial.levels);
        EXPECT_EQ(content.trial.vertexType, begun.steps->trial.vertexType);
    }
}

TEST(BeginOptimization, SnapshotComesAfterTheCheckAndBeforeAnyChange)
{
    core::OptimizationProblem problem = Committed(QStringLiteral("max"), {"3", "1", "2"});
    problem.FirstStepPending = QStringLiteral("no");
    const core::OptimizationProblem before = problem;
    bool unchangedAtSnapshot = false;
    const StepsOutcome answer = BeginOptimization(problem, {[&] { unchangedAtSnapshot = problem == before; }});
    EXPECT_TRUE(answer.outcome.ok);
    EXPECT_TRUE(unchangedAtSnapshot);
    EXPECT_EQ(problem.FirstStepPending, QStringLiteral("yes"));
}

TEST(BeginOptimization, RefusedWithoutASimplexForTheCurrentFactors)
{
    const QString defineFirst = QStringLiteral("You must define the initial simplex before continuing.");
    const QString putBack = QStringLiteral("The number of factors has changed since the initial simplex was defined.  "
                                           "Put it back to 2 to go on with this run, or define the factors and the "
                                           "initial simplex again.");
    const struct {
        const char* name;
        std::function<void(core::OptimizationProblem&)> change;
        QString message;
    } cases[] = {
        {"never committed", [](core::OptimizationProblem& p) { p.InitialSimplexDefined = QStringLiteral("no"); },
         defineFirst},
        {"one more factor", [](core::OptimizationProblem& p) { ASSERT_TRUE(CheckFactorCount(p, "3").ok); }, putBack},
        {"one factor fewer", [](core::OptimizationProblem& p) { ASSERT_TRUE(CheckFactorCount(p, "1").ok); }, putBack},
        {"no factors", [](core::OptimizationProblem& p) { ASSERT_TRUE(CheckFactorCount(p, "0").ok); }, putBack},
        {"window reopened for 3 factors, then back to 2",
         [](core::OptimizationProblem& p) {
             p.Factors[3].LowerLimit = 0;
             p.Factors[3].UpperLimit = 1;
             ASSERT_TRUE(DefineInitialSimplex(p, "3", {}, std::nullopt).outcome.ok);
             ASSERT_TRUE(CheckFactorCount(p, "2").ok);
         },
         defineFirst},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Committed(QStringLiteral("max"), {"3", "1", "2"});
        c.change(problem);
        const core::OptimizationProblem before = problem;
        int snapshots = 0;
        const StepsOutcome answer = BeginOptimization(problem, {[&] { ++snapshots; }});
        EXPECT_FALSE(answer.outcome.ok);
        EXPECT_FALSE(answer.steps.has_value());
        ASSERT_EQ(answer.outcome.messages.size(), 1u);
        EXPECT_EQ(answer.outcome.messages[0], (core::Message{QStringLiteral("Notice"), c.message}));
        EXPECT_EQ(snapshots, 0);
        EXPECT_EQ(problem, before);
    }
}

TEST(BeginOptimization, ChangingTheCountBackMakesTheSimplexUsableAgain)
{
    core::OptimizationProblem problem = Committed(QStringLiteral("max"), {"3", "1", "2"});
    ASSERT_TRUE(CheckFactorCount(problem, "5").ok);
    EXPECT_FALSE(BeginOptimization(problem).outcome.ok);
    ASSERT_TRUE(CheckFactorCount(problem, "2").ok);
    EXPECT_TRUE(BeginOptimization(problem).outcome.ok);
}

TEST(BeginOptimization, WorksOnAProblemReadFromAStateFile)
{
    core::OptimizationProblem saved = Committed(QStringLiteral("max"), {"3", "1", "2"});
    ASSERT_TRUE(BeginOptimization(saved).outcome.ok);
    core::OptimizationProblem problem = test::StartupProblem();
    const core::FileStatus read = core::ParseStateFileLines(core::StateFileLines(saved), problem);
    ASSERT_TRUE(read.ok) << read.error.toStdString();
    core::OptimizationProblem lowered = problem;
    const StepsOutcome answer = BeginOptimization(problem);
    ASSERT_TRUE(answer.outcome.ok);
    EXPECT_EQ(answer.steps->trial.levels, (QStringList{"2.5", "10"})); // vertex 2 (result 1) is contracted from

    // A count lowered after reading leaves the objectives of the vertex
    // history beyond the new count's columns, which gives the change away.
    ASSERT_TRUE(CheckFactorCount(lowered, "1").ok);
    EXPECT_FALSE(BeginOptimization(lowered).outcome.ok);
}

TEST(BeginOptimization, PressedAgainMidRunStartsOverFromTheInitialSimplex)
{
    core::OptimizationProblem problem = Committed(QStringLiteral("max"), {"3", "1", "2"});
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    core::RunTimeState runTime;
    const StepsOutcome step = NextStep(problem, runTime, {"2.5", {"0", "15"}});
    ASSERT_TRUE(step.outcome.ok);
    EXPECT_TRUE(BeginOptimization(problem).outcome.ok);
    EXPECT_EQ(problem.FirstStepPending, QStringLiteral("yes"));
}

// Problems run from their committed corner simplex. Each step answers the
// trial on show at its levels; "x" is a result the steps window refuses.
struct SampleRun {
    const char* name;
    std::vector<test::FactorSpec> factors;
    QString goal;
    double target;
    QStringList responses;
    QStringList results;
};

const SampleRun Runs[] = {
    {"maximise, the reflection first", {{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, "max", 0,
     {"3", "1", "2"}, {"7", "x", "2.5", "4"}},
    {"target, the reverse contraction first", {{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, "mid", 10,
     {"8", "10", "13"}, {"9", "12", "10.5"}},
    {"minimise, three factors", {{"A", "0", "8", "2"}, {"B", "-4", "4", "2"}, {"C", "1", "2", "3"}}, "min", 0,
     {"3", "1", "2", "4"}, {"0.5", "6", "2"}},
};

core::OptimizationProblem CommittedRun(const SampleRun& run)
{
    core::OptimizationProblem problem = WithFactors(run.factors, run.goal);
    problem.TargetValue = run.target;
    CommitCorner(problem, run.responses);
    return problem;
}

void RunSteps(core::OptimizationProblem& problem, QStringList levels, const QStringList& results)
{
    core::RunTimeState runTime;
    for (const QString& result : results) {
        const StepsOutcome step = NextStep(problem, runTime, {result, levels});
        EXPECT_EQ(step.outcome.ok, result != QLatin1String("x"));
        if (step.steps)
            levels = step.steps->trial.levels;
    }
}

void ExpectSameTrial(const StepsOutcome& actual, const StepsOutcome& expected)
{
    ASSERT_TRUE(actual.steps.has_value());
    ASSERT_TRUE(expected.steps.has_value());
    EXPECT_EQ(actual.steps->factorNames, expected.steps->factorNames);
    EXPECT_EQ(actual.steps->trial.levels, expected.steps->trial.levels);
    EXPECT_EQ(actual.steps->trial.instruction, expected.steps->trial.instruction);
    EXPECT_EQ(actual.steps->trial.vertexType, expected.steps->trial.vertexType);
    EXPECT_EQ(actual.steps->trial.vertexNumber, expected.steps->trial.vertexNumber);
}

TEST(BeginOptimization, PressedAgainAfterStepsGivesTheRecordOfTheFirstBegin)
{
    for (const SampleRun& run : Runs) {
        SCOPED_TRACE(run.name);
        core::OptimizationProblem problem = CommittedRun(run);
        const StepsOutcome first = BeginOptimization(problem);
        ASSERT_TRUE(first.outcome.ok);
        const QStringList afterFirstBegin = core::StateFileLines(problem);
        const int k = problem.NumFactors;
        RunSteps(problem, first.steps->trial.levels, run.results);
        const QStringList afterSteps = core::StateFileLines(problem);
        ASSERT_GT(problem.NumVertices, k + 1);

        const StepsOutcome again = BeginOptimization(problem);
        ASSERT_TRUE(again.outcome.ok);
        ExpectSameTrial(again, first);
        EXPECT_EQ(problem.NumVertices, k + 1);
        EXPECT_EQ(core::StateFileLines(problem), afterFirstBegin);
        // The rows of the abandoned vertices read as a vertex row never written.
        bool laterRowsClear = true;
        for (int v = k + 2; v <= problem.VertexHistory.maxRow(); ++v)
            for (int c = 0; c <= problem.VertexHistory.maxCol(); ++c)
                laterRowsClear = laterRowsClear && problem.VertexHistory.value(c, v) == 0;
        EXPECT_TRUE(laterRowsClear);

        // The same results from there give the same run again.
        RunSteps(problem, again.steps->trial.levels, run.results);
        EXPECT_EQ(core::StateFileLines(problem), afterSteps);
    }
}

TEST(BeginOptimization, OnARecordSavedRightAfterBeginGoesOnLikeTheUninterruptedRun)
{
    for (const SampleRun& run : Runs) {
        SCOPED_TRACE(run.name);
        core::OptimizationProblem straight = CommittedRun(run);
        const StepsOutcome begun = BeginOptimization(straight);
        ASSERT_TRUE(begun.outcome.ok);
        const int k = straight.NumFactors;

        core::OptimizationProblem reopened = test::StartupProblem();
        const core::FileStatus read = core::ParseStateFileLines(core::StateFileLines(straight), reopened);
        ASSERT_TRUE(read.ok) << read.error.toStdString();
        const StepsOutcome resumed = BeginOptimization(reopened);
        ASSERT_TRUE(resumed.outcome.ok);
        ExpectSameTrial(resumed, begun);
        EXPECT_EQ(Column(reopened.Simplex, k + 3, 1, k + 1), Column(straight.Simplex, k + 3, 1, k + 1));
        EXPECT_EQ(Column(reopened.VertexHistory, k + 3, 1, k + 1), std::vector<double>(k + 1, 1.0));
        EXPECT_EQ(core::StateFileLines(reopened), core::StateFileLines(straight));

        RunSteps(straight, begun.steps->trial.levels, run.results);
        RunSteps(reopened, resumed.steps->trial.levels, run.results);
        EXPECT_EQ(core::StateFileLines(reopened), core::StateFileLines(straight));
    }
}

} // namespace
} // namespace zeltomir::simplex
