#include "SimplexTestSupport.h"

#include "simplex/NextStep.h"
#include "simplex/ProblemSetup.h"
#include "simplex/TrialDisplay.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

// Two factors on 0..10 and 5..15, corner simplex with results 5, 6, 1 (the
// all-lower vertex is worst): Begin Optimization proposes the reflection
// (10, 15).
core::OptimizationProblem Running(const QString& goal = QStringLiteral("max"))
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, goal);
    test::CommitCorner(problem, {"5", "6", "1"});
    EXPECT_TRUE(BeginOptimization(problem).outcome.ok);
    return problem;
}

const StepInput Reflection{"7", {"10", "15"}};

struct Refusal {
    const char* name;
    std::function<void(core::OptimizationProblem&, StepInput&)> spoil;
    core::Message message; // shown, or asked by Begin Optimization
    Focus focus;
    bool beginAnsweredNo = false; // Begin Optimization instead of Next Step
};

// A refused command must leave the undo snapshot of the last real change
// where it is: no snapshot, no flag, not a bit of the record changed.
TEST(Refusals, ChangeNothingAndStoreNoSnapshot)
{
    const QString dataInput = QStringLiteral("Data Input Error");
    const core::Message defineFirst{"Notice", "You must define the initial simplex before continuing."};
    const core::Message countChanged{"Notice", "The number of factors has changed since the initial simplex was "
                                               "defined.  Put it back to 2 to go on with this run, or define the "
                                               "factors and the initial simplex again."};
    const Refusal cases[] = {
        {"empty result", [](auto&, StepInput& in) { in.result = ""; },
         {dataInput, "The result must be numeric."}, Focus::StepsResult},
        {"beyond single precision", [](auto&, StepInput& in) { in.result = "1e39"; },
         {dataInput, "The result must be numeric."}, Focus::StepsResult},
        {"level edited to text", [](auto&, StepInput& in) { in.levels[1] = "ten"; },
         {dataInput, "The level of factor B is not numeric."}, Focus::StepsLevels},
        {"level missing", [](auto&, StepInput& in) { in.levels.removeLast(); },
         {dataInput, "The level of factor B is not numeric."}, Focus::StepsLevels},
        {"equal limits", [](core::OptimizationProblem& p, auto&) { p.Factors[1].UpperLimit = 0; },
         {dataInput, "The lower and upper limits of factor A are equal.  Define the factors again with limits that differ."},
         Focus::StepsLevels},
        {"level below the lower limit", [](auto&, StepInput& in) { in.levels[0] = "-0.001"; },
         {dataInput, "The level of factor A is lower than the lower limit you specified.  The lower limit specified "
                     "was 0."},
         Focus::StepsLevels},
        {"level above the upper limit", [](auto&, StepInput& in) { in.levels[1] = "500"; },
         {dataInput, "The level of factor B is greater than the upper limit you specified.  The upper limit "
                     "specified was 15."},
         Focus::StepsLevels},
        // Beyond the single range both sides of the limit check are infinite.
        {"level whose coded value is no number",
         [](core::OptimizationProblem& p, StepInput& in) {
             p.Factors[1].LowerLimit = -8e307;
             p.Factors[1].UpperLimit = 8e307;
             in.levels[0] = "1.7e308";
         },
         {dataInput, "The level of factor A is too far from its limits to be recorded."}, Focus::StepsLevels},
        {"factor count changed", [](core::OptimizationProblem& p, auto&) { ASSERT_TRUE(CheckFactorCount(p, "3").ok); },
         countChanged, Focus::StepsResult},
        {"factor count changed, Begin Optimization",
         [](core::OptimizationProblem& p, auto&) { ASSERT_TRUE(CheckFactorCount(p, "4").ok); }, countChanged,
         Focus::None, true},
        {"initial simplex never committed, grid of zeros",
         [](core::OptimizationProblem& p, StepInput& in) {
             p = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}});
             in.levels = {"0", "0"};
         },
         defineFirst, Focus::StepsResult},
        {"initial simplex committed again, not begun",
         [](core::OptimizationProblem& p, auto&) { test::CommitCorner(p, {"5", "6", "1"}); },
         {"Notice", "You must click Begin Optimization before entering results."}, Focus::StepsResult},
        {"vertex history full",
         [](core::OptimizationProblem& p, auto&) {
             p.VertexHistory.ensure(6, MaxVertices);
             p.NumVertices = MaxVertices;
         },
         {"Notice", "The vertex history is full.  No more than 32767 vertices can be recorded for one problem."},
         Focus::StepsResult},
        {"begin again after a step, answered No",
         [](core::OptimizationProblem& p, auto&) {
             core::RunTimeState runTime;
             ASSERT_TRUE(NextStep(p, runTime, Reflection).outcome.ok);
         },
         {"Warning!", "Begin Optimization starts again from the initial simplex.  The 1 trial recorded since will be "
                      "dropped (Undo brings it back).  Start again?", core::MessageIcon::Question},
         Focus::None, true},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Running();
        StepInput input = Reflection;
        c.spoil(problem, input);
        core::RunTimeState runTime;
        const core::OptimizationProblem before = problem;
        int snapshots = 0;
        std::vector<core::Message> shown;
        const EngineHooks hooks{[&] { ++snapshots; }, [&](const core::Message& asked) {
                                    shown.push_back(asked);
                                    return false;
                                }};
        const StepsOutcome answer = c.beginAnsweredNo ? BeginOptimization(problem, hooks)
                                                      : NextStep(problem, runTime, input, hooks);
        shown.insert(shown.end(), answer.outcome.messages.begin(), answer.outcome.messages.end());
        EXPECT_FALSE(answer.outcome.ok);
        EXPECT_FALSE(answer.steps.has_value());
        EXPECT_EQ(shown, std::vector<core::Message>{c.message});
        EXPECT_EQ(answer.outcome.focus, c.focus);
        EXPECT_EQ(snapshots, 0);
        EXPECT_EQ(runTime.Modified, QStringLiteral("no"));
        EXPECT_EQ(problem, before);
    }
}

TEST(NextStep, LastVertexNumberThatFitsIsStillRecorded)
{
    core::OptimizationProblem problem = Running();
    problem.VertexHistory.ensure(6, MaxVertices - 1);
    problem.NumVertices = MaxVertices - 1;
    core::RunTimeState runTime;
    const StepsOutcome answer = NextStep(problem, runTime, Reflection);
    ASSERT_TRUE(answer.outcome.ok);
    EXPECT_EQ(problem.NumVertices, MaxVertices);
    EXPECT_EQ(problem.VertexHistory.value(3, MaxVertices), 7);
}

TEST(NextStep, ExponentResultsAreNumbers)
{
    core::OptimizationProblem problem = Running();
    core::RunTimeState runTime;
    ASSERT_TRUE(NextStep(problem, runTime, {"1e3", {"10", "15"}}).outcome.ok);
    EXPECT_EQ(problem.LastResult, 1000);
    EXPECT_EQ(problem.PreviousResult, 0);
    EXPECT_EQ(problem.FirstStepPending, QStringLiteral("no"));
    EXPECT_EQ(problem.Stage.text(), QStringLiteral("Steps"));
}

TEST(NextStep, RecordResponseFollowsTheGoal)
{
    const struct {
        QString goal;
        double target;
        double record;
        const char* result;
        double recordAfter;
    } cases[] = {
        {"max", 0, 5, "3", 3},         {"max", 0, 5, "7", 5},
        {"min", 0, 5, "7", 7},         {"min", 0, 5, "3", 5},
        {"mid", 10, 10 + 9999999.0, "10", 10}, {"mid", 10, 10 + 9999999.0, "9", 10 + 9999999.0},
        {"max", 0, 0.1, "0.1", 0.1},   // equal at single precision: no change
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.goal.toStdString() << " " << c.result);
        core::OptimizationProblem problem = Running(c.goal);
        problem.TargetValue = c.target;
        problem.RecordResponse = c.record;
        core::RunTimeState runTime;
        ASSERT_TRUE(NextStep(problem, runTime, {c.result, {"10", "15"}}).outcome.ok);
        EXPECT_EQ(problem.RecordResponse, c.recordAfter);
    }
}

TEST(NextStep, EditedLevelsWithTheUsersDecimalMark)
{
    core::OptimizationProblem problem = Running();
    core::RunTimeState runTime;
    const QLocale german(QLocale::German);
    const StepsOutcome answer = NextStep(problem, runTime, {"7,5", {"9,5", "15"}}, {}, german);
    ASSERT_TRUE(answer.outcome.ok);
    EXPECT_EQ(problem.VertexHistory.value(1, 4), 0.95);
    EXPECT_EQ(problem.LastResult, 7.5);
}

TEST(NextStep, LevelThatRoundsToNothingIsShownAsZero)
{
    // With 0 decimals (factors never committed keep 0) a level that rounds to
    // zero formats to an empty text, which reads back as no number: the grid
    // gets 0 instead, and the next step records 0.
    core::OptimizationProblem problem = test::WithFactors({{"A", "-3", "1", "1"}, {"B", "5", "15", "1"}});
    test::CommitCorner(problem, {"5", "6", "1"});
    problem.Factors[1].SignificantDigits = 0;
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    core::RunTimeState runTime;
    // The reflection (1, 1) beats every vertex; its extension leaves the limits,
    // so it is accepted and its successor (0, 2) replaced by the reverse
    // contraction (0.75, 0.5): A at 0.
    const StepsOutcome step = NextStep(problem, runTime, {"7", {"1", "15"}});
    ASSERT_TRUE(step.steps.has_value());
    EXPECT_EQ(step.steps->trial.instruction, QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(step.steps->trial.levels, (QStringList{"0", "10"}));
    ASSERT_TRUE(NextStep(problem, runTime, {"3", step.steps->trial.levels}).outcome.ok);
    EXPECT_EQ(problem.VertexHistory.value(1, 5), 0.75);
}

TEST(ReopenedSteps, ShowsTheStoredTrialUnroundedWithTheStoredInstruction)
{
    core::OptimizationProblem problem = Running();
    problem.TrialPoint[1] = 0.123456789;
    problem.TrialPoint[2] = 0.5;
    problem.Instruction = QStringLiteral("Contract but Move Forward");
    problem.CurrentVertexType = core::VertexType::ForwardContraction;
    const StepsContent content = ReopenedSteps(problem);
    ASSERT_TRUE(content.factorNames.has_value());
    EXPECT_EQ(*content.factorNames, (QStringList{"A", "B"}));
    EXPECT_EQ(content.trial.levels, (QStringList{"1.23456789", "10"}));
    EXPECT_EQ(content.trial.instruction, QStringLiteral("Contract but Move Forward"));
    EXPECT_EQ(content.trial.vertexType, QStringLiteral("Cr"));
    EXPECT_EQ(content.trial.vertexNumber, problem.NumVertices + 1);

    // A record read from a file may name more factors than it carries slots
    // for; nothing is read past the end of a table.
    problem.NumFactors = 3;
    problem.TrialPoint.resize(3);
    problem.Factors.resize(3);
    const StepsContent wider = ReopenedSteps(problem);
    EXPECT_EQ(wider.trial.levels.size(), 3);
    EXPECT_EQ(wider.factorNames->value(2), QStringLiteral("C"));
}

} // namespace
} // namespace zeltomir::simplex
