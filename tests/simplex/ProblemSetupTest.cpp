#include "SimplexTestSupport.h"

#include "simplex/ProblemSetup.h"
#include "simplex/RunProgress.h"
#include "simplex/TrialDisplay.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

using test::StartupProblem;

const QString NotInteger = QStringLiteral("The number of factors must be an integer.");
const QString TooMany = QStringLiteral("The maximum number of factors allowed is 100.");

struct CountCase {
    const char* text;
    bool ok;
    int numFactors; // after the check (the previous value is 7)
    QString message;
};

TEST(CheckFactorCount, AcceptsRoundsOrRefusesTheCount)
{
    const CountCase cases[] = {
        {"2", true, 2, {}},
        {"  3 ", true, 3, {}},
        {"2.5", true, 2, {}}, // halves go to the even neighbour
        {"3.5", true, 4, {}},
        {"100", true, 100, {}},
        {"1", true, 1, {}}, // no lower bound here
        {"0", true, 0, {}},
        {"-3", true, -3, {}},
        {"1e1", true, 10, {}},
        {"", false, 7, NotInteger},
        {"abc", false, 7, NotInteger},
        {"1,000", false, 7, NotInteger},
        {"1e40", false, 7, NotInteger},   // beyond single precision: not a number
        {"-40000", false, 7, NotInteger}, // cannot be held as a count at all
        {"101", false, 7, TooMany},
        {"150", false, 7, TooMany},
        {"40000", false, 7, TooMany},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.text);
        core::OptimizationProblem problem = StartupProblem();
        problem.NumFactors = 7;
        const Outcome outcome = CheckFactorCount(problem, QString::fromLatin1(c.text));
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(problem.NumFactors, c.numFactors);
        if (c.ok) {
            EXPECT_TRUE(outcome.messages.empty());
        } else {
            ASSERT_EQ(outcome.messages.size(), 1u);
            EXPECT_EQ(outcome.messages[0], (core::Message{QStringLiteral("Input Error"), c.message}));
            EXPECT_EQ(outcome.focus, Focus::SetupCount);
        }
    }
}

TEST(CheckFactorCount, ReadsTheUsersDecimalMark)
{
    core::OptimizationProblem problem = StartupProblem();
    EXPECT_TRUE(CheckFactorCount(problem, QStringLiteral("3,5"), QLocale(QLocale::German)).ok);
    EXPECT_EQ(problem.NumFactors, 4);
}

TEST(GoalOptions, TargetIsKeptAcrossSwitchesAndHeldAtSinglePrecision)
{
    core::OptimizationProblem problem = StartupProblem();
    EXPECT_EQ(TargetText(problem), QStringLiteral("0"));
    ChooseGoalOption(problem, 2, QStringLiteral("0.1"));
    EXPECT_EQ(problem.Goal.text(), QStringLiteral("mid"));
    EXPECT_EQ(problem.TargetValue, static_cast<double>(0.1f));
    EXPECT_NE(problem.TargetValue, 0.1);
    ChooseGoalOption(problem, 0, QStringLiteral("ignored"));
    EXPECT_EQ(problem.Goal.text(), QStringLiteral("max"));
    ChooseGoalOption(problem, 1, QString());
    EXPECT_EQ(problem.Goal.text(), QStringLiteral("min"));
    ChooseGoalOption(problem, 2, QString()); // an empty box keeps the target
    EXPECT_EQ(problem.TargetValue, static_cast<double>(0.1f));
    EXPECT_EQ(TargetText(problem), QStringLiteral("0.100000001490116"));

    EXPECT_EQ(GoalOptionIndex(core::Choice<core::Goal>::FromText(QStringLiteral("max"))), 0);
    EXPECT_EQ(GoalOptionIndex(core::Choice<core::Goal>::FromText(QStringLiteral("min"))), 1);
    EXPECT_EQ(GoalOptionIndex(core::Choice<core::Goal>::FromText(QStringLiteral("mid"))), 2);
    EXPECT_EQ(GoalOptionIndex(core::Choice<core::Goal>::FromText(QStringLiteral("other"))), 2);

    ChooseStepType(problem, 1);
    EXPECT_EQ(problem.StepType, QStringLiteral("Fixed"));
    ChooseStepType(problem, 0);
    EXPECT_EQ(problem.StepType, QStringLiteral("Variable"));
}

// A goal or target that changes what the results score while a run is under
// way scores the run anew, the undo snapshot first: the retained rows are
// ranked again, the trial on show stays. From the known run after its first
// result, maximised: results 41.13, 77.65, 53.13 and 77.26 (vertices 1..4);
// simplex rows 1..3 vertices 3 | 4, 2.
TEST(ChooseGoalOption, ScoresARunUnderWayAnewWhenTheScoringChanges)
{
    const struct {
        const char* name;
        QString firstTarget; // chosen first as a target when not empty
        int option;
        QString targetBox;
        bool rescored;
        std::vector<double> rows; // vertex numbers of simplex rows 1..3
        int best;                 // the vertex of the best result
    } cases[] = {
        {"max to min", {}, 1, {}, true, {3, 2, 4}, 1},
        {"max again", {}, 0, "60", false, {3, 4, 2}, 2},
        {"max to a target", {}, 2, "77.4", true, {3, 2, 4}, 4},
        {"the target moved", "77.4", 2, "77.6", true, {3, 4, 2}, 2},
        {"the same target again", "77.4", 2, "77.4", false, {3, 2, 4}, 4},
        {"a target box that is no number", "77.4", 2, "x", false, {3, 2, 4}, 4},
        {"a target to max", "77.4", 0, {}, true, {3, 4, 2}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = test::KnownRun();
        if (!c.firstTarget.isEmpty())
            ChooseGoalOption(problem, 2, c.firstTarget);
        const QString goalBefore = problem.Goal.text();
        const Trial trial = TrialOnShow(problem, true);
        QStringList snapshotGoals;
        const EngineHooks hooks{[&] { snapshotGoals << problem.Goal.text(); }};
        EXPECT_EQ(ChooseGoalOption(problem, c.option, c.targetBox, hooks), c.rescored);
        EXPECT_EQ(snapshotGoals, c.rescored ? QStringList{goalBefore} : QStringList{});
        EXPECT_EQ(test::Column(problem.Simplex, 5, 1, 3), c.rows);
        EXPECT_EQ(AssessRun(problem).best.value_or(BestResult{}).vertex, c.best);
        EXPECT_EQ(TrialOnShow(problem, true).levels, trial.levels);
    }
}

// Minimised, every stored result scores its negative; the trial and the
// moves it came from stay.
TEST(RescoreObjectives, ScoresEveryStoredResultForTheGoalHeld)
{
    core::OptimizationProblem problem = test::KnownRun();
    const core::OptimizationProblem before = problem;
    problem.Goal = core::Goal::Min;
    RescoreObjectives(problem);
    const auto negated = [](std::initializer_list<float> results) {
        std::vector<double> objectives;
        for (const float result : results)
            objectives.push_back(-static_cast<double>(result));
        return objectives;
    };
    EXPECT_EQ(test::Column(problem.VertexHistory, 6, 1, 4), negated({41.13f, 77.65f, 53.13f, 77.26f}));
    EXPECT_EQ(test::Column(problem.Simplex, 6, 1, 3), negated({53.13f, 77.65f, 77.26f}));
    EXPECT_EQ(problem.LastObjective, -static_cast<double>(77.26f));
    EXPECT_EQ(problem.TrialPoint, before.TrialPoint);
    EXPECT_EQ(problem.Centroid, before.Centroid);
    EXPECT_EQ(problem.StepVector, before.StepVector);
}

TEST(ChooseGoalOption, BeforeBeginOptimizationScoresNothing)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}});
    test::CommitCorner(problem, test::KnownCorner);
    const core::Matrix history = problem.VertexHistory;
    int snapshots = 0;
    EXPECT_FALSE(ChooseGoalOption(problem, 1, {}, EngineHooks{[&] { ++snapshots; }}));
    EXPECT_EQ(problem.Goal, core::Goal::Min);
    EXPECT_EQ(snapshots, 0);
    EXPECT_EQ(problem.VertexHistory, history);
}

// Define Initial Simplex takes the target box as the target goal's target,
// with the same scoring anew as the option.
TEST(DefineInitialSimplex, ANewTargetScoresARunUnderWayAnew)
{
    core::OptimizationProblem problem = test::KnownRun();
    ChooseGoalOption(problem, 2, QStringLiteral("77.4"));
    int snapshots = 0;
    DefineInitialSimplex(problem, QStringLiteral("2"), QStringLiteral("77.6"), std::nullopt,
                         EngineHooks{[&] { ++snapshots; }});
    EXPECT_EQ(snapshots, 1);
    EXPECT_EQ(test::Column(problem.Simplex, 5, 1, 3), (std::vector<double>{3, 4, 2}));
}

TEST(DefineInitialSimplex, ChecksTargetThenCountThenAtLeastTwoFactors)
{
    struct Case {
        const char* name;
        QString goal;
        QString count;
        QString target;
        QString title;
        QString text;
        Focus focus;
        double targetAfter;
    };
    const Case cases[] = {
        {"target checked before the count", "mid", "150", "", "Data Input Error",
         "The target response must be numeric.", Focus::SetupTarget, 0},
        {"valid target stored although the count fails", "mid", "150", "12.5", "Input Error", TooMany,
         Focus::SetupCount, 12.5},
        {"one factor", "max", "1", "5", "Input Error", "There must be at least 2 factors.", Focus::SetupCount, 0},
        {"target ignored when maximising", "max", "abc", "x", "Input Error", NotInteger, Focus::SetupCount, 0},
        {"factors never defined", "max", "3", "", "Notice", "You must define the factors before the initial simplex.",
         Focus::SetupCount, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = StartupProblem();
        problem.Goal = core::Choice<core::Goal>::FromText(c.goal);
        const DefineInitialSimplexResult result = DefineInitialSimplex(problem, c.count, c.target, std::nullopt);
        EXPECT_FALSE(result.outcome.ok);
        ASSERT_EQ(result.outcome.messages.size(), 1u);
        EXPECT_EQ(result.outcome.messages[0], (core::Message{c.title, c.text}));
        EXPECT_EQ(result.outcome.focus, c.focus);
        EXPECT_EQ(problem.TargetValue, c.targetAfter);
        EXPECT_EQ(problem.Stage.text(), QStringLiteral("none"));
    }
}

TEST(DefineInitialSimplex, OpensTheCornerProposalAndSetsTheStage)
{
    core::OptimizationProblem problem =
        test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, QStringLiteral("max"));
    const DefineInitialSimplexResult result =
        DefineInitialSimplex(problem, QStringLiteral("2"), QString(), std::nullopt);
    ASSERT_TRUE(result.outcome.ok);
    EXPECT_EQ(problem.Stage.text(), QStringLiteral("SeqSimplexInitialize"));
    EXPECT_EQ(problem.NumVertices, 3);
    EXPECT_EQ(result.grid.header(3), QStringLiteral("Result"));
    EXPECT_EQ(result.grid.cell(1, 1), QStringLiteral("10"));
    EXPECT_EQ(result.grid.cell(3, 2), QStringLiteral("5"));

    // Pressed again while the window is open: rows 1..k go back to the
    // proposal, row k+1 and the results stay as typed.
    GridText open = result.grid;
    open.setCell(1, 1, QStringLiteral("7"));
    open.setCell(3, 1, QStringLiteral("2"));
    open.setCell(1, 3, QStringLiteral("42"));
    const DefineInitialSimplexResult again = DefineInitialSimplex(problem, QStringLiteral("2"), QString(), open);
    EXPECT_EQ(again.grid.cell(1, 1), QStringLiteral("10"));
    EXPECT_EQ(again.grid.cell(3, 1), QStringLiteral("2"));
    EXPECT_EQ(again.grid.cell(1, 3), QStringLiteral("42"));
}

} // namespace
} // namespace zeltomir::simplex
