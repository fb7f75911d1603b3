// Measure Again, Trial Failed and Correct Result at the engine: what each
// records and which trial comes next.

#include "SimplexTestSupport.h"

#include "simplex/CorrectResult.h"
#include "simplex/MeasureAgain.h"
#include "simplex/NextStep.h"
#include "simplex/ProblemSetup.h"
#include "simplex/ReadBack.h"
#include "simplex/RunProgress.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"
#include "simplex/VertexView.h"

#include "core/StateFile.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

// A and B on 0..10 (no decimals), maximised, the simplex (4,4), (5,4),
// (4,5) with the results 10, 20, 5, begun: the first trial is (5,3).
core::OptimizationProblem SmallSimplex(const QString& stepType = QStringLiteral("Variable"),
                                       const std::vector<test::FactorSpec>& factors = {{"A", "0", "10", "0"},
                                                                                       {"B", "0", "10", "0"}})
{
    core::OptimizationProblem problem = test::WithFactors(factors, QStringLiteral("max"), stepType);
    GridText grid = FillInitialSimplexGrid(problem, LoadInitialSimplexGrid(problem));
    const QStringList rows[] = {{"4", "4", "10"}, {"5", "4", "20"}, {"4", "5", "5"}};
    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 3; ++c)
            grid.setCell(r, c, rows[r - 1][c - 1]);
    }
    EXPECT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    EXPECT_TRUE(BeginOptimization(problem).outcome.ok);
    return problem;
}

QStringList Levels(const StepsOutcome& outcome)
{
    return outcome.steps ? outcome.steps->trial.levels : QStringList{};
}

TEST(MeasureAgain, TheNextTrialReflectsTheVertexNowLowest)
{
    core::OptimizationProblem problem = SmallSimplex();
    core::RunTimeState runTime;
    EXPECT_EQ(ReopenedSteps(problem).trial.levels, (QStringList{"5", "3"}));

    const StepsOutcome asked = MeasureAgain(problem, runTime, 1);
    ASSERT_TRUE(asked.outcome.ok);
    EXPECT_EQ(asked.steps->trial.instruction, "Measure Vertex 1 Again");
    EXPECT_EQ(asked.steps->trial.levels, (QStringList{"4", "4"}));
    EXPECT_EQ(asked.steps->trial.againOf, 1);
    // The request survives a file: written, read and shown again.
    core::OptimizationProblem reread;
    core::ResetToStartup(reread);
    ASSERT_TRUE(ParseProblemBytes(core::StateFileBytes(problem), reread).ok);
    EXPECT_EQ(PendingAgain(reread), 1);
    EXPECT_EQ(ReopenedSteps(reread).trial.instruction, "Measure Vertex 1 Again");

    int snapshots = 0;
    const StepsOutcome measured = NextStep(problem, runTime, {"1", {"0", "0"}}, {[&] { ++snapshots; }});
    ASSERT_TRUE(measured.outcome.ok);
    EXPECT_EQ(snapshots, 1);
    EXPECT_EQ(Levels(measured), (QStringList{"5", "5"}));
    EXPECT_EQ(measured.steps->trial.instruction, "Use the Reflection");
    EXPECT_FALSE(PendingAgain(problem));
    const Vertex again(problem, 4);
    EXPECT_EQ(again.type(), core::VertexType::Again);
    EXPECT_EQ(again.naturalLevels(), (std::vector<double>{4, 4}));
    EXPECT_EQ(again.result(), 1);
    EXPECT_EQ(again.timesRetained(), 1);
    EXPECT_EQ(Vertex(problem, 1).result(), 10); // the old measurement stays in the history
    EXPECT_EQ(SimplexVertices(problem), (std::vector<std::optional<int>>{4, 3, 2}));
}

// The same simplex in the corners of A and B on 4..5: after vertex 2 is
// measured again as 1, the reflection of (5,4) and the forward contraction
// leave the limits, so the reverse contraction comes.
TEST(MeasureAgain, TheNextTrialFallsBackAtTheLimits)
{
    core::OptimizationProblem problem =
        SmallSimplex(QStringLiteral("Variable"), {{"A", "4", "5", "2"}, {"B", "4", "5", "2"}});
    core::RunTimeState runTime;
    ASSERT_TRUE(MeasureAgain(problem, runTime, 2).outcome.ok);
    const StepsOutcome measured = NextStep(problem, runTime, {"1", {}});
    ASSERT_TRUE(measured.outcome.ok);
    EXPECT_EQ(measured.steps->trial.instruction, "Contract in the Reverse Direction");
    EXPECT_EQ(Levels(measured), (QStringList{"4.5", "4.25"}));
}

// The new observation replaces the old one: a lucky first measurement of
// the best vertex is no longer reported as the best.
TEST(MeasureAgain, TheBestResultTakesTheNewMeasurement)
{
    core::OptimizationProblem problem = SmallSimplex();
    core::RunTimeState runTime;
    EXPECT_EQ(AssessRun(problem).best->vertex, 2);
    ASSERT_TRUE(MeasureAgain(problem, runTime, 2).outcome.ok);
    ASSERT_TRUE(NextStep(problem, runTime, {"12", {}}).outcome.ok);
    EXPECT_EQ(AssessRun(problem).best->vertex, 4);
    EXPECT_EQ(AssessRun(problem).best->result, 12);
}

TEST(MeasureAgain, CancelPutsBackTheTrialAndRecordsNothing)
{
    core::OptimizationProblem problem = SmallSimplex();
    core::RunTimeState runTime;
    const core::OptimizationProblem before = problem;
    ASSERT_TRUE(MeasureAgain(problem, runTime, 2).outcome.ok);
    const StepsOutcome cancelled = CancelMeasureAgain(problem, runTime);
    EXPECT_EQ(Levels(cancelled), (QStringList{"5", "3"}));
    EXPECT_EQ(problem, before);
}

TEST(TrialFailed, AFailedReflectionIsFollowedByTheContractionOnTheWorstSide)
{
    core::OptimizationProblem problem = SmallSimplex();
    core::RunTimeState runTime;
    const double record = problem.RecordResponse;
    std::vector<QString> questions;
    const EngineHooks hooks{{}, [&](const core::Message& m) { questions.push_back(m.text); return true; }};
    const StepsOutcome failed = TrialFailed(problem, runTime, {"", {"5", "3"}}, hooks);
    ASSERT_TRUE(failed.outcome.ok);
    EXPECT_EQ(questions, std::vector<QString>{TrialFailedQuestion().text});
    EXPECT_EQ(failed.steps->trial.vertexType, "Cw");
    EXPECT_EQ(Levels(failed), (QStringList{"4.25", "4.5"}));
    const Vertex vertex(problem, 4);
    EXPECT_TRUE(vertex.failed());
    EXPECT_EQ(vertex.result(), 0);
    EXPECT_EQ(vertex.objective(), FailedObjective);
    EXPECT_EQ(problem.RecordResponse, record);
    EXPECT_EQ(AssessRun(problem).best->vertex, 2);

    // Scored anew for another goal, a failed vertex stays the worst.
    for (const int option : {1, 2, 0}) {
        ChooseGoalOption(problem, option, QStringLiteral("7"));
        EXPECT_EQ(Vertex(problem, 4).objective(), FailedObjective) << option;
    }
}

TEST(TrialFailed, WithFixedStepsTheFailedVertexEntersAndLeavesOneStepLater)
{
    core::OptimizationProblem problem = SmallSimplex(QStringLiteral("Fixed"));
    core::RunTimeState runTime;
    const StepsOutcome failed = TrialFailed(problem, runTime, {"", {"5", "3"}});
    ASSERT_TRUE(failed.outcome.ok);
    EXPECT_EQ(SimplexVertices(problem)[1], 4);
    const StepsOutcome next = NextStep(problem, runTime, {"15", Levels(failed)});
    ASSERT_TRUE(next.outcome.ok);
    EXPECT_EQ(SimplexVertices(problem)[0], 4); // the one the trial now moves away from
}

TEST(CorrectResult, OutsideTheSimplexOnlyTheHistoryChanges)
{
    core::OptimizationProblem problem = SmallSimplex();
    core::RunTimeState runTime;
    const StepsOutcome first = NextStep(problem, runTime, {"15", {"5", "3"}});
    ASSERT_TRUE(first.outcome.ok); // the reflection is accepted: vertex 3 leaves
    const core::OptimizationProblem before = problem;

    const StepsOutcome corrected = CorrectResult(problem, runTime, 3, QStringLiteral("6"));
    ASSERT_TRUE(corrected.outcome.ok);
    EXPECT_EQ(test::Texts(corrected.outcome.messages), QStringList{CorrectionRecorded});
    EXPECT_FALSE(corrected.steps);
    EXPECT_EQ(problem.TrialPoint, before.TrialPoint);
    EXPECT_EQ(problem.Simplex, before.Simplex);
    EXPECT_EQ(Vertex(problem, 3).result(), 6);
    EXPECT_EQ(Vertex(problem, 3).status(), VertexStatus::Corrected);
    // A second correction keeps the first value.
    ASSERT_TRUE(CorrectResult(problem, runTime, 3, QStringLiteral("7")).outcome.ok);
    EXPECT_EQ(Vertex(problem, 3).firstResult(), 5);
}

TEST(CorrectResult, InTheSimplexTheTrialIsProposedAgain)
{
    core::OptimizationProblem problem = SmallSimplex();
    core::RunTimeState runTime;
    const StepsOutcome corrected = CorrectResult(problem, runTime, 1, QStringLiteral("1"));
    ASSERT_TRUE(corrected.outcome.ok);
    EXPECT_EQ(Levels(corrected), (QStringList{"5", "5"})); // as after measuring vertex 1 again as 1
    EXPECT_EQ(Vertex(problem, 1).firstResult(), 10);
}

TEST(CorrectResult, AFailedVertexGivenItsResultIsMeasured)
{
    core::OptimizationProblem problem = SmallSimplex(QStringLiteral("Fixed"));
    core::RunTimeState runTime;
    ASSERT_TRUE(TrialFailed(problem, runTime, {"", {"5", "3"}}).outcome.ok);
    ASSERT_TRUE(CorrectResult(problem, runTime, 4, QStringLiteral("30")).outcome.ok);
    const Vertex vertex(problem, 4);
    EXPECT_EQ(vertex.status(), VertexStatus::Measured);
    EXPECT_EQ(vertex.firstResult(), std::nullopt);
    EXPECT_EQ(vertex.objective(), 30);
    EXPECT_EQ(AssessRun(problem).best->vertex, 4);
}

// Each refusal leaves the record exactly as it was.
TEST(VertexCommands, RefusalsChangeNothing)
{
    struct Case {
        const char* name;
        std::function<StepsOutcome(core::OptimizationProblem&, core::RunTimeState&)> command;
        QString message;
        bool duringStep = true; // else with the first trial on show
    };
    const auto stepInProgress = [] {
        core::OptimizationProblem problem = SmallSimplex();
        core::RunTimeState runTime;
        NextStep(problem, runTime, {"1", {"5", "3"}}); // a poor reflection: a contraction waits
        return problem;
    };
    const Case cases[] = {
        {"measure again during a step", [](auto& p, auto& r) { return MeasureAgain(p, r, 2); },
         FinishStepBeforeAgain},
        {"measure again a vertex not in the simplex", [](auto& p, auto& r) { return MeasureAgain(p, r, 4); },
         "Vertex 4 is not in the current simplex.", false},
        {"correct a simplex vertex during a step",
         [](auto& p, auto& r) { return CorrectResult(p, r, 2, QStringLiteral("3")); }, FinishStepBeforeCorrection},
        {"correct the reflection being decided",
         [](auto& p, auto& r) { return CorrectResult(p, r, 4, QStringLiteral("3")); }, FinishStepBeforeCorrection},
        {"correct with no number", [](auto& p, auto& r) { return CorrectResult(p, r, 1, QStringLiteral("x")); },
         "The result must be numeric."},
        {"correct a vertex the history lacks",
         [](auto& p, auto& r) { return CorrectResult(p, r, 9, QStringLiteral("3")); }, "There is no vertex 9."},
        {"trial failed answered No",
         [](auto& p, auto& r) {
             return TrialFailed(p, r, {"", {"4.25", "4.5"}}, {{}, [](const core::Message&) { return false; }});
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = c.duringStep ? stepInProgress() : SmallSimplex();
        core::RunTimeState runTime;
        const core::OptimizationProblem before = problem;
        const StepsOutcome answer = c.command(problem, runTime);
        EXPECT_FALSE(answer.outcome.ok);
        EXPECT_EQ(test::Texts(answer.outcome.messages), c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        EXPECT_EQ(problem, before);
        EXPECT_EQ(runTime.Modified, "no");
    }
    core::OptimizationProblem notBegun = test::WithFactors({{"A", "0", "10", "0"}, {"B", "0", "10", "0"}});
    test::CommitCorner(notBegun, {"1", "2", "3"});
    core::RunTimeState runTime;
    EXPECT_EQ(test::Texts(CorrectResult(notBegun, runTime, 1, QStringLiteral("4")).outcome.messages),
              QStringList{CorrectionBeforeBegin});
    core::OptimizationProblem responses = SmallSimplex();
    responses.Responses = {{"Yield", core::ResponseGoal::Maximize, 0, 30}};
    const core::OptimizationProblem before = responses;
    EXPECT_EQ(test::Texts(CorrectResult(responses, runTime, 1, QStringLiteral("4")).outcome.messages),
              QStringList{CorrectionOfSeveralResponses});
    EXPECT_EQ(responses, before);
}

} // namespace
} // namespace zeltomir::simplex
