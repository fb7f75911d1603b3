#include "SimplexTestSupport.h"

#include "simplex/FactorGrid.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexSummary.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

using test::StartupProblem;

GridText FreshGrid(int k)
{
    core::OptimizationProblem problem = StartupProblem();
    problem.NumFactors = static_cast<std::int16_t>(k);
    return LoadFactorGrid(problem);
}

TEST(LoadFactorGrid, ShowsMarkersNamesAndDecimals)
{
    core::OptimizationProblem problem = StartupProblem();
    problem.NumFactors = 3;
    problem.Factors[2].LowerLimit = 0.5;
    problem.Factors[2].UpperLimit = 1E-05;
    problem.Factors[2].SignificantDigits = 3;
    problem.Factors[3].FactorName = QStringLiteral("Temp");
    const GridText grid = LoadFactorGrid(problem);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.columnCount(), 4);
    const QStringList headers{grid.header(1), grid.header(2), grid.header(3), grid.header(4)};
    EXPECT_EQ(headers, (QStringList{"Factor Name", "Lower Limit", "Upper Limit", "Decimal Places"}));
    const QStringList row1{grid.cell(1, 1), grid.cell(1, 2), grid.cell(1, 3), grid.cell(1, 4)};
    EXPECT_EQ(row1, (QStringList{"A", "0", "999", "0"}));
    const QStringList row2{grid.cell(2, 1), grid.cell(2, 2), grid.cell(2, 3), grid.cell(2, 4)};
    EXPECT_EQ(row2, (QStringList{"B", "0.5", "1E-05", "3"}));
    EXPECT_EQ(grid.cell(3, 1), QStringLiteral("Temp"));
}

TEST(LoadFactorGrid, CountOfZeroOrLessHasNoRows)
{
    for (int k : {0, -1, -32768}) {
        SCOPED_TRACE(k);
        EXPECT_EQ(FreshGrid(k).rowCount(), 0);
    }
}

TEST(CommitFactorGrid, FreshGridStoresZeroTo999WithFiveDecimals)
{
    core::OptimizationProblem problem = StartupProblem();
    core::RunTimeState runTime;
    runTime.FactorGridInvalid = QStringLiteral("y");
    const Outcome outcome = CommitFactorGrid(problem, runTime, LoadFactorGrid(problem));
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(runTime.FactorGridInvalid, QStringLiteral("n"));
    EXPECT_EQ(problem.Stage.text(), QStringLiteral("DefineFactors"));
    for (int i = 1; i <= 2; ++i) {
        EXPECT_EQ(problem.Factors[i].LowerLimit, 0);
        EXPECT_EQ(problem.Factors[i].UpperLimit, 999);
        EXPECT_EQ(problem.Factors[i].SignificantDigits, 5);
    }
}

TEST(CommitFactorGrid, TypingTheMarkerShowsZeroAgain)
{
    core::OptimizationProblem problem = StartupProblem();
    core::RunTimeState runTime;
    GridText grid = LoadFactorGrid(problem);
    grid.setCell(1, 2, QStringLiteral("-9999999"));
    ASSERT_TRUE(CommitFactorGrid(problem, runTime, grid).ok);
    EXPECT_EQ(LoadFactorGrid(problem).cell(1, 2), QStringLiteral("0"));
}

TEST(CommitFactorGrid, DecimalsAreRoundedAndZeroOrLessMeansFive)
{
    const struct {
        const char* text;
        int stored;
    } cases[] = {{"0", 5}, {"-2", 5}, {"2.5", 2}, {"3.5", 4}, {"9", 9}, {"12", 12}, {"32767", 32767}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        core::OptimizationProblem problem = StartupProblem();
        core::RunTimeState runTime;
        GridText grid = LoadFactorGrid(problem);
        grid.setCell(2, 4, QString::fromLatin1(c.text));
        ASSERT_TRUE(CommitFactorGrid(problem, runTime, grid).ok);
        EXPECT_EQ(problem.Factors[2].SignificantDigits, c.stored);
    }
}

struct BadCell {
    const char* name;
    int row;
    int column;
    QString text;
    QString message;
};

// Each case spoils one cell of a valid 3-factor grid; what the commit stored
// before stopping shows in which slots got the new values (names "N1".., lower
// limits 1.., upper limits 11.., decimals 2).
TEST(CommitFactorGrid, StopsAtTheFirstBadCellKeepingWhatCameBefore)
{
    const QString notNumeric = QStringLiteral("is not numeric.  All factors must be given lower and upper limits.");
    const BadCell cases[] = {
        {"empty name", 3, 1, "", "The Factor in row 3 does not have a name."},
        // Names a problem file could not give back.
        {"name longer than a file line", 2, 1, QString(4097, u'x'),
         "The name of the Factor in row 2 is longer than 4096 characters, more than a problem file can keep."},
        {"name holding a NUL", 1, 1, QStringLiteral("A\u0000B"),
         "The name of the Factor in row 1 holds a NUL character, which a problem file cannot keep."},
        {"letters as lower limit", 2, 2, "low", "The Factor Lower Limit in row 2 " + notNumeric},
        {"grouped upper limit", 2, 3, "1,000", "The Factor Upper Limit in row 2 " + notNumeric},
        {"empty upper limit", 1, 3, "", "The Factor Upper Limit in row 1 " + notNumeric},
        {"equal limits", 2, 3, "2", "The Factor Lower Limit and Upper Limit in row 2 are equal.  The limits must differ."},
        {"limits equal at single precision", 2, 3, "2.00000001",
         "The Factor Lower Limit and Upper Limit in row 2 are equal.  The limits must differ."},
        {"decimals as text", 3, 4, "two",
         "The Significant Digits in row 3 is not numeric.  All significant digits must be integers."},
        {"decimals beyond 16 bits", 1, 4, "40000",
         "The Significant Digits in row 1 is not numeric.  All significant digits must be integers."},
    };
    for (const BadCell& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = StartupProblem();
        problem.NumFactors = 3;
        core::RunTimeState runTime;
        GridText grid(3, 4);
        for (int row = 1; row <= 3; ++row) {
            grid.setCell(row, 1, QStringLiteral("N%1").arg(row));
            grid.setCell(row, 2, QString::number(row));
            grid.setCell(row, 3, QString::number(10 + row));
            grid.setCell(row, 4, QStringLiteral("2"));
        }
        grid.setCell(c.row, c.column, c.text);
        const Outcome outcome = CommitFactorGrid(problem, runTime, grid);
        EXPECT_FALSE(outcome.ok);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages[0], (core::Message{QStringLiteral("Data Input Error"), c.message}));
        EXPECT_EQ(runTime.FactorGridInvalid, QStringLiteral("y"));
        EXPECT_EQ(problem.Stage.text(), QStringLiteral("DefineFactors"));
        for (int row = 1; row <= 3; ++row) {
            SCOPED_TRACE(row);
            const core::Factor& f = problem.Factors[row];
            const auto committed = [&](int column) { return column < c.column || (column == c.column && row < c.row); };
            EXPECT_EQ(f.FactorName == QStringLiteral("N%1").arg(row), committed(1));
            EXPECT_EQ(f.LowerLimit == row, committed(2));
            EXPECT_EQ(f.UpperLimit == 10 + row, committed(3));
            EXPECT_EQ(f.SignificantDigits == 2, committed(4));
        }
    }
}

TEST(CommitFactorGrid, AcceptsReversedLimitsAndAnyNonEmptyName)
{
    core::OptimizationProblem problem = StartupProblem();
    core::RunTimeState runTime;
    GridText grid = LoadFactorGrid(problem);
    grid.setCell(1, 1, QStringLiteral(" "));
    grid.setCell(1, 2, QStringLiteral("20"));
    grid.setCell(1, 3, QStringLiteral("10"));
    EXPECT_TRUE(CommitFactorGrid(problem, runTime, grid).ok);
    EXPECT_EQ(problem.Factors[1].FactorName, QStringLiteral(" "));
    EXPECT_EQ(problem.Factors[1].LowerLimit, 20);
}

TEST(CommitFactorGrid, MoreFactorsThanGridRowsReportsTheFirstMissingName)
{
    core::OptimizationProblem problem = StartupProblem();
    core::RunTimeState runTime;
    const GridText grid = LoadFactorGrid(problem); // two rows
    problem.NumFactors = 3;
    const Outcome outcome = CommitFactorGrid(problem, runTime, grid);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text, QStringLiteral("The Factor in row 3 does not have a name."));
}

TEST(ContinueFactorGrid, StoresTheSnapshotBeforeCommitting)
{
    core::OptimizationProblem problem = StartupProblem();
    core::RunTimeState runTime;
    GridText grid = LoadFactorGrid(problem);
    grid.setCell(1, 2, QStringLiteral("x"));
    QString stageAtSnapshot;
    int snapshots = 0;
    const EngineHooks hooks{[&] {
        ++snapshots;
        stageAtSnapshot = problem.Stage.text();
    }};
    const Outcome outcome = ContinueFactorGrid(problem, runTime, grid, hooks);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(snapshots, 1);
    EXPECT_EQ(stageAtSnapshot, QStringLiteral("none"));
    EXPECT_EQ(problem.Stage.text(), QStringLiteral("DefineFactors"));
}

QStringList SummaryLevels(const core::OptimizationProblem& problem)
{
    QStringList levels;
    for (const VertexSummaryRow& row : BuildVertexSummary(problem).rows)
        levels += row.levels();
    return levels;
}

// The trials that these results propose one after another.
QStringList LaterTrials(core::OptimizationProblem problem, const QStringList& results)
{
    core::RunTimeState runTime;
    QStringList trials;
    QStringList levels = ReopenedSteps(problem).trial.levels;
    for (const QString& result : results) {
        const StepsOutcome next = NextStep(problem, runTime, {result, levels});
        if (!next.steps)
            return trials << QStringLiteral("refused");
        levels = next.steps->trial.levels;
        trials << problem.CurrentVertexType.text() + QLatin1Char(' ') + levels.join(QLatin1Char(' '));
    }
    return trials;
}

// New limits during a run move no level that was run: every vertex, the
// trial on show and the trials the same results propose after it stay where
// they were in natural units. A commit stopped between a factor's two
// limits keeps the factor's old ones. The
// new limits leave out every move that the old ones left out, so the same
// results propose the same trials: after the first result a contraction is
// on show, after the fifth a reflection, which a good result extends and a
// poor one contracts.
TEST(CommitFactorGrid, NewLimitsMidRunKeepEveryLevelRunAndTheTrialsToCome)
{
    const QStringList rest = test::KnownSteps.mid(1);
    const QStringList extended{"87.28"};
    const QStringList contracted{"60", "85"};
    const struct {
        const char* name;
        int steps;          // results of the known run entered before the change
        QStringList later;  // and after it
        QStringList temp;   // lower and upper limit typed for Temp
        QStringList time;
        bool ok;
        double lower; // Temp's limits after the commit
        double upper;
    } cases[] = {
        {"Temp widened", 1, rest, {"0", "100"}, {"10", "50"}, true, 0, 100},
        {"both moved", 1, rest, {"-1", "95.5"}, {"9.5", "51"}, true, -1, 95.5},
        {"both moved before an extension", 5, extended, {"-1", "95.5"}, {"9.5", "51"}, true, -1, 95.5},
        {"both moved before a contraction", 5, contracted, {"-1", "95.5"}, {"9.5", "51"}, true, -1, 95.5},
        {"Temp narrowed past vertices but not the trials", 1, rest, {"25", "80"}, {"10", "50"}, true, 25, 80},
        // A new lower limit beside the old upper one is a scale nobody gave.
        {"an equal upper limit refused after a new lower one", 1, rest, {"25", "25"}, {"10", "50"}, false, 20, 80},
        {"a range refused after a far lower limit", 5, extended, {"-1e308", "1e308"}, {"10", "50"}, false, 20, 80},
        {"an upper limit refused where the lower one leaves no scale", 5, extended, {"80", "x"}, {"10", "50"}, false,
         20, 80},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const core::OptimizationProblem steady = test::KnownRun(c.steps);
        const QStringList trials = LaterTrials(steady, c.later);
        ASSERT_FALSE(trials.contains(QStringLiteral("refused"))) << trials.join(", ").toStdString();
        core::OptimizationProblem changed = steady;
        core::RunTimeState runTime;
        GridText limits = LoadFactorGrid(changed);
        limits.setCell(1, 2, c.temp[0]);
        limits.setCell(1, 3, c.temp[1]);
        limits.setCell(2, 2, c.time[0]);
        limits.setCell(2, 3, c.time[1]);
        const Outcome outcome = CommitFactorGrid(changed, runTime, limits);
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_FALSE(outcome.trialProposedAgain);
        EXPECT_EQ(changed.Factors[1].LowerLimit, c.lower);
        EXPECT_EQ(changed.Factors[1].UpperLimit, c.upper);
        EXPECT_EQ(SummaryLevels(changed), SummaryLevels(steady));
        EXPECT_EQ(ReopenedSteps(changed).trial.levels, ReopenedSteps(steady).trial.levels);
        EXPECT_EQ(LaterTrials(changed, c.later), trials);
    }
}

// After the fifth result of the known run the simplex is vertex 7 |
// 8, 6, coded (.1328125, .51953125) | (.103515625, .7431640625), (.28125,
// .453125): centroid (.1923828125, .59814453125), reflection on show
// (35.12, 37.1), proposed after a reverse contraction was evaluated. An
// upper limit of 35 for Temp leaves it out; the reverse contraction, half
// way between centroid and vertex 7, (.16259765625, .558837890625), takes
// its place at the natural levels of the scale the run was on.
TEST(CommitFactorGrid, AReflectionLeftOutByNewLimitsGivesWayWhereTheOldScalePutsIt)
{
    core::OptimizationProblem problem = test::KnownRun(5);
    ASSERT_EQ(ReopenedSteps(problem).trial.levels, (QStringList{"35.12", "37.1"}));
    core::RunTimeState runTime;
    GridText limits = LoadFactorGrid(problem);
    limits.setCell(1, 3, QStringLiteral("35"));
    const Outcome outcome = CommitFactorGrid(problem, runTime, limits);
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.trialProposedAgain);
    EXPECT_EQ(problem.CurrentVertexType.text(), QStringLiteral("Cw"));
    EXPECT_EQ(ReopenedSteps(problem).trial.levels, (QStringList{"29.76", "32.4"}));
}

// Limits narrowed during a run past the trial on show: the commit proposes
// it again inside them, so the very levels shown are never refused. Along a
// run whose trials are reflections, extensions and contractions, the limit
// of the factor whose level is nearest to one is moved just inside it.
TEST(CommitFactorGrid, LimitsNarrowedPastTheTrialOnShowProposeItAgainInside)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "2"}, {"B", "5", "15", "1"}});
    GridText initial = test::CornerGrid(problem, {});
    for (int row = 1; row <= 3; ++row)
        initial.setCell(row, 3, QString::number(test::Hill({initial.cell(row, 1), initial.cell(row, 2)})));
    ASSERT_TRUE(ContinueInitialSimplex(problem, initial).ok);
    QStringList levels = BeginOptimization(problem).steps->trial.levels;
    core::RunTimeState runTime;
    QStringList typesSeen;
    for (int step = 0; step < 12; ++step) {
        SCOPED_TRACE(testing::Message() << "after " << step << " steps, trial " << problem.CurrentVertexType.text().toStdString());
        typesSeen += problem.CurrentVertexType.text();
        core::OptimizationProblem narrowed = problem;
        const int factor = levels[0].toDouble() > 5 ? 1 : 2; // cut A from above, else B from below
        const double level = levels[factor - 1].toDouble();
        GridText limits = LoadFactorGrid(narrowed);
        limits.setCell(factor, factor == 1 ? 3 : 2, QString::number(factor == 1 ? level - 0.25 : level + 0.25));
        const int before = narrowed.NumVertices;
        const Outcome committed = CommitFactorGrid(narrowed, runTime, limits);
        ASSERT_TRUE(committed.ok);
        EXPECT_TRUE(committed.trialProposedAgain);
        EXPECT_EQ(narrowed.NumVertices, before) << "nothing is recorded";
        const StepsContent shown = ReopenedSteps(narrowed);
        core::RunTimeState scratch;
        EXPECT_TRUE(NextStep(narrowed, scratch, {QStringLiteral("50"), shown.trial.levels}).outcome.ok)
            << shown.trial.levels.join(' ').toStdString();

        const StepsOutcome next = NextStep(problem, runTime, {QString::number(test::Hill(levels)), levels});
        ASSERT_TRUE(next.steps.has_value());
        levels = next.steps->trial.levels;
    }
    EXPECT_TRUE(typesSeen.contains("E") && typesSeen.contains("R") && typesSeen.contains("Cw"))
        << typesSeen.join(' ').toStdString();
}

} // namespace
} // namespace zeltomir::simplex
