#include "simplex/ResponseGrid.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

// How the grid's cells become responses: the goal words, the cells that may
// stay empty, and the cell a refusal names.
TEST(ResponseGridTest, CellsReadOrRefuseNamingTheCell)
{
    const struct {
        const char* name;
        QList<QStringList> rows;
        int responses; // defined after the commit; -1: refused
        QString message;
        int column, row;
    } cases[] = {
        {"empty grid keeps one response", {}, 0, {}, 0, 0},
        {"goal words in any case, empty goal maximises",
         {{"A", "TRACK ONLY"}, {"B", "", "0", "1"}, {"C", "min", "0", "1"}}, 3, {}, 0, 0},
        {"unknown goal", {{"A", "Highest", "0", "1"}}, -1, "Response 1 (A): the goal must be Maximize, Minimize, "
                                                           "Target or Track only.", 2, 1},
        {"target needs its target", {{"A", "max", "0", "1"}, {"B", "Target", "0", "1"}}, -1,
         "Response 2 (B): the target must be numeric.", 5, 2},
        {"a limit that is no number", {{"A", "Maximize", "0", "1,5"}}, -1,
         "Response 1 (A): the upper limit must be numeric.", 4, 1},
        {"a blank row between responses", {{"A", "max", "0", "1"}, {}, {"C", "max", "0", "1"}}, -1,
         "Response 2 needs a name.", 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem;
        GridText grid = LoadResponseGrid(problem, QLocale::c());
        for (int r = 0; r < c.rows.size(); ++r) {
            for (int col = 0; col < c.rows[r].size(); ++col)
                grid.setCell(r + 1, col + 1, c.rows[r][col]);
        }
        const Outcome outcome = CommitResponseGrid(problem, grid, {}, QLocale::c());
        EXPECT_EQ(outcome.ok, c.responses >= 0);
        EXPECT_EQ(static_cast<int>(problem.Responses.size()), std::max(c.responses, 0));
        EXPECT_EQ(outcome.messages.empty() ? QString() : outcome.messages.front().text, c.message);
        EXPECT_EQ(std::pair(outcome.focusColumn, outcome.focusRow), std::pair(c.column, c.row));
    }
}

} // namespace
} // namespace zeltomir::simplex
