#include "SimplexTestSupport.h"

#include "simplex/RunProgress.h"

#include <gtest/gtest.h>

namespace zeltomir::simplex {
namespace {

// Two factors on 0..10 and 5..15 with no decimals, corner simplex with
// results 5, 6, 1: after Begin Optimization the simplex is vertices 3 | 1, 2,
// each kept once, and the best result is vertex 2.
core::OptimizationProblem Begun(const QString& stepType)
{
    core::OptimizationProblem p = test::WithFactors({{"A", "0", "10", "1"}, {"B", "5", "15", "1"}}, "max", stepType);
    test::CommitCorner(p, {"5", "6", "1"});
    EXPECT_TRUE(BeginOptimization(p).outcome.ok);
    p.Factors[1].SignificantDigits = 0;
    p.Factors[2].SignificantDigits = 0;
    return p;
}

// Appends vertices with a poor result up to vertex `last`.
void PoorVerticesUpTo(core::OptimizationProblem& p, int last)
{
    p.VertexHistory.ensure(6, last);
    for (int v = p.NumVertices + 1; v <= last; ++v)
        p.VertexHistory.at(3, v) = -1;
    p.NumVertices = static_cast<std::int16_t>(last);
}

// Every simplex row at the lower limits but for a spread of `extent` in each
// factor's natural units (both factors span 10).
void SimplexSpread(core::OptimizationProblem& p, double extent)
{
    for (int r = 1; r <= 3; ++r)
        for (int i = 1; i <= 2; ++i)
            p.Simplex.at(i, r) = r == 1 ? extent / 10 : 0;
}

TEST(AssessRun, EachAdviceRuleFiresFromItsBoundary)
{
    const QString kept = QStringLiteral("Vertex 2 has been kept in 3 successive simplexes: measure it again; if its "
                                        "result holds, the simplex is circling the optimum.");
    const QString resolution = QStringLiteral("The simplex is now smaller than the factors can be set at the shown "
                                              "decimals: further trials repeat levels already run.");
    const struct {
        const char* name;
        std::function<void(core::OptimizationProblem&)> change;
        QStringList advice;
    } cases[] = {
        {"just begun", [](auto&) {}, {}},
        {"kept in k simplexes", [](auto& p) { p.VertexHistory.at(5, 2) = 2; }, {}},
        {"kept in k+1 simplexes", [](auto& p) { p.VertexHistory.at(5, 2) = 3; }, {kept}},
        {"the vertex moved away from, kept in k+1", [](auto& p) { p.VertexHistory.at(5, 3) = 3; }, {}},
        {"spread of one resolution", [](auto& p) { SimplexSpread(p, 1); }, {}},
        {"spread below the resolution", [](auto& p) { SimplexSpread(p, 0.999); }, {resolution}},
        {"best 2(k+1) - 1 vertices old", [](auto& p) { PoorVerticesUpTo(p, 7); }, {}},
        {"best 2(k+1) vertices old", [](auto& p) { PoorVerticesUpTo(p, 8); },
         {"No better result in the last 6 trials."}},
        {"an equal result is no improvement",
         [](auto& p) {
             PoorVerticesUpTo(p, 8);
             p.VertexHistory.at(3, 8) = 6;
         },
         {"No better result in the last 6 trials."}},
    };
    for (const char* stepType : {"Variable", "Fixed"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << stepType << ": " << c.name);
            core::OptimizationProblem p = Begun(QLatin1String(stepType));
            c.change(p);
            QStringList advice;
            for (const Advice& a : AssessRun(p).advice)
                advice << a.text;
            EXPECT_EQ(advice, c.advice);
        }
    }
}

TEST(AssessRun, ProgressOfABegunRun)
{
    core::OptimizationProblem p = Begun(QStringLiteral("Variable"));
    const RunProgress progress = AssessRun(p);
    EXPECT_EQ(progress.vertexCount, 3);
    EXPECT_EQ(progress.best, (BestResult{2, 6, {0, 15}}));
    EXPECT_EQ(progress.extents, (std::vector<FactorExtent>{{"A", 10, 1}, {"B", 10, 1}}));

    // Minimising, the lowest result is the best; nothing before a commit.
    p.Goal = QStringLiteral("min");
    EXPECT_EQ(AssessRun(p).best->vertex, 3);
    EXPECT_EQ(AssessRun(test::StartupProblem()), RunProgress{});
}

} // namespace
} // namespace zeltomir::simplex
