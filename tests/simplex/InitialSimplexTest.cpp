#include "SimplexTestSupport.h"

#include "simplex/InitialSimplex.h"

#include "core/LevelScaling.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

using test::Column;
using test::CornerGrid;
using test::Texts;
using test::WithFactors;

core::OptimizationProblem TwoFactors(const QString& goal = QStringLiteral("max"))
{
    return WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, goal);
}

QStringList Row(const GridText& grid, int row)
{
    QStringList texts;
    for (int c = 1; c <= grid.columnCount(); ++c)
        texts.append(grid.cell(row, c));
    return texts;
}

TEST(InitialSimplexGrid, FreshProblemProposesTheCornerSimplex)
{
    core::OptimizationProblem problem = TwoFactors();
    problem.NumVertices = 9;
    const GridText grid = FillInitialSimplexGrid(problem, LoadInitialSimplexGrid(problem));
    EXPECT_EQ(problem.NumVertices, 3);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(Row(grid, 0), (QStringList{"A", "B", "Result"}));
    EXPECT_EQ(Row(grid, 1), (QStringList{"10", "5", "0"}));
    EXPECT_EQ(Row(grid, 2), (QStringList{"0", "15", "0"}));
    EXPECT_EQ(Row(grid, 3), (QStringList{"0", "5", "0"}));
}

TEST(InitialSimplexGrid, LoadShowsCommittedValuesAndZerosWhereTheHistoryEnds)
{
    core::OptimizationProblem problem = TwoFactors();
    GridText typed = CornerGrid(problem, {"1", "2", "3"});
    typed.setCell(3, 1, QStringLiteral("2.5"));
    ASSERT_TRUE(ContinueInitialSimplex(problem, typed).ok);
    const GridText again = LoadInitialSimplexGrid(problem);
    EXPECT_EQ(Row(again, 3), (QStringList{"2.5", "5", "3"}));

    // Two more factors: the history holds nothing for them or for the new
    // vertices, which show the lower limits and a zero response.
    problem.Factors[3].LowerLimit = 0;
    problem.Factors[4].LowerLimit = 0;
    problem.NumFactors = 4;
    const GridText grown = LoadInitialSimplexGrid(problem);
    EXPECT_EQ(problem.NumVertices, 5);
    EXPECT_EQ(grown.rowCount(), 5);
    EXPECT_EQ(Row(grown, 5), (QStringList{"0", "5", "0", "0", "0"}));
}

TEST(ContinueInitialSimplex, AllZeroResponsesAreRefusedAfterTheSnapshot)
{
    core::OptimizationProblem problem = TwoFactors();
    int snapshots = 0;
    const Outcome outcome = ContinueInitialSimplex(problem, CornerGrid(problem, {}), {[&] { ++snapshots; }});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(snapshots, 1);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0],
              (core::Message{QStringLiteral("Data Entry Error"),
                             QStringLiteral("All responses are zero.  Please input the responses for the initial simplex.")}));
    EXPECT_EQ(problem.InitialSimplexDefined, QStringLiteral("no"));
}

TEST(ContinueInitialSimplex, ZeroCheckComparesTheResponsesAsDoubles)
{
    const struct {
        QStringList responses;
        bool refusedAsZero;
    } cases[] = {
        {{"5", "-5", "0"}, false},
        {{"0", "0.0", "-0"}, true},
        {{"0", "0", "1e-300"}, false}, // zero only once converted at single precision
        {{"0", "0", ""}, false},       // left to the result check
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.responses.join(' ').toStdString());
        core::OptimizationProblem problem = TwoFactors();
        const Outcome outcome = ContinueInitialSimplex(problem, CornerGrid(problem, c.responses));
        const bool zero = !outcome.messages.empty() && outcome.messages.back().text.startsWith("All responses are zero");
        EXPECT_EQ(zero, c.refusedAsZero);
    }
}

TEST(ContinueInitialSimplex, WarnsForEachColumnOfEqualLevelsAndStillCommits)
{
    core::OptimizationProblem problem = WithFactors({{"A", "0", "10", "1"}, {"B", "0", "10", "1"}, {"C", "0", "10", "1"}});
    GridText grid = CornerGrid(problem, {"1", "2", "3", "4"});
    for (int row = 1; row <= 4; ++row) {
        grid.setCell(row, 1, QStringLiteral("4"));
        grid.setCell(row, 3, row == 4 ? QStringLiteral("4.0000001") : QStringLiteral("4")); // same at single precision
    }
    const Outcome outcome = ContinueInitialSimplex(problem, grid);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(Texts(outcome.messages),
              (QStringList{"All values in column 1 are the same.", "All values in column 3 are the same."}));
    EXPECT_EQ(outcome.messages[0].title, QStringLiteral("Data Entry Error"));
    EXPECT_EQ(problem.InitialSimplexDefined, QStringLiteral("yes"));
}

TEST(ContinueInitialSimplex, ColumnWithATextCellGetsNoWarningButTheLevelMessage)
{
    core::OptimizationProblem problem = TwoFactors();
    GridText grid = CornerGrid(problem, {"1", "2", "3"});
    for (int row = 1; row <= 3; ++row)
        grid.setCell(row, 1, row == 2 ? QStringLiteral("x") : QStringLiteral("0"));
    const Outcome outcome = ContinueInitialSimplex(problem, grid);
    EXPECT_EQ(Texts(outcome.messages), (QStringList{"The level for factor A in row 2 is not numeric."}));
}

struct LevelCase {
    const char* name;
    const char* lower;
    const char* upper;
    const char* level; // typed into row 2, factor A
    QString message;   // empty: committed
};

TEST(ContinueInitialSimplex, ChecksEachLevelAgainstTheLimitsAtSinglePrecision)
{
    const LevelCase cases[] = {
        {"just above the upper limit passes", "0", "1", "1.00000001", {}},
        {"just below the lower limit passes", "0.1", "1", "0.100000001", {}},
        {"below", "0.1", "1", "0.05",
         "The level for factor A in row 2 is lower than the lower limit you specified.  The lower limit specified was 0.1."},
        {"above", "0", "1E-05", "0.001",
         "The level for factor A in row 2 is greater than the upper limit you specified.  The upper limit specified was 1E-05."},
        {"beyond single precision is above", "0", "1", "1e39",
         "The level for factor A in row 2 is greater than the upper limit you specified.  The upper limit specified was 1."},
        {"text", "0", "1", "one", "The level for factor A in row 2 is not numeric."},
        {"empty", "0", "1", "", "The level for factor A in row 2 is not numeric."},
    };
    for (const LevelCase& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = WithFactors({{"A", c.lower, c.upper, "2"}, {"B", "0", "1", "2"}});
        GridText grid = CornerGrid(problem, {"1", "2", "3"});
        grid.setCell(2, 1, QString::fromLatin1(c.level));
        // The row taken alone gets the commit's answer.
        const Outcome row = CheckInitialSimplexRow(problem, grid, 2);
        EXPECT_EQ(row.ok, c.message.isEmpty());
        EXPECT_EQ(Texts(row.messages), c.message.isEmpty() ? QStringList{} : QStringList{c.message});
        const Outcome outcome = ContinueInitialSimplex(problem, grid);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(outcome.ok);
            EXPECT_EQ(problem.Simplex.value(1, 2), core::ToCoded(problem.Factors[1].LowerLimit,
                                                                 problem.Factors[1].UpperLimit,
                                                                 QString::fromLatin1(c.level).toDouble()));
        } else {
            EXPECT_FALSE(outcome.ok);
            ASSERT_FALSE(outcome.messages.empty());
            EXPECT_EQ(outcome.messages.back(), (core::Message{QStringLiteral("Data Input Error"), c.message}));
            EXPECT_EQ(problem.InitialSimplexDefined, QStringLiteral("no"));
        }
    }
}

TEST(ContinueInitialSimplex, LevelJustAboveTheUpperLimitIsStoredAboveOne)
{
    core::OptimizationProblem problem = WithFactors({{"A", "0", "1", "2"}, {"B", "0", "1", "2"}});
    GridText grid = CornerGrid(problem, {"1", "2", "3"});
    grid.setCell(1, 1, QStringLiteral("1.00000001"));
    ASSERT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    EXPECT_GT(problem.VertexHistory.value(1, 1), 1.0);
}

TEST(ContinueInitialSimplex, BadCellsStopInRowOrderKeepingEarlierCells)
{
    core::OptimizationProblem problem = TwoFactors();
    ASSERT_TRUE(ContinueInitialSimplex(problem, CornerGrid(problem, {"7", "8", "9"})).ok);
    GridText grid = CornerGrid(problem, {"1", "x", "3"});
    grid.setCell(1, 1, QStringLiteral("5"));
    grid.setCell(2, 2, QStringLiteral("10"));
    grid.setCell(3, 1, QStringLiteral("bad"));
    const Outcome outcome = ContinueInitialSimplex(problem, grid);
    EXPECT_EQ(Texts(outcome.messages), (QStringList{"The level for factor A in row 3 is not numeric."}));
    // Row 1 and 2 were converted; the history was cleared before, so the
    // earlier results are gone.
    EXPECT_EQ(problem.VertexHistory.value(1, 1), 0.5);
    EXPECT_EQ(problem.VertexHistory.value(2, 2), 0.5);
    EXPECT_EQ(Column(problem.VertexHistory, 3, 1, 3), (std::vector<double>{0, 0, 0}));

    grid.setCell(3, 1, QStringLiteral("0"));
    EXPECT_EQ(Texts(CheckInitialSimplexRow(problem, grid, 2).messages),
              (QStringList{"The result in row 2 is not numeric."}));
    const Outcome second = ContinueInitialSimplex(problem, grid);
    EXPECT_EQ(Texts(second.messages), (QStringList{"The result in row 2 is not numeric."}));
    EXPECT_EQ(Column(problem.VertexHistory, 3, 1, 3), (std::vector<double>{1, 0, 0}));
}

TEST(ContinueInitialSimplex, CommitsCodedLevelsAndSinglePrecisionResults)
{
    core::OptimizationProblem problem = TwoFactors();
    problem.VertexHistory.at(1, 50) = 3; // a longer history from earlier steps
    GridText grid = CornerGrid(problem, {"0.1", "2", "3"});
    grid.setCell(3, 2, QStringLiteral("7.5"));
    ASSERT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    EXPECT_EQ(problem.NumVertices, 3);
    EXPECT_EQ(problem.VertexHistory.maxCol(), 6);
    EXPECT_EQ(problem.VertexHistory.maxRow(), 3);
    EXPECT_EQ(Column(problem.VertexHistory, 1, 1, 3), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(Column(problem.VertexHistory, 2, 1, 3), (std::vector<double>{0, 1, 0.25}));
    EXPECT_EQ(Column(problem.Simplex, 2, 1, 3), (std::vector<double>{0, 1, 0.25}));
    EXPECT_EQ(problem.VertexHistory.value(3, 1), static_cast<double>(0.1f));
    EXPECT_EQ(problem.Simplex.value(3, 1), static_cast<double>(0.1f));
    EXPECT_EQ(Column(problem.VertexHistory, 4, 1, 3), (std::vector<double>{0, 0, 0})); // type Initial
    EXPECT_EQ(Column(problem.VertexHistory, 5, 1, 3), (std::vector<double>{0, 0, 0})); // never retained yet
}

TEST(ContinueInitialSimplex, RecordResponseStartsHighAndTakesTheLowestResult)
{
    const struct {
        QString goal;
        double target;
        QStringList responses;
        double record;
    } cases[] = {
        {"max", 0, {"4", "2", "7"}, 2},
        {"min", 0, {"4", "2", "7"}, 2},
        {"max", 0, {"1e8", "2e8", "3e8"}, 9999999},
        {"mid", 10, {"8", "10", "13"}, 8},
        {"mid", 1e8, {"2e8", "3e8", "4e8"}, 1e8 + 9999999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.goal.toStdString());
        core::OptimizationProblem problem = TwoFactors(c.goal);
        problem.TargetValue = c.target;
        ASSERT_TRUE(ContinueInitialSimplex(problem, CornerGrid(problem, c.responses)).ok);
        EXPECT_EQ(problem.RecordResponse, c.record);
    }
}

TEST(ContinueInitialSimplex, EqualLimitsAreRefusedInsteadOfDividingByZero)
{
    core::OptimizationProblem problem = TwoFactors();
    problem.Factors[2].UpperLimit = 5; // as a hand-edited file could hold
    GridText grid = CornerGrid(problem, {"1", "2", "3"});
    const Outcome outcome = ContinueInitialSimplex(problem, grid);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(Texts(outcome.messages),
              (QStringList{"All values in column 2 are the same.",
                           "The lower and upper limits of factor B are equal.  "
                           "Define the factors again with limits that differ."}));
}

TEST(ContinueInitialSimplex, FewerThanTwoFactorsChangesNothing)
{
    core::OptimizationProblem problem = TwoFactors();
    const GridText grid = CornerGrid(problem, {"1", "2", "3"});
    problem.NumFactors = 1;
    const core::OptimizationProblem before = problem;
    int snapshots = 0;
    const Outcome outcome = ContinueInitialSimplex(problem, grid, {[&] { ++snapshots; }});
    EXPECT_EQ(Texts(outcome.messages), (QStringList{"There must be at least 2 factors."}));
    EXPECT_EQ(snapshots, 0);
    EXPECT_EQ(problem, before);
}

TEST(CommitInitialSimplexGrid, CommitsWithoutWarningsZeroCheckRecordOrFlag)
{
    core::OptimizationProblem problem = TwoFactors();
    problem.RecordResponse = 42;
    GridText grid = CornerGrid(problem, {"0", "0", "0"});
    for (int row = 1; row <= 3; ++row)
        grid.setCell(row, 1, QStringLiteral("3"));
    const Outcome outcome = CommitInitialSimplexGrid(problem, grid);
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.messages.empty());
    EXPECT_EQ(problem.RecordResponse, 42);
    EXPECT_EQ(problem.InitialSimplexDefined, QStringLiteral("no"));
    EXPECT_EQ(Column(problem.VertexHistory, 1, 1, 3), (std::vector<double>{0.3, 0.3, 0.3}));

    grid.setCell(2, 3, QStringLiteral("abc"));
    EXPECT_EQ(Texts(CommitInitialSimplexGrid(problem, grid).messages),
              (QStringList{"The result in row 2 is not numeric."}));
}

} // namespace
} // namespace zeltomir::simplex
