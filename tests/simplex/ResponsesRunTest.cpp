#include "SimplexTestSupport.h"

#include "simplex/CorrectResult.h"
#include "simplex/EngineSupport.h"
#include "simplex/NextStep.h"
#include "simplex/ResponseSetup.h"
#include "simplex/VertexStatus.h"
#include "simplex/VertexView.h"

#include <cmath>

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

using core::ResponseDefinition;
using core::ResponseGoal;

// d = y / 100 and d = (10 - y) / 10: with Impurity 0, D is the square root
// of Yield / 100.
const ResponseDefinition Yield{"Yield", ResponseGoal::Maximize, 0, 100};
const ResponseDefinition Impurity{"Impurity", ResponseGoal::Minimize, 0, 10};

core::OptimizationProblem WithResponses(const std::vector<ResponseDefinition>& responses = {Yield, Impurity})
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, "min");
    EXPECT_TRUE(DefineResponses(problem, responses).ok);
    return problem;
}

// A small simplex inside the limits (A, B) = (4, 8), (6, 8), (5, 10), so
// that its extensions can be run, with two values a row; then Begin
// Optimization.
core::OptimizationProblem Begun(const std::vector<QStringList>& rows, QStringList* levels = nullptr)
{
    core::OptimizationProblem problem = WithResponses();
    GridText grid = FillInitialSimplexGrid(problem, LoadInitialSimplexGrid(problem));
    const QStringList levelsOfRows[] = {{"4", "8"}, {"6", "8"}, {"5", "10"}};
    for (int i = 1; i <= 3; ++i) {
        grid.setCell(i, 1, levelsOfRows[i - 1][0]);
        grid.setCell(i, 2, levelsOfRows[i - 1][1]);
        grid.setCell(i, 3, rows[static_cast<std::size_t>(i - 1)][0]);
        grid.setCell(i, 4, rows[static_cast<std::size_t>(i - 1)][1]);
    }
    EXPECT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    const StepsOutcome begun = BeginOptimization(problem);
    EXPECT_TRUE(begun.steps.has_value());
    if (levels)
        *levels = begun.steps->trial.levels;
    return problem;
}

std::vector<int> RankedVertices(const core::OptimizationProblem& problem)
{
    std::vector<int> vertices;
    for (int r = 1; r <= problem.NumFactors + 1; ++r)
        vertices.push_back(VertexNumberOfRow(problem, r));
    return vertices;
}

struct RankingCase {
    const char* name;
    std::vector<QStringList> corner;
    std::vector<int> ranked; // simplex rows 1..k+1, worst first
    std::vector<double> objectives; // of vertices 1..3
};

// The simplex ranks by D, not by any one response, and where D is 0 by how
// far a vertex falls short of acceptable.
TEST(ResponsesRanking, BeginOptimizationRanksByTheResponses)
{
    const RankingCase cases[] = {
        {"D decides, not the highest yield", {{"90", "9"}, {"25", "0"}, {"36", "0"}}, {1, 2, 3}, {0.3, 0.5, 0.6}},
        {"every D is 0", {{"-10", "0"}, {"50", "15"}, {"-20", "12"}}, {2, 3, 1}, {-0.1, -0.5, -0.4}},
        {"D above every shortfall", {{"-10", "0"}, {"1", "0"}, {"-1", "0"}}, {1, 3, 2}, {-0.1, 0.1, -0.01}},
    };
    for (const RankingCase& c : cases) {
        SCOPED_TRACE(c.name);
        const core::OptimizationProblem problem = Begun(c.corner);
        EXPECT_EQ(RankedVertices(problem), c.ranked);
        for (int v = 1; v <= 3; ++v) {
            EXPECT_NEAR(problem.VertexHistory.value(6, v), c.objectives[static_cast<std::size_t>(v - 1)], 1e-6);
            EXPECT_EQ(problem.VertexHistory.value(3, v), SingleOf(std::max(c.objectives[static_cast<std::size_t>(v - 1)], 0.0)));
        }
    }
}

struct StepCase {
    QStringList values; // Yield, Impurity
    const char* instruction;
    std::vector<int> ranked;
};

// A run of a few steps: a reflection better than the best asks for its
// extension; the extension, higher in yield but lower in D than the
// reflection (vertex n - 1), is given up for it; a reflection whose D is
// the worst is contracted, and the contraction kept.
TEST(ResponsesRun, StepsRankByOverallDesirability)
{
    QStringList levels;
    core::OptimizationProblem problem = Begun({{"90", "9"}, {"25", "0"}, {"36", "0"}}, &levels);
    const StepCase steps[] = {
        {{"49", "0"}, "Evaluate the Extension", {1, 2, 3}},
        {{"90", "8"}, "Use the Reflection", {2, 3, 4}},
        {{"4", "0"}, "Contract in the Reverse Direction", {2, 3, 4}},
        // Kept, the contraction is not the next to move away from.
        {{"30", "0"}, "Use the Reflection", {3, 7, 4}},
    };
    core::RunTimeState runTime;
    for (const StepCase& step : steps) {
        SCOPED_TRACE(step.values.join(" ").toStdString());
        const StepsOutcome stepped = NextStep(problem, runTime, {"not read", levels, step.values});
        ASSERT_TRUE(stepped.outcome.ok) << test::Texts(stepped.outcome.messages).join("").toStdString();
        EXPECT_EQ(stepped.steps->trial.instruction, step.instruction);
        EXPECT_EQ(RankedVertices(problem), step.ranked);
        levels = stepped.steps->trial.levels;
    }
    // Each vertex keeps its values, its D as result and the D as objective.
    EXPECT_EQ(ResponseValuesOf(problem, 5), (std::vector<double>{90, 8}));
    EXPECT_EQ(problem.VertexHistory.value(3, 4), SingleOf(0.7));
    EXPECT_NEAR(problem.VertexHistory.value(6, 5), 0.424264, 1e-6);
    EXPECT_EQ(problem.Simplex.value(3, 3), SingleOf(0.7));
}

TEST(ResponsesRun, EachValueIsCheckedAndAFailedTrialStaysTheWorst)
{
    QStringList levels;
    core::OptimizationProblem problem = Begun({{"90", "9"}, {"25", "0"}, {"36", "0"}}, &levels);
    core::RunTimeState runTime;
    const core::OptimizationProblem before = problem;
    const StepsOutcome refused = NextStep(problem, runTime, {"7", levels, {"49", "none"}});
    EXPECT_FALSE(refused.outcome.ok);
    EXPECT_EQ(test::Texts(refused.outcome.messages), QStringList{"The result of Impurity must be numeric."});
    EXPECT_EQ(problem, before);

    ASSERT_TRUE(TrialFailed(problem, runTime, {"", levels, {}}).outcome.ok);
    EXPECT_EQ(problem.VertexHistory.value(6, 4), FailedObjective);
    EXPECT_EQ(problem.VertexHistory.value(3, 4), 0);
    // Scoring anew keeps it the worst.
    std::vector<ResponseDefinition> tracked{Yield, Impurity};
    tracked[1].goal = ResponseGoal::TrackOnly;
    ASSERT_TRUE(DefineResponses(problem, tracked).ok);
    EXPECT_EQ(problem.VertexHistory.value(6, 4), FailedObjective);
}

// Correcting one response works out the vertex's D anew and keeps its
// first D; each refusal changes nothing.
TEST(ResponsesRun, CorrectingOneResponseScoresTheVertexAnew)
{
    core::OptimizationProblem problem = Begun({{"90", "9"}, {"25", "0"}, {"36", "0"}});
    core::RunTimeState runTime;
    const StepsOutcome corrected = CorrectResponse(problem, runTime, 1, 2, QStringLiteral("0"));
    ASSERT_TRUE(corrected.outcome.ok);
    EXPECT_TRUE(corrected.steps.has_value()); // in the simplex: the trial is proposed anew
    EXPECT_EQ(ResponseValuesOf(problem, 1), (std::vector<double>{90, 0}));
    EXPECT_EQ(RankedVertices(problem), (std::vector<int>{2, 3, 1}));
    const Vertex vertex(problem, 1);
    EXPECT_EQ(vertex.status(), VertexStatus::Corrected);
    EXPECT_EQ(vertex.firstResult(), SingleOf(0.3));
    EXPECT_EQ(vertex.result(), SingleOf(std::sqrt(0.9)));

    ASSERT_TRUE(TrialFailed(problem, runTime, {"", corrected.steps->trial.levels, {}}).outcome.ok);
    const struct {
        int vertex;
        int response;
        const char* value;
        QString message;
    } refusals[] = {
        {1, 3, "5", "There is no response 3."},
        {1, 2, "none", "The result of Impurity must be numeric."},
        {4, 1, "50", "Vertex 4 failed, so it has no values to correct."},
    };
    const core::OptimizationProblem before = problem;
    for (const auto& refusal : refusals) {
        const StepsOutcome answer = CorrectResponse(problem, runTime, refusal.vertex, refusal.response,
                                                    QString::fromLatin1(refusal.value));
        EXPECT_FALSE(answer.outcome.ok);
        EXPECT_EQ(test::Texts(answer.outcome.messages), QStringList{refusal.message});
        EXPECT_EQ(problem, before);
    }
}

// Changing the responses during a run scores every vertex anew: with the
// impurity only tracked, D is Yield / 100.
TEST(DefineResponses, ScoresARunAnewWithItsSnapshot)
{
    QStringList levels;
    core::OptimizationProblem problem = Begun({{"90", "9"}, {"25", "0"}, {"36", "0"}}, &levels);
    core::RunTimeState runTime;
    ASSERT_TRUE(NextStep(problem, runTime, {"", levels, {"16", "0"}}).outcome.ok);
    std::vector<ResponseDefinition> tracked{Yield, Impurity};
    tracked[1].goal = ResponseGoal::TrackOnly;
    int snapshots = 0;
    ASSERT_TRUE(DefineResponses(problem, tracked, {[&] { ++snapshots; }}).ok);
    EXPECT_EQ(snapshots, 1);
    EXPECT_EQ(problem.VertexHistory.value(3, 1), SingleOf(0.9));
    EXPECT_NEAR(problem.VertexHistory.value(6, 4), 0.16, 1e-12);
    EXPECT_EQ(problem.LastResult, SingleOf(0.16));
    EXPECT_NEAR(problem.Simplex.value(6, 1), 0.9, 1e-6);
    EXPECT_EQ(problem.Goal, core::Goal::Max);
    // The same responses again: no step to undo.
    ASSERT_TRUE(DefineResponses(problem, tracked, {[&] { ++snapshots; }}).ok);
    EXPECT_EQ(snapshots, 1);

    // Back to one response: the first response's values, under its goal.
    ASSERT_TRUE(DefineResponses(problem, {}).ok);
    EXPECT_TRUE(problem.Responses.empty());
    EXPECT_EQ(problem.VertexHistory.value(3, 1), 90);
    EXPECT_EQ(problem.VertexHistory.value(6, 4), 16);
}

TEST(DefineResponses, RefusalsNameTheRowAndChangeNothing)
{
    ResponseDefinition unnamed = Yield;
    unnamed.name = " ";
    ResponseDefinition upsideDown = Impurity;
    upsideDown.lower = 20;
    ResponseDefinition tracked = Yield;
    tracked.goal = ResponseGoal::TrackOnly;
    const struct {
        std::vector<ResponseDefinition> responses;
        QString message;
        int row;
    } cases[] = {
        {{Yield, unnamed}, "Response 2 needs a name.", 2},
        {{Yield, upsideDown}, "Response 2 (Impurity): the lower limit must lie below the upper limit.", 2},
        {{tracked, tracked}, "At least one response must be maximized, minimized or brought to a target.", 0},
        {std::vector<ResponseDefinition>(core::MaxResponses + 1, Yield), "No more than 10 responses can be defined.", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        core::OptimizationProblem problem = WithResponses({Yield});
        const core::OptimizationProblem before = problem;
        int snapshots = 0;
        const Outcome outcome = DefineResponses(problem, c.responses, {[&] { ++snapshots; }});
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(test::Texts(outcome.messages), QStringList{c.message});
        EXPECT_EQ(outcome.focusRow, c.row);
        EXPECT_EQ(snapshots, 0);
        EXPECT_EQ(problem, before);
    }
}

// The initial simplex takes a column per response, checks each cell by
// name and refuses only when every response cell is zero.
TEST(ResponsesInitialSimplex, OneColumnPerResponse)
{
    core::OptimizationProblem problem = WithResponses();
    GridText grid = FillInitialSimplexGrid(problem, LoadInitialSimplexGrid(problem));
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.header(3), "Yield");
    EXPECT_EQ(grid.header(4), "Impurity");
    for (int i = 1; i <= 3; ++i) {
        grid.setCell(i, 3, "0");
        grid.setCell(i, 4, "0");
    }
    EXPECT_FALSE(ContinueInitialSimplex(problem, grid).ok);
    grid.setCell(2, 4, "3");
    grid.setCell(3, 4, "x");
    const Outcome bad = ContinueInitialSimplex(problem, grid);
    EXPECT_EQ(test::Texts(bad.messages), QStringList{"The result of Impurity in row 3 is not numeric."});
    EXPECT_EQ(bad.focusColumn, 4);
    EXPECT_EQ(CheckInitialSimplexRow(problem, grid, 3).focusColumn, 4);
    grid.setCell(3, 4, "1");
    ASSERT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    EXPECT_EQ(ResponseValuesOf(problem, 2), (std::vector<double>{0, 3}));
    EXPECT_EQ(LoadInitialSimplexGrid(problem).cell(2, 4), "3");
}

} // namespace
} // namespace zeltomir::simplex
