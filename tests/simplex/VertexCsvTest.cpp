#include "SimplexTestSupport.h"

#include "simplex/ResponseSetup.h"
#include "simplex/VertexCsv.h"
#include "simplex/VertexStatus.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

// The text as a German user gets it: the user's locale must not reach the
// file, where it would write 1.234.567,5.
QByteArray CsvText(const core::OptimizationProblem& problem)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QByteArray text = VertexCsvText(problem);
    QLocale::setDefault(saved);
    return text;
}

TEST(VertexCsv, ARunGivesTheNaturalLevelsAndStoredResultsWithQuotedNames)
{
    core::OptimizationProblem problem = test::WithFactors({{"Temp, \"C\"", "0", "10", "1"}, {"B", "5", "15", "2"}});
    EXPECT_EQ(CsvText(problem), "Vertex,\"Temp, \"\"C\"\"\",B,Result,Type,Times Retained,Status,First Result\r\n");
    test::CommitCorner(problem, {"0.1", "6", "1"});
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    EXPECT_EQ(CsvText(problem), "Vertex,\"Temp, \"\"C\"\"\",B,Result,Type,Times Retained,Status,First Result\r\n"
                                "1,10,5,0.10000000149011612,Initial,1,measured,\r\n"
                                "2,0,15,6,Initial,1,measured,\r\n"
                                "3,0,5,1,Initial,1,measured,\r\n");
}

// The status columns are written for every vertex; the first result only
// where a correction kept one.
TEST(VertexCsv, NumbersAtFullPrecisionWithAPointAndUnknownTypesEmpty)
{
    core::OptimizationProblem problem = test::StartupProblem();
    problem.InitialSimplexDefined = QStringLiteral("yes");
    problem.NumFactors = 1;
    problem.NumVertices = 4;
    problem.Factors[1] = {QStringLiteral("Line\nbreak"), 0, 1, 2}; // natural level = coded level
    const double rows[4][4] = {{0.1, 1234567.5, 3, 2}, {1.0 / 3, -0.0, 6, 0}, {1, 1e21, 1.5, 1}, {0.5, 2, 5, 1}};
    for (int v = 1; v <= 4; ++v) {
        for (int col = 1; col <= 4; ++col)
            problem.VertexHistory.at(col, v) = rows[v - 1][col - 1];
    }
    SetStatus(problem, 2, VertexStatus::Failed);
    SetStatus(problem, 3, VertexStatus::Corrected, 1.0 / 3);
    EXPECT_EQ(CsvText(problem), "Vertex,\"Line\nbreak\",Result,Type,Times Retained,Status,First Result\r\n"
                                "1,0.1,1234567.5,Cr,2,measured,\r\n"
                                "2,0.3333333333333333,0,,0,failed,\r\n"
                                "3,1,1e+21,,1,corrected,0.3333333333333333\r\n"
                                "4,0.5,2,Again,1,again,\r\n");
}

// A value per response, unrounded, before D; none for a failed trial.
TEST(VertexCsv, ResponsesBeforeTheirOverallDesirability)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "2"}});
    test::CommitCorner(problem, {"0.1", "6", "1"});
    ASSERT_TRUE(DefineResponses(problem, {{"Yield", core::ResponseGoal::Maximize, 0, 100},
                                          {"Ash, %", core::ResponseGoal::Minimize, 0, 10}})
                    .ok);
    StoreVertexResponses(problem, 2, {64, 5});
    problem.VertexHistory.at(3, 2) = ResultOfResponses(problem, 2);
    SetStatus(problem, 3, VertexStatus::Failed);
    EXPECT_EQ(QString::fromUtf8(CsvText(problem)), "Vertex,A,B,Yield,\"Ash, %\",D,Type,Times Retained,Status,First Result\r\n"
                                "1,10,5,0.10000000149011612,0,0.03162277862429619,Initial,0,measured,\r\n"
                                "2,0,15,64,5,0.5656854510307312,Initial,0,measured,\r\n"
                                "3,0,5,,,0.10000000149011612,Initial,0,failed,\r\n");
}

} // namespace
} // namespace zeltomir::simplex
