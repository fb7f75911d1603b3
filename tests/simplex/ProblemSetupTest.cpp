#include "SimplexTestSupport.h"

#include "simplex/ProblemSetup.h"

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
