#include "SimplexTestSupport.h"

#include "simplex/PlotContent.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace zeltomir::simplex {
namespace {

// A run of `steps` results on a smooth surface with its top inside the box,
// recording the simplex (its vertex numbers) after Begin Optimization and
// after every step that changed it, as the engine holds it.
struct RecordedRun {
    core::OptimizationProblem problem;
    std::vector<std::vector<int>> simplexes;
};

std::vector<int> SimplexVertices(const core::OptimizationProblem& p)
{
    std::vector<int> vertices;
    for (int r = 1; r <= p.NumFactors + 1; ++r)
        vertices.push_back(static_cast<int>(p.Simplex.value(p.NumFactors + 3, r)));
    std::sort(vertices.begin(), vertices.end());
    return vertices;
}

RecordedRun RunOnASmoothSurface(const QString& stepType, int steps)
{
    RecordedRun run{test::WithFactors({{"A", "0", "10", "2"}, {"B", "5", "15", "1"}}, "max", stepType), {}};
    const auto response = [](const QStringList& levels) {
        const double a = levels.value(0).toDouble() - 6.3;
        const double b = levels.value(1).toDouble() - 11.2;
        return QString::number(100 - a * a - 2 * b * b + 0.5 * a * b, 'g', 7);
    };
    GridText grid = test::CornerGrid(run.problem, {});
    for (int row = 1; row <= 3; ++row)
        grid.setCell(row, 3, response({grid.cell(row, 1), grid.cell(row, 2)}));
    EXPECT_TRUE(ContinueInitialSimplex(run.problem, grid).ok);
    StepsOutcome answer = BeginOptimization(run.problem);
    run.simplexes.push_back(SimplexVertices(run.problem));
    core::RunTimeState runTime;
    for (int step = 0; step < steps && answer.steps; ++step) {
        const QStringList levels = answer.steps->trial.levels;
        answer = NextStep(run.problem, runTime, {response(levels), levels});
        if (SimplexVertices(run.problem) != run.simplexes.back())
            run.simplexes.push_back(SimplexVertices(run.problem));
    }
    return run;
}

TEST(SimplexHistory, RetentionCountsGiveEverySimplexOfTheRun)
{
    for (const char* stepType : {"Variable", "Fixed"}) {
        SCOPED_TRACE(stepType);
        const RecordedRun run = RunOnASmoothSurface(QLatin1String(stepType), 25);
        const SimplexHistory history(run.problem);
        ASSERT_TRUE(history.consistent());
        ASSERT_EQ(history.lastAcceptance() + 1, static_cast<int>(run.simplexes.size()));
        for (int j = 0; j <= history.lastAcceptance(); ++j)
            EXPECT_EQ(history.simplexAt(j), run.simplexes[static_cast<std::size_t>(j)]) << "acceptance " << j;

        // Counts altered by hand no longer add up: nothing earlier is drawn.
        core::OptimizationProblem altered = run.problem;
        altered.VertexHistory.at(5, 1) += 1;
        EXPECT_FALSE(SimplexHistory(altered).consistent());
        EXPECT_TRUE(BuildPathPlot(altered, 1, 2).earlier.empty());
    }
}

TEST(PlotContent, ResponseAndPathOfARun)
{
    const RecordedRun run = RunOnASmoothSurface(QStringLiteral("Variable"), 12);
    const core::OptimizationProblem& p = run.problem;
    const ResponsePlot response = BuildResponsePlot(p);
    ASSERT_EQ(response.points.size(), static_cast<std::size_t>(p.NumVertices));
    std::vector<int> filled;
    for (const ResponsePoint& point : response.points)
        if (point.inSimplex)
            filled.push_back(point.vertex);
    EXPECT_EQ(filled, run.simplexes.back());
    // The best so far never falls when maximising, and ends at the best result.
    EXPECT_TRUE(std::is_sorted(response.bestSoFar.begin(), response.bestSoFar.end()));
    EXPECT_EQ(response.bestSoFar.back(),
              std::max_element(response.points.begin(), response.points.end(), [](auto& a, auto& b) {
                  return a.result < b.result;
              })->result);
    EXPECT_FALSE(response.target.has_value());

    const PathPlot path = BuildPathPlot(p, 2, 1);
    EXPECT_EQ(path.xName, QStringLiteral("B"));
    EXPECT_EQ(std::pair(path.xLower, path.xUpper), std::pair(5.0, 15.0));
    EXPECT_EQ(path.vertices.size(), static_cast<std::size_t>(p.NumVertices));
    ASSERT_EQ(path.outline.size(), 3u); // the triangle of two factors
    EXPECT_EQ(path.earlier.size(), std::min<std::size_t>(EarlierOutlines, run.simplexes.size() - 1));
    EXPECT_EQ(path.centres.size(), run.simplexes.size());
    ASSERT_TRUE(path.trial.has_value());
    EXPECT_DOUBLE_EQ(path.trial->x(), 5 + 10 * p.TrialPoint[2]);

    // Before an initial simplex is committed there is nothing to draw.
    const core::OptimizationProblem fresh = test::StartupProblem();
    EXPECT_TRUE(BuildResponsePlot(fresh).points.empty());
    EXPECT_TRUE(BuildPathPlot(fresh, 1, 2).vertices.empty());
}

} // namespace
} // namespace zeltomir::simplex
