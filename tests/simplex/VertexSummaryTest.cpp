#include "SimplexTestSupport.h"

#include "simplex/ResponseSetup.h"
#include "simplex/VertexSummary.h"

#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace zeltomir::simplex {
namespace {

TEST(VertexSummary, AfterBeginOptimizationListsTheInitialVerticesRetainedOnce)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "2"}});
    test::CommitCorner(problem, {"0.1", "6", "1"});
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    const VertexSummaryContent content = BuildVertexSummary(problem);
    EXPECT_EQ(content.headers, (QStringList{"Vertex", "A", "B", "Result", "Type", "Times Retained"}));
    ASSERT_EQ(content.rows.size(), 3u);
    const QStringList levels[] = {{"10.0", "5.00"}, {"0.0", "15.00"}, {"0.0", "5.00"}};
    for (int v = 1; v <= 3; ++v) {
        SCOPED_TRACE(v);
        const VertexSummaryRow& row = content.rows[static_cast<std::size_t>(v - 1)];
        EXPECT_EQ(row.vertex(), QString::number(v));
        EXPECT_EQ(row.levels(), levels[v - 1]);
        EXPECT_EQ(row.type(), QStringLiteral("Initial"));
        EXPECT_EQ(row.timesRetained(), QStringLiteral("1"));
    }
    EXPECT_EQ(content.rows[0].result(), QStringLiteral("0.100000001490116")); // as parsed, unrounded
}

// Each response's value before D, which stands where the result did; a
// failed trial has no values.
TEST(VertexSummary, ResponsesBeforeTheirOverallDesirability)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "2"}});
    test::CommitCorner(problem, {"0.1", "6", "1"});
    ASSERT_TRUE(DefineResponses(problem, {{"Yield", core::ResponseGoal::Maximize, 0, 100},
                                          {"Impurity", core::ResponseGoal::Minimize, 0, 10}})
                    .ok);
    StoreVertexResponses(problem, 2, {64, 5});
    problem.VertexHistory.at(3, 2) = ResultOfResponses(problem, 2);
    SetStatus(problem, 3, VertexStatus::Failed);
    const VertexSummaryContent content = BuildVertexSummary(problem);
    EXPECT_EQ(content.headers,
              (QStringList{"Vertex", "A", "B", "Yield", "Impurity", "D", "Type", "Times Retained"}));
    ASSERT_EQ(content.rows.size(), 3u);
    const VertexSummaryRow& row = content.rows[1];
    EXPECT_EQ(row.levels(), (QStringList{"0.0", "15.00"}));
    EXPECT_EQ(row.responses(), (QStringList{"64", "5"}));
    EXPECT_EQ(row.result(), QStringLiteral("0.565685451030731")); // sqrt(0.64 * 0.5) at single precision
    EXPECT_EQ(row.type(), QStringLiteral("Initial"));
    EXPECT_EQ(content.rows[2].responses(), (QStringList{"", ""}));
    EXPECT_EQ(content.rows[2].result(), QStringLiteral("failed"));
}

TEST(VertexSummary, CellsAsTheHistoryHoldsThem)
{
    core::OptimizationProblem problem = test::StartupProblem();
    problem.InitialSimplexDefined = QStringLiteral("yes");
    problem.NumFactors = 1;
    problem.NumVertices = 8;
    problem.Factors[1].LowerLimit = -1;
    problem.Factors[1].UpperLimit = 1;
    problem.Factors[1].SignificantDigits = 0;
    const double codes[] = {0, 1, 2, 3, 4, 5, 6, 1.5};
    for (int v = 1; v <= 8; ++v) {
        problem.VertexHistory.at(1, v) = 0.6; // natural 0.2: no decimals, rounds to an empty text
        problem.VertexHistory.at(2, v) = 1234.5;
        problem.VertexHistory.at(3, v) = codes[v - 1];
        problem.VertexHistory.at(4, v) = v;
    }
    SetStatus(problem, 2, VertexStatus::Failed);
    SetStatus(problem, 3, VertexStatus::Corrected, 12.5);
    SetStatus(problem, 7, VertexStatus::Corrected, 12.5);
    MarkPendingAgain(problem, 4);
    const VertexSummaryContent content = BuildVertexSummary(problem);
    const std::optional<QString> types[] = {"Initial", "Reflection", "Extension (corrected)", "Cr", "Cw", "Again",
                                            std::nullopt, std::nullopt};
    ASSERT_EQ(content.rows.size(), 8u);
    for (int v = 1; v <= 8; ++v) {
        SCOPED_TRACE(v);
        const VertexSummaryRow& row = content.rows[static_cast<std::size_t>(v - 1)];
        EXPECT_EQ(row.levels(), (QStringList{""}));
        EXPECT_EQ(row.result(), v == 2 ? QStringLiteral("failed") : QStringLiteral("1234.5"));
        EXPECT_EQ(row.type(), types[v - 1]);
        EXPECT_EQ(row.timesRetained(), QString::number(v));
    }
}

TEST(VertexSummary, CountsBeyondTheTablesReadAsZeroRows)
{
    core::OptimizationProblem problem = test::StartupProblem();
    // The start-up history, before an initial simplex is committed, is nobody's vertices.
    EXPECT_TRUE(BuildVertexSummary(problem).rows.empty());
    problem.InitialSimplexDefined = QStringLiteral("yes");
    problem.NumVertices = 0;
    EXPECT_TRUE(BuildVertexSummary(problem).rows.empty());
    problem.NumVertices = 300; // more than the history holds
    problem.NumFactors = -2;
    const VertexSummaryContent content = BuildVertexSummary(problem);
    EXPECT_EQ(content.headers, (QStringList{"Vertex", "Result", "Type", "Times Retained"}));
    ASSERT_EQ(content.rows.size(), 300u);
    EXPECT_EQ(content.rows.back().result(), QStringLiteral("0"));
}

// Rows cut to the history's vertices, built as the whole table builds them.
TEST(VertexSummary, ChosenRowsAreTheWholeTablesRows)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "2"}});
    test::CommitCorner(problem, {"0.1", "6", "1"});
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    const VertexSummaryContent whole = BuildVertexSummary(problem);
    EXPECT_EQ(VertexSummaryHeaders(problem), whole.headers);
    const struct {
        int first;
        int last;
        int expectedFirst;
        int expectedCount;
    } cases[] = {{2, 3, 2, 2}, {3, 3, 3, 1}, {0, 9, 1, 3}, {3, 2, 3, 0}, {4, 5, 4, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        const std::vector<VertexSummaryRow> rows = BuildVertexSummaryRows(problem, c.first, c.last);
        ASSERT_EQ(static_cast<int>(rows.size()), c.expectedCount);
        for (int i = 0; i < c.expectedCount; ++i) {
            const VertexSummaryRow& expected = whole.rows[static_cast<std::size_t>(c.expectedFirst - 1 + i)];
            EXPECT_EQ(rows[static_cast<std::size_t>(i)].vertex(), expected.vertex());
            EXPECT_EQ(rows[static_cast<std::size_t>(i)].levels(), expected.levels());
            EXPECT_EQ(rows[static_cast<std::size_t>(i)].result(), expected.result());
            EXPECT_EQ(rows[static_cast<std::size_t>(i)].type(), expected.type());
            EXPECT_EQ(rows[static_cast<std::size_t>(i)].timesRetained(), expected.timesRetained());
        }
    }
}

// The cells of a table the way a grid holds them: row 0 the headers, written
// over in place, a Type cell of an unknown code left as it was, rows beyond
// the count dropped.
struct Table {
    std::vector<std::vector<QString>> cells; // [row][col - 1]

    void write(int col, int row, const QString& text)
    {
        std::vector<QString>& line = cells[static_cast<std::size_t>(row)];
        if (line.size() < static_cast<std::size_t>(col))
            line.resize(static_cast<std::size_t>(col));
        line[static_cast<std::size_t>(col - 1)] = text;
    }

    int columns() const { return cells.empty() ? 0 : static_cast<int>(cells[0].size()); }

    QStringView cell(int col, int row) const
    {
        if (row < 0 || row >= static_cast<int>(cells.size()) || col < 1)
            return {};
        const std::vector<QString>& line = cells[static_cast<std::size_t>(row)];
        return col <= static_cast<int>(line.size()) ? QStringView(line[static_cast<std::size_t>(col - 1)]) : QStringView();
    }

    // The first row of the column's longest text, 0 when all are empty.
    int longestRow(int col) const
    {
        int longest = 0;
        qsizetype length = 0;
        for (int row = 1; row < static_cast<int>(cells.size()); ++row) {
            if (cell(col, row).size() > length) {
                longest = row;
                length = cell(col, row).size();
            }
        }
        return longest;
    }

    void apply(const VertexSummaryUpdate& update)
    {
        cells.resize(static_cast<std::size_t>(update.rows) + 1);
        if (update.whole) {
            for (std::vector<QString>& line : cells)
                line.resize(static_cast<std::size_t>(update.headers.size()));
            for (int col = 1; col <= update.headers.size(); ++col)
                write(col, 0, update.headers[col - 1]);
        }
        for (const VertexSummaryCell& cell : update.changedCells)
            write(cell.col, cell.vertex, cell.text);
        int row = update.firstNewVertex;
        for (const VertexSummaryRow& vertex : update.newRows) {
            int col = 1;
            write(col++, row, vertex.vertex());
            for (const QString& level : vertex.levels())
                write(col++, row, level);
            for (const QString& response : vertex.responses())
                write(col++, row, response);
            write(col++, row, vertex.result());
            if (vertex.type())
                write(col, row, *vertex.type());
            write(++col, row, vertex.timesRetained());
            ++row;
        }
    }
};

std::vector<core::ResponseDefinition> TwoResponses()
{
    return {{"Yield", core::ResponseGoal::Maximize, 0, 100}, {"Impurity", core::ResponseGoal::Minimize, 0, 10}};
}

// A run of two factors at a few steps, kept at each stage the way the undo
// snapshots keep it.
struct SteppedRun {
    core::OptimizationProblem problem;
    core::RunTimeState runTime;
    QStringList levels;
    QLocale locale = QLocale::c();

    SteppedRun()
    {
        problem = test::WithFactors({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
        test::CommitCorner(problem, {"41.13", "77.65", "0.1"});
        levels = BeginOptimization(problem).steps->trial.levels;
    }

    void step(int count = 1)
    {
        for (int i = 0; i < count; ++i) {
            const QString result = QString::number(40 + (problem.NumVertices * 37) % 50);
            const StepsOutcome answer = NextStep(problem, runTime, {result, levels});
            ASSERT_TRUE(answer.steps.has_value());
            levels = answer.steps->trial.levels;
        }
    }
};

// Whatever happened to the record between two activations, the table the
// tracker's updates leave behind is the table a whole build writes over the
// previous one, and the update is whole exactly when a factor, the factor
// count or the locale changed. The longest text of each column follows the
// updates.
TEST(VertexSummaryTracker, UpdatesLeaveTheTableAWholeBuildWouldWrite)
{
    SteppedRun run;
    std::vector<core::OptimizationProblem> saved; // the "undo snapshots"
    enum class Expect { Rows, Whole, Nothing };
    const struct {
        const char* change;
        std::function<void(SteppedRun&)> apply;
        Expect expect;
    } changes[] = {
        {"first build", [](SteppedRun&) {}, Expect::Whole},
        {"nothing changed", [](SteppedRun&) {}, Expect::Nothing},
        {"one step", [](SteppedRun& r) { r.step(); }, Expect::Rows},
        {"four steps", [&saved](SteppedRun& r) { saved.push_back(r.problem); r.step(4); saved.push_back(r.problem); },
         Expect::Rows},
        {"undo to four steps back", [&saved](SteppedRun& r) { r.problem = saved[0]; }, Expect::Rows},
        {"redo", [&saved](SteppedRun& r) { r.problem = saved[1]; }, Expect::Rows},
        {"decimals of Temp to 0", [](SteppedRun& r) { r.problem.Factors[1].SignificantDigits = 0; }, Expect::Whole},
        {"Time renamed", [](SteppedRun& r) { r.problem.Factors[2].FactorName = QStringLiteral("Minutes"); }, Expect::Whole},
        {"upper limit of Time", [](SteppedRun& r) { r.problem.Factors[2].UpperLimit = 60; }, Expect::Whole},
        {"vertex count shrinks by three", [](SteppedRun& r) { r.problem.NumVertices -= 3; }, Expect::Rows},
        {"then a step", [](SteppedRun& r) { r.step(); }, Expect::Rows},
        {"a result at zero", [](SteppedRun& r) { r.problem.VertexHistory.at(3, 2) = 0.0; }, Expect::Rows},
        {"the result at negative zero", [](SteppedRun& r) { r.problem.VertexHistory.at(3, 2) = -0.0; }, Expect::Rows},
        {"a level not a number",
         [](SteppedRun& r) { r.problem.VertexHistory.at(1, 4) = std::numeric_limits<double>::quiet_NaN(); }, Expect::Rows},
        {"the same not-a-number again", [](SteppedRun&) {}, Expect::Nothing},
        {"an unknown type code", [](SteppedRun& r) { r.problem.VertexHistory.at(4, 1) = 9; }, Expect::Nothing},
        {"a known type code again", [](SteppedRun& r) { r.problem.VertexHistory.at(4, 1) = 2; }, Expect::Rows},
        {"a vertex failed", [](SteppedRun& r) { SetStatus(r.problem, 2, VertexStatus::Failed); }, Expect::Rows},
        {"the same result, measured again",
         [](SteppedRun& r) { SetStatus(r.problem, 2, VertexStatus::Measured); }, Expect::Rows},
        {"a result corrected", [](SteppedRun& r) { SetStatus(r.problem, 3, VertexStatus::Corrected, 5); },
         Expect::Rows},
        {"a retention count", [](SteppedRun& r) { r.problem.VertexHistory.at(5, 5) += 10; }, Expect::Rows},
        {"two long retention counts",
         [](SteppedRun& r) {
             r.problem.VertexHistory.at(5, 2) = 123456789;
             r.problem.VertexHistory.at(5, 4) = 1234567;
         },
         Expect::Rows},
        {"the longer one short again", [](SteppedRun& r) { r.problem.VertexHistory.at(5, 2) = 1; }, Expect::Rows},
        {"an earlier one as long", [](SteppedRun& r) { r.problem.VertexHistory.at(5, 1) = 7654321; }, Expect::Rows},
        {"locale with a decimal comma", [](SteppedRun& r) { r.locale = QLocale(QLocale::German); }, Expect::Whole},
        {"a third factor", [](SteppedRun& r) { r.problem.NumFactors = 3; }, Expect::Whole},
        {"back to two factors", [](SteppedRun& r) { r.problem.NumFactors = 2; }, Expect::Whole},
        {"two responses", [](SteppedRun& r) { ASSERT_TRUE(DefineResponses(r.problem, TwoResponses()).ok); },
         Expect::Whole},
        {"a response's value", [](SteppedRun& r) { r.problem.VertexResponses.at(2, 3) = 7.5; }, Expect::Rows},
        {"a response renamed",
         [](SteppedRun& r) {
             std::vector<core::ResponseDefinition> responses = TwoResponses();
             responses[1].name = QStringLiteral("Ash");
             ASSERT_TRUE(DefineResponses(r.problem, responses).ok);
         },
         Expect::Whole},
        {"more vertices than the history holds",
         [](SteppedRun& r) { r.problem.NumVertices = static_cast<std::int16_t>(r.problem.VertexHistory.maxRow() + 4); },
         Expect::Rows},
        {"no vertices", [](SteppedRun& r) { r.problem.NumVertices = -1; }, Expect::Rows},
    };
    VertexSummaryTracker tracker;
    LongestColumnTexts longest;
    Table table;
    for (const auto& change : changes) {
        SCOPED_TRACE(change.change);
        change.apply(run);
        const int shownRows = std::max(0, static_cast<int>(table.cells.size()) - 1);
        Table whole = table;
        whole.apply(*VertexSummaryTracker().update(run.problem, run.locale));
        const std::optional<VertexSummaryUpdate> update = tracker.update(run.problem, run.locale);
        switch (change.expect) {
        case Expect::Nothing:
            EXPECT_FALSE(update.has_value());
            break;
        case Expect::Whole:
            ASSERT_TRUE(update.has_value());
            EXPECT_TRUE(update->whole);
            break;
        case Expect::Rows:
            ASSERT_TRUE(update.has_value());
            EXPECT_FALSE(update->whole);
            // Only the rows added since are built in full.
            EXPECT_EQ(update->firstNewVertex, std::min(shownRows, update->rows) + 1);
            EXPECT_EQ(static_cast<int>(update->newRows.size()), update->rows - update->firstNewVertex + 1);
            break;
        }
        if (update) {
            table.apply(*update);
            longest.follow(*update, table.columns(), [&table](int col, int row) { return table.cell(col, row); });
        }
        EXPECT_EQ(table.cells, whole.cells);
        for (int col = 1; col <= table.columns(); ++col)
            EXPECT_EQ(longest.row(col), table.longestRow(col)) << "column " << col;
        EXPECT_EQ(static_cast<int>(table.cells.size()) - 1, std::max(0, static_cast<int>(run.problem.NumVertices)));
    }
}

// The cells a step changes in the rows already shown: the retention counts
// of the vertices still in the simplex, nothing else.
TEST(VertexSummaryTracker, AStepRewritesTheNewRowAndTheRetentionCountsOnly)
{
    SteppedRun run;
    run.step(3);
    VertexSummaryTracker tracker;
    ASSERT_TRUE(tracker.update(run.problem, run.locale).has_value());
    const int before = run.problem.NumVertices;
    run.step();
    const std::optional<VertexSummaryUpdate> update = tracker.update(run.problem, run.locale);
    ASSERT_TRUE(update.has_value());
    EXPECT_EQ(update->rows, run.problem.NumVertices);
    EXPECT_EQ(update->firstNewVertex, before + 1);
    ASSERT_EQ(static_cast<int>(update->newRows.size()), run.problem.NumVertices - before);
    EXPECT_EQ(update->newRows.front().vertex(), QString::number(before + 1));
    for (const VertexSummaryCell& cell : update->changedCells) {
        SCOPED_TRACE(cell.vertex);
        EXPECT_EQ(cell.col, 6);
        EXPECT_EQ(cell.text, core::GeneralForm(run.problem.VertexHistory.value(5, cell.vertex)));
    }
}

} // namespace
} // namespace zeltomir::simplex
