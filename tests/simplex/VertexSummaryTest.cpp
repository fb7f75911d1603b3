#include "SimplexTestSupport.h"

#include "simplex/VertexSummary.h"

#include <gtest/gtest.h>

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
        EXPECT_EQ(row.vertex, QString::number(v));
        EXPECT_EQ(row.levels, levels[v - 1]);
        EXPECT_EQ(row.type, QStringLiteral("Initial"));
        EXPECT_EQ(row.timesRetained, QStringLiteral("1"));
    }
    EXPECT_EQ(content.rows[0].result, QStringLiteral("0.100000001490116")); // as parsed, unrounded
}

TEST(VertexSummary, CellsAsTheHistoryHoldsThem)
{
    core::OptimizationProblem problem = test::StartupProblem();
    problem.NumFactors = 1;
    problem.NumVertices = 7;
    problem.Factors[1].LowerLimit = -1;
    problem.Factors[1].UpperLimit = 1;
    problem.Factors[1].SignificantDigits = 0;
    const double codes[] = {0, 1, 2, 3, 4, 5, 1.5};
    for (int v = 1; v <= 7; ++v) {
        problem.VertexHistory.at(1, v) = 0.6; // natural 0.2: no decimals, rounds to an empty text
        problem.VertexHistory.at(2, v) = 1234.5;
        problem.VertexHistory.at(3, v) = codes[v - 1];
        problem.VertexHistory.at(4, v) = v;
    }
    const VertexSummaryContent content = BuildVertexSummary(problem);
    const std::optional<QString> types[] = {"Initial", "Reflection", "Extension", "Cr", "Cw", std::nullopt,
                                            std::nullopt};
    ASSERT_EQ(content.rows.size(), 7u);
    for (int v = 1; v <= 7; ++v) {
        SCOPED_TRACE(v);
        const VertexSummaryRow& row = content.rows[static_cast<std::size_t>(v - 1)];
        EXPECT_EQ(row.levels, (QStringList{""}));
        EXPECT_EQ(row.result, QStringLiteral("1234.5"));
        EXPECT_EQ(row.type, types[v - 1]);
        EXPECT_EQ(row.timesRetained, QString::number(v));
    }
}

TEST(VertexSummary, CountsBeyondTheTablesReadAsZeroRows)
{
    core::OptimizationProblem problem = test::StartupProblem();
    problem.NumVertices = 0;
    EXPECT_TRUE(BuildVertexSummary(problem).rows.empty());
    problem.NumVertices = 300; // more than the history holds
    problem.NumFactors = -2;
    const VertexSummaryContent content = BuildVertexSummary(problem);
    EXPECT_EQ(content.headers, (QStringList{"Vertex", "Result", "Type", "Times Retained"}));
    ASSERT_EQ(content.rows.size(), 300u);
    EXPECT_EQ(content.rows.back().result, QStringLiteral("0"));
}

} // namespace
} // namespace zeltomir::simplex
