#include "SimplexTestSupport.h"

#include "simplex/ResponseSetup.h"
#include "simplex/VertexStatus.h"
#include "simplex/VertexTable.h"
#include "simplex/VertexView.h"

#include <gtest/gtest.h>

#include <functional>
#include <iomanip>
#include <ostream>
#include <vector>

namespace zeltomir::simplex {

void PrintTo(const ExportCell& cell, std::ostream* out)
{
    switch (cell.kind) {
    case ExportCell::Kind::Empty:
        *out << "empty";
        break;
    case ExportCell::Kind::Text:
        *out << "text \"" << cell.text.toStdString() << '"';
        break;
    case ExportCell::Kind::Number:
        *out << (cell.single ? "single " : "number ") << std::setprecision(17) << cell.number;
        break;
    }
}

namespace {

ExportCell T(const char* text) { return TextCell(QString::fromUtf8(text)); }
ExportCell N(double value) { return NumberCell(value); }
// A value the record holds at single precision, as it holds it.
ExportCell S(float value) { return NumberCell(static_cast<double>(value), true); }
const ExportCell E{};

// The whole table, header first.
std::vector<ExportRow> VertexTable(const core::OptimizationProblem& problem)
{
    std::vector<ExportRow> table;
    EmitVertexTable(problem, [&table](const ExportRow& row) { table.push_back(row); });
    return table;
}

// Names that a spreadsheet would take for formulas or split, a result typed
// as 69.4, a corrected and a failed trial, an unknown type code; and two
// responses, which a failed trial has none of.
TEST(VertexTable, HoldsTheSummaryAsTypedCells)
{
    struct Case {
        const char* what;
        std::function<core::OptimizationProblem()> problem;
        std::vector<ExportRow> rows;
    };
    const Case cases[] = {
        {"one result",
         [] {
             core::OptimizationProblem problem =
                 test::WithFactors({{"=1+1", "0", "10", "1"}, {"Temp, \"C\"", "5", "15", "2"}});
             test::CommitCorner(problem, {"69.4", "6", "-0.5"});
             EXPECT_TRUE(BeginOptimization(problem).outcome.ok);
             SetStatus(problem, 2, VertexStatus::Corrected, 3.3f);
             SetStatus(problem, 3, VertexStatus::Failed);
             problem.VertexHistory.at(Vertex::ColumnOf(2, Vertex::TypeColumn), 1) = 9;
             return problem;
         },
         {{T("Vertex"), T("=1+1"), T("Temp, \"C\""), T("Result"), T("Type"), T("Times Retained"), T("Status"),
           T("First Result")},
          {N(1), N(10), N(5), S(69.4f), E, N(1), T("measured"), E},
          {N(2), N(0), N(15), S(6), T("Initial"), N(1), T("corrected"), S(3.3f)},
          {N(3), N(0), N(5), S(-0.5f), T("Initial"), N(1), T("failed"), E}}},
        {"two responses",
         [] {
             core::OptimizationProblem problem = test::WithFactors({{"+A", "0", "10", "1"}, {"@B", "5", "15", "2"}});
             test::CommitCorner(problem, {"0.1", "6", "1"});
             EXPECT_TRUE(DefineResponses(problem, {{"-Yield", core::ResponseGoal::Maximize, 0, 100},
                                                   {"Ash, %", core::ResponseGoal::Minimize, 0, 10}})
                             .ok);
             problem.VertexHistory.at(Vertex::ColumnOf(2, Vertex::ResultColumn), 2) =
                 StoreVertexResponses(problem, 2, {64, 5});
             SetStatus(problem, 3, VertexStatus::Failed);
             return problem;
         },
         {{T("Vertex"), T("+A"), T("@B"), T("-Yield"), T("Ash, %"), T("D"), T("Type"), T("Times Retained"),
           T("Status"), T("First Result")},
          // D = sqrt(Yield / 100 * (10 - Ash) / 10), as the engine's
          // single-precision arithmetic gives it
          {N(1), N(10), N(5), S(0.1f), S(0), S(0.03162277862429619f), T("Initial"), N(0), T("measured"), E},
          {N(2), N(0), N(15), S(64), S(5), S(0.5656854510307312f), T("Initial"), N(0), T("measured"), E},
          {N(3), N(0), N(5), E, E, S(0.1f), T("Initial"), N(0), T("failed"), E}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<ExportRow> table = VertexTable(c.problem());
        ASSERT_EQ(table.size(), c.rows.size());
        for (std::size_t r = 0; r < table.size(); ++r) {
            SCOPED_TRACE(r);
            EXPECT_EQ(table[r], c.rows[r]);
        }
    }
}

} // namespace
} // namespace zeltomir::simplex
