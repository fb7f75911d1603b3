#include "SimplexTestSupport.h"

#include "simplex/NextStep.h"
#include "simplex/SimplexTerms.h"
#include "simplex/StepRules.h"
#include "simplex/TrialDisplay.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

using test::Column;

struct Point {
    double x1, x2;
};

struct SimplexRow {
    Point at;
    double objective; // the result too: the goal is "max"
};

// Two factors on 0..10 with 2 decimals, so a coded level c shows as 10c.
// Rows 1..3 of the simplex are vertices 1..3 of the history; `trial` is the
// point on show with its type, and centroid and step vector are those of the
// simplex, as the last move left them.
struct StepState {
    SimplexRow rejected, lowest, best;
    Point trial;
    QString type;
    QString stepType = QStringLiteral("Variable");
};

core::OptimizationProblem Build(const StepState& s)
{
    core::OptimizationProblem problem =
        test::WithFactors({{"A", "0", "10", "2"}, {"B", "0", "10", "2"}}, QStringLiteral("max"), s.stepType);
    test::CommitCorner(problem, {"1", "2", "3"});
    const SimplexRow rows[] = {s.rejected, s.lowest, s.best};
    for (int r = 1; r <= 3; ++r) {
        const SimplexRow& row = rows[r - 1];
        problem.Simplex.at(1, r) = row.at.x1;
        problem.Simplex.at(2, r) = row.at.x2;
        problem.Simplex.at(3, r) = row.objective;
        problem.Simplex.at(5, r) = r;
        problem.Simplex.at(6, r) = row.objective;
    }
    for (int i = 1; i <= 2; ++i) {
        const double rejected = i == 1 ? s.rejected.at.x1 : s.rejected.at.x2;
        const double centroid = ((i == 1 ? s.lowest.at.x1 + s.best.at.x1 : s.lowest.at.x2 + s.best.at.x2)) / 2;
        problem.Centroid[i] = centroid;
        problem.StepVector[i] = centroid - rejected;
    }
    problem.TrialPoint[1] = s.trial.x1;
    problem.TrialPoint[2] = s.trial.x2;
    problem.CurrentVertexType = core::Choice<VertexType>::FromText(s.type);
    return problem;
}

QStringList ShownLevels(Point p)
{
    return {LevelText(10 * p.x1, 2, false), LevelText(10 * p.x2, 2, false)};
}

// W (0.3, 0.3) objective 2, N (0.5, 0.3) 4, B (0.3, 0.5) 8: centroid (0.4, 0.4),
// step (0.1, 0.1); reflection (0.5, 0.5), extension (0.6, 0.6), forward
// contraction (0.45, 0.45), reverse (0.35, 0.35).
const SimplexRow W{{0.3, 0.3}, 2};
const SimplexRow N{{0.5, 0.3}, 4};
const SimplexRow B{{0.3, 0.5}, 8};

struct DecisionCase {
    const char* name;
    StepState state;
    double previousResult; // LastResult before the step (the reflection's, for an extension)
    const char* result;
    QString instruction;
    QString nextType;
    QString instructionFlag;
    QStringList levels;
    bool retentionCounted;
};

TEST(ProcessStepResult, DecidesByTheRuleTables)
{
    const QString useR = InstructionText::UseReflection;
    const DecisionCase cases[] = {
        // Accepted reflection (0.5, 0.5): the next reflection is of N through
        // the centroid (0.4, 0.5) of B and the new vertex: (0.3, 0.7).
        {"reflection equal to N", {W, N, B, {0.5, 0.5}, "R"}, 0, "4", useR, "R", "yes", {"3", "7"}, true},
        {"reflection equal to B", {W, N, B, {0.5, 0.5}, "R"}, 0, "8", useR, "R", "yes", {"3", "7"}, true},
        {"reflection between N and B", {W, N, B, {0.5, 0.5}, "R"}, 0, "6", useR, "R", "yes", {"3", "7"}, true},
        {"reflection above B", {W, N, B, {0.5, 0.5}, "R"}, 0, "9", "Evaluate the Extension", "E", "no", {"6", "6"},
         false},
        {"reflection equal to W", {W, N, B, {0.5, 0.5}, "R"}, 0, "2", "Contract in the Reverse Direction", "Cw", "yes",
         {"3.5", "3.5"}, false},
        {"reflection below W", {W, N, B, {0.5, 0.5}, "R"}, 0, "-1", "Contract in the Reverse Direction", "Cw", "yes",
         {"3.5", "3.5"}, false},
        {"reflection between W and N", {W, N, B, {0.5, 0.5}, "R"}, 0, "3", "Contract but Move Forward", "Cr", "yes",
         {"4.5", "4.5"}, false},
        // The extension (0.6, 0.6) kept: reflect N through (0.45, 0.55).
        {"extension equal to the reflection", {W, N, B, {0.6, 0.6}, "E"}, 9, "9", "Use the Extension", "R", "yes",
         {"4", "8"}, true},
        {"extension better", {W, N, B, {0.6, 0.6}, "E"}, 9, "10", "Use the Extension", "R", "yes", {"4", "8"}, true},
        // The reflection (vertex 4, at (0.5, 0.5)) enters instead.
        {"extension worse", {W, N, B, {0.6, 0.6}, "E"}, 9, "8.5", useR, "R", "yes", {"3", "7"}, true},
        // A contraction is always kept: (0.45, 0.45) with 1 ranks lowest.
        {"forward contraction, worst of all", {W, N, B, {0.45, 0.45}, "Cr"}, 0, "1", useR, "R", "yes",
         {"2.5", "6.5"}, true},
        // (0.35, 0.35) with 9 ranks best: reflect N through (0.325, 0.425).
        {"reverse contraction, best of all", {W, N, B, {0.35, 0.35}, "Cw"}, 0, "9", useR, "R", "yes", {"1.5", "5.5"},
         true},
        {"fixed steps accept a worse vertex", {W, N, B, {0.5, 0.5}, "R", "Fixed"}, 0, "-100", useR, "R", "yes",
         {"3", "7"}, true},
        {"fixed steps after an extension type", {W, N, B, {0.6, 0.6}, "E", "Fixed"}, 9, "1", useR, "R", "yes",
         {"4", "8"}, true},
    };
    for (const DecisionCase& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Build(c.state);
        if (c.state.type == QStringLiteral("E")) {
            // The reflection evaluated before the extension is vertex 4.
            problem.NumVertices = 4;
            problem.VertexHistory.ensure(6, 4);
            problem.VertexHistory.at(1, 4) = 0.5;
            problem.VertexHistory.at(2, 4) = 0.5;
            problem.VertexHistory.at(3, 4) = c.previousResult;
        }
        problem.LastResult = c.previousResult;
        const core::OptimizationProblem before = problem;
        core::RunTimeState runTime;
        const StepsOutcome answer = NextStep(problem, runTime, {c.result, ShownLevels(c.state.trial)});
        ASSERT_TRUE(answer.outcome.ok);
        ASSERT_TRUE(answer.steps.has_value());
        EXPECT_FALSE(answer.steps->factorNames.has_value());
        const Trial& trial = answer.steps->trial;
        EXPECT_EQ(trial.instruction, c.instruction);
        EXPECT_EQ(trial.vertexType, c.nextType);
        EXPECT_EQ(trial.levels, c.levels);
        EXPECT_EQ(problem.Instruction, c.instruction);
        EXPECT_EQ(problem.CurrentVertexType.text(), c.nextType);
        EXPECT_EQ(problem.InstructionFlag, c.instructionFlag);
        EXPECT_EQ(problem.PreviousVertexType.text(), c.state.type);
        EXPECT_EQ(problem.OutOfLimits, QStringLiteral("n"));

        const int n = before.NumVertices + 1;
        EXPECT_EQ(problem.NumVertices, n);
        EXPECT_EQ(trial.vertexNumber, n + 1);
        EXPECT_EQ(problem.VertexHistory.value(3, n), QString(c.result).toDouble());
        EXPECT_EQ(problem.VertexHistory.value(4, n), core::TypeCode(core::Choice<VertexType>::FromText(c.state.type)));
        double retainedBefore = 0;
        double retainedAfter = 0;
        for (int v = 1; v <= n; ++v) {
            retainedBefore += before.VertexHistory.value(5, v);
            retainedAfter += problem.VertexHistory.value(5, v);
        }
        EXPECT_EQ(retainedAfter - retainedBefore, c.retentionCounted ? 3 : 0);
    }
}

TEST(ProcessStepResult, ExtensionWorseThanItsReflectionPutsTheReflectionInTheSimplex)
{
    core::OptimizationProblem problem = Build({W, N, B, {0.6, 0.6}, "E"});
    problem.NumVertices = 4;
    problem.VertexHistory.ensure(6, 4);
    problem.VertexHistory.at(1, 4) = 0.5;
    problem.VertexHistory.at(2, 4) = 0.5;
    problem.LastResult = 9;
    core::RunTimeState runTime;
    ASSERT_TRUE(NextStep(problem, runTime, {"8.5", {"6", "6"}}).outcome.ok);
    EXPECT_EQ(Column(problem.Simplex, 5, 1, 3), (std::vector<double>{2, 3, 4})); // vertex 5 stays in the history only
    EXPECT_EQ(Column(problem.Simplex, 3, 1, 3), (std::vector<double>{4, 8, 9}));
    EXPECT_EQ(Column(problem.VertexHistory, 5, 1, 5), (std::vector<double>{0, 1, 1, 1, 0}));
}

TEST(ProcessStepResult, TrialsLeavingTheLimitsAreReplaced)
{
    const struct {
        const char* name;
        StepState state;
        const char* result;
        QString instruction;
        QString type;
        QStringList levels;
    } cases[] = {
        // Extension (1.3, 0.3) outside: the reflection (0.9, 0.5) is accepted
        // at once and its successor (0.9, 0.9) shown.
        {"extension outside", {{{0.1, 0.9}, 2}, {{0.5, 0.5}, 4}, {{0.5, 0.9}, 8}, {0.9, 0.5}, "R"}, "9",
         "Use the Reflection", "R", {"9", "9"}},
        // After accepting (0.875, 0.5): reflection (0.875, 1.25) outside, forward
        // contraction (0.78125, 0.96875) inside.
        {"new reflection outside, forward contraction inside",
         {{{0.125, 0.5}, 2}, {{0.5, 0.125}, 4}, {{0.5, 0.875}, 8}, {0.875, 0.5}, "R"}, "6",
         "Contract but Move Forward", "Cr", {"7.81", "9.69"}},
        // After accepting (1, 0.5): reflection (1, 1.5) and forward contraction
        // (0.875, 1.125) outside; reverse contraction (0.625, 0.375).
        {"forward contraction outside too", {{{0, 0.5}, 2}, {{0.5, 0}, 4}, {{0.5, 1}, 8}, {1, 0.5}, "R"}, "6",
         "Contract in the Reverse Direction", "Cw", {"6.25", "3.75"}},
        // A retained vertex below the limits (a level typed beyond them): the
        // reverse contraction (0.4375, -0.0625) is clamped to 0.
        {"reverse contraction clamped", {{{0.1, 0.1}, 1}, {{0.5, -0.5}, 4}, {{0.5, 0.5}, 8}, {0.25, 0.25}, "Cw"}, "5",
         "Contract in the Reverse Direction", "Cw", {"4.38", "0"}},
        {"fixed steps contract only at the limits",
         {{{0, 0.5}, 2}, {{0.5, 0}, 4}, {{0.5, 1}, 8}, {1, 0.5}, "R", "Fixed"}, "-6",
         "Contract in the Reverse Direction", "Cw", {"6.25", "3.75"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = Build(c.state);
        core::RunTimeState runTime;
        const StepsOutcome answer = NextStep(problem, runTime, {c.result, ShownLevels(c.state.trial)});
        ASSERT_TRUE(answer.steps.has_value());
        EXPECT_EQ(answer.steps->trial.instruction, c.instruction);
        EXPECT_EQ(answer.steps->trial.vertexType, c.type);
        EXPECT_EQ(answer.steps->trial.levels, c.levels);
        EXPECT_EQ(problem.InstructionFlag, QStringLiteral("yes"));
        EXPECT_EQ(problem.OutOfLimits, QStringLiteral("n"));
    }
}

// Corner simplex of three factors: after the extension (1, 1, 1) is kept,
// the new reflection leaves the limits and the forward contraction lies on
// them, at (1, 1, 0). Rounding must not push it outside, which would send
// the user back in the reverse direction instead.
TEST(ProcessStepResult, ForwardContractionOnTheLimitsIsProposed)
{
    core::OptimizationProblem problem = test::WithFactors(
        {{"A", "0", "10", "1"}, {"B", "0", "10", "1"}, {"C", "0", "10", "1"}});
    test::CommitCorner(problem, {"52", "61", "47", "40"});
    const StepsOutcome first = BeginOptimization(problem);
    ASSERT_TRUE(first.steps.has_value());
    core::RunTimeState runTime;
    const StepsOutcome extension = NextStep(problem, runTime, {"66", first.steps->trial.levels});
    ASSERT_TRUE(extension.steps.has_value());
    ASSERT_EQ(extension.steps->trial.instruction, QStringLiteral("Evaluate the Extension"));
    const StepsOutcome next = NextStep(problem, runTime, {"70", extension.steps->trial.levels});
    ASSERT_TRUE(next.steps.has_value());
    EXPECT_EQ(next.steps->trial.instruction, QStringLiteral("Contract but Move Forward"));
    EXPECT_EQ(next.steps->trial.vertexType, QStringLiteral("Cr"));
    EXPECT_EQ(next.steps->trial.levels, (QStringList{"10", "10", "0"}));
}

TEST(ProcessStepResult, UnknownTypeKeepsAnOutsideTrialAsComputed)
{
    // A type read from a file that is none of the known ones: the result is
    // taken like an extension's, and a reflection outside the limits stays.
    // (Next Step refuses such a record; the rule itself still holds.)
    core::OptimizationProblem problem = Build({{{0, 0.5}, 2}, {{0.5, 0}, 4}, {{0.5, 1}, 8}, {1, 0.5}, ""});
    const Trial trial = ProcessStepResult(problem, 6, {10, 5});
    EXPECT_EQ(trial.levels, (QStringList{"10", "15"}));
    EXPECT_EQ(trial.instruction, QStringLiteral("Use the Extension"));
    EXPECT_EQ(problem.VertexHistory.value(4, 4), 0);
}

TEST(ProcessStepResult, RecordsTheLevelsAsTheGridHoldsThem)
{
    core::OptimizationProblem problem = Build({W, N, B, {0.5, 0.5}, "R"});
    core::RunTimeState runTime;
    ASSERT_TRUE(NextStep(problem, runTime, {"0.1", {"1.2345", " 7 "}}).outcome.ok);
    EXPECT_EQ(problem.VertexHistory.value(1, 4), 1.2345 / 10);
    EXPECT_EQ(problem.VertexHistory.value(2, 4), 0.7);
    EXPECT_EQ(problem.VertexHistory.value(3, 4), static_cast<double>(0.1f));
    EXPECT_EQ(problem.VertexHistory.value(6, 4), static_cast<double>(0.1f));
    EXPECT_EQ(problem.LastResult, static_cast<double>(0.1f));
    // The simplex takes the point that was computed, not the typed levels.
    EXPECT_EQ(problem.Simplex.value(1, 2), 0.5);
}

TEST(ObjectiveOf, TurnsResultsIntoValuesToMaximise)
{
    const struct {
        QString goal;
        double target, result, objective;
    } cases[] = {
        {"max", 0, 5, 5},  {"min", 0, 5, -5}, {"min", 0, 4, -4}, {"mid", 10, 10, 1e300},
        {"mid", 10, 8, 0.5}, {"mid", 10, 14, 0.25}, {"other", 10, 12, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.goal.toStdString());
        EXPECT_EQ(ObjectiveOf(core::Choice<core::Goal>::FromText(c.goal), c.target, c.result), c.objective);
    }
}

TEST(LevelText, RoundsByDecimalsAndReadsTheTextBack)
{
    const struct {
        double natural;
        double decimals;
        bool rounded;
        QString text;
    } cases[] = {
        {12.3456, 2, true, "12.35"},     {12.3456, 2, false, "12.3456"}, {1234.5, 0, true, "1235"},
        {1234567.891, 1, true, "1234567.9"}, {1.005, 2, true, "1.01"},  {0.4, 0, true, "0"},
        {-0.4, 0, true, "0"},            {-0.04, 1, true, "0"},          {0, 0, true, "0"},
        {-0.5, 0, true, "-1"},           {1E-05, 10, true, "1E-05"},     {0.1 + 0.2, 5, false, "0.3"},
        {-0.0, 3, false, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.natural << " / " << c.decimals);
        EXPECT_EQ(LevelText(c.natural, c.decimals, c.rounded), c.text);
    }
    EXPECT_EQ(LevelText(1234.56, 1, true, QLocale(QLocale::German)), QStringLiteral("1234,6"));
    EXPECT_EQ(LevelText(1234.56, 1, true, QLocale(QLocale::French)), QStringLiteral("1234,6"));
}

// A trial on a limit is never shown past it, whatever its rounding.
TEST(TrialOnShow, ARoundedLevelOnALimitStaysOnIt)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0.04", "10.06", "1"}, {"B", "5", "15", "1"}});
    problem.TrialPoint = {0, 1, 0};
    EXPECT_EQ(TrialOnShow(problem, true).levels, (QStringList{"10.06", "5"}));
    problem.TrialPoint = {0, 0, 0.5};
    EXPECT_EQ(TrialOnShow(problem, true).levels, (QStringList{"0.04", "10"}));
}

} // namespace
} // namespace zeltomir::simplex
