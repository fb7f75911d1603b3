#include "SimplexTestSupport.h"

#include "simplex/EngineSupport.h"
#include "simplex/PlotContent.h"
#include "simplex/PlotText.h"
#include "simplex/ResponseSetup.h"
#include "simplex/TrialDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

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

    EXPECT_EQ(response.vertexAxis, (AxisRange{0, p.NumVertices + 1.0}));

    const PathPlot path = BuildPathPlot(p, 2, 1);
    EXPECT_EQ(path.xName, QStringLiteral("B"));
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

// Factors A (0 to 100, 2 decimals) and B (0 to 10, 1 decimal) and an
// initial simplex of the user's own well inside the limits: (40, 2), (50, 2)
// and (40, 4), with these results. Begun, the first trial reflects vertex 2
// (the worst result in every use below) to (30, 4).
core::OptimizationProblem SimplexInside(const QStringList& results, bool begin, const QString& goal = "max")
{
    core::OptimizationProblem p = test::WithFactors({{"A", "0", "100", "2"}, {"B", "0", "10", "1"}}, goal);
    p.TargetValue = 20;
    GridText grid = test::CornerGrid(p, results);
    const char* levels[3][2] = {{"40", "2"}, {"50", "2"}, {"40", "4"}};
    for (int row = 1; row <= 3; ++row) {
        grid.setCell(row, 1, QLatin1String(levels[row - 1][0]));
        grid.setCell(row, 2, QLatin1String(levels[row - 1][1]));
    }
    EXPECT_TRUE(ContinueInitialSimplex(p, grid).ok);
    if (begin) {
        EXPECT_TRUE(BeginOptimization(p).steps.has_value());
    }
    return p;
}

constexpr double RangeTolerance = 1e-9;

void ExpectRange(const AxisRange& range, AxisRange expected, const char* axis)
{
    EXPECT_NEAR(range.lower, expected.lower, RangeTolerance) << axis;
    EXPECT_NEAR(range.upper, expected.upper, RangeTolerance) << axis;
}

TEST(PlotContent, PathAxesSpanTheRegionVisitedOrTheLimitsButNeverTheMarkers)
{
    const auto inside = [](bool begin) { return SimplexInside({"10", "5", "8"}, begin); };
    const struct {
        const char* what;
        std::function<core::OptimizationProblem()> problem;
        PathRange range;
        AxisRange x;
        AxisRange y;
    } cases[] = {
        // After start-up or File > New every limit is a marker: nothing to span.
        {"fresh", [] { return test::StartupProblem(); }, PathRange::Visited, {0, 1}, {0, 1}},
        {"fresh, whole", [] { return test::StartupProblem(); }, PathRange::Whole, {0, 1}, {0, 1}},
        {"factors only", [] { return test::WithFactors({{"A", "0", "100", "2"}, {"B", "0", "10", "1"}}); },
         PathRange::Visited, {-3, 103}, {-0.3, 10.3}},
        {"simplex", [&] { return inside(false); }, PathRange::Visited, {39.4, 50.6}, {1.88, 4.12}},
        {"simplex, whole", [&] { return inside(false); }, PathRange::Whole, {-3, 103}, {-0.3, 10.3}},
        {"with the trial", [&] { return inside(true); }, PathRange::Visited, {28.8, 51.2}, {1.88, 4.12}},
        {"one level of A", [&] {
             core::OptimizationProblem p = inside(false);
             for (int v = 1; v <= 3; ++v)
                 p.VertexHistory.at(1, v) = 0.45;
             return p;
         },
         PathRange::Visited, {39, 51}, {1.88, 4.12}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const PathPlot path = BuildPathPlot(row.problem(), 1, 2, row.range);
        ExpectRange(path.xAxis, row.x, "x");
        ExpectRange(path.yAxis, row.y, "y");
    }
}

TEST(PlotContent, ResultAxisHoldsTheResultsAndTheTarget)
{
    const struct {
        const char* what;
        std::function<core::OptimizationProblem()> problem;
        AxisRange results;
        const char* targetCaption;
        std::optional<double> failedLevel = std::nullopt;
        double vertexAxisUpper = 4;
    } cases[] = {
        {"fresh", [] { return test::StartupProblem(); }, {0, 1}, ""},
        {"max", [] { return SimplexInside({"10", "5", "8"}, true); }, {4.7, 10.3}, ""},
        {"target", [] { return SimplexInside({"10", "5", "8"}, true, "mid"); }, {4.1, 20.9}, "Target = 20"},
        {"one result", [] { return SimplexInside({"7", "7", "7"}, false); }, {6.3, 7.7}, ""},
        // A failed trial's 0 is no result: its cross goes in a band below.
        {"a failed trial",
         [] {
             core::OptimizationProblem p = SimplexInside({"10", "5", "8"}, true);
             core::RunTimeState runTime;
             EXPECT_TRUE(TrialFailed(p, runTime, {"", ReopenedSteps(p).trial.levels}).outcome.ok);
             return p;
         },
         {4.252, 10.3}, "", 4.476, 5},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const ResponsePlot response = BuildResponsePlot(row.problem());
        EXPECT_EQ(response.vertexAxis, (AxisRange{0, row.vertexAxisUpper}));
        ExpectRange(response.resultAxis, row.results, "results");
        EXPECT_EQ(response.targetCaption, QLatin1String(row.targetCaption));
        const auto failed = std::find_if(response.points.begin(), response.points.end(),
                                         [](const ResponsePoint& point) { return point.failed; });
        EXPECT_EQ(failed != response.points.end(), row.failedLevel.has_value());
        if (row.failedLevel) {
            EXPECT_NEAR(response.failedLevel, *row.failedLevel, RangeTolerance);
            EXPECT_EQ(response.bestSoFar.back(), 10); // the failed 0 is not the best of a max run
        }
    }
}

// With several responses the plot shows D, or one response with the value
// the best vertex by D had so far and a target response's target.
TEST(PlotContent, DOrOneOfSeveralResponses)
{
    core::OptimizationProblem p = SimplexInside({"10", "5", "8"}, true);
    ASSERT_TRUE(DefineResponses(p, {{"Yield", core::ResponseGoal::Target, 0, 20, 12},
                                    {"Ash", core::ResponseGoal::Minimize, 0, 10}})
                    .ok);
    // Ash is 0 throughout (d = 1): D is the square root of Yield's d.
    const double d[] = {SingleOf(std::sqrt(10.0 / 12)), SingleOf(std::sqrt(5.0 / 12)), SingleOf(std::sqrt(8.0 / 12))};
    const struct {
        int response;
        const char* caption;
        std::vector<double> values;
        std::vector<double> best;
        const char* targetCaption;
    } cases[] = {
        {0, "D", {d[0], d[1], d[2]}, {d[0], d[0], d[0]}, ""},
        {1, "Yield", {10, 5, 8}, {10, 10, 10}, "Target = 12"},
        {2, "Ash", {0, 0, 0}, {0, 0, 0}, ""},
        {3, "D", {d[0], d[1], d[2]}, {d[0], d[0], d[0]}, ""},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.response);
        const ResponsePlot plot = BuildResponsePlot(p, row.response);
        EXPECT_EQ(plot.valueCaption, QLatin1String(row.caption));
        ASSERT_GE(plot.points.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(plot.points[i].result, row.values[i], 1e-12);
            EXPECT_NEAR(plot.bestSoFar[i], row.best[i], 1e-12);
        }
        EXPECT_EQ(plot.targetCaption, QLatin1String(row.targetCaption));
    }
    EXPECT_EQ(BuildResponsePlot(test::StartupProblem()).valueCaption, QLatin1String("Result"));
}

TEST(PlotContent, AcrossAndUpNeverNameTheSameFactor)
{
    const struct {
        const char* what;
        int factors;
        PathFactors shown;
        PathFactors wanted;
        PathFactors chosen;
    } cases[] = {
        {"new boxes", 3, {0, 0}, {0, 0}, {1, 2}},
        {"another factor", 3, {1, 2}, {3, 2}, {3, 2}},
        {"Across takes Up's", 3, {1, 2}, {2, 2}, {2, 1}},
        {"Up takes Across's", 3, {1, 2}, {1, 1}, {2, 1}},
        {"Up's factor is gone", 2, {2, 3}, {2, 3}, {2, 1}},
        {"Across's factor is gone", 2, {3, 1}, {3, 1}, {1, 2}},
        {"a single factor", 1, {1, 2}, {1, 2}, {1, 1}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(ChoosePathFactors(row.factors, row.shown, row.wanted), row.chosen);
    }
}

// Results as typed, levels at their factor's decimals: never the seven
// digits of a single (1.970174E+07) nor the noise of a difference.
TEST(PlotText, TipsAndPanelShowNumbersAsTheUserReadsThem)
{
    const core::OptimizationProblem p = SimplexInside({"19701736", "0.1", "9.999999"}, true);
    const struct {
        std::vector<int> vertices;
        const char* tip;
    } tips[] = {
        {{1}, "Vertex 1: Initial\nA = 40.00\nB = 2.0\nResult = 19701736"},
        {{4, 2}, "Vertex 4 (trial on show): Reflection\nA = 30.00\nB = 4.0\n\n"
                 "Vertex 2: Initial\nA = 50.00\nB = 2.0\nResult = 0.1"},
        {{3}, "Vertex 3: Initial\nA = 40.00\nB = 4.0\nResult = 9.999999"},
        {{0, 5}, ""},
    };
    for (const auto& row : tips) {
        SCOPED_TRACE(row.tip);
        EXPECT_EQ(VertexTip(p, row.vertices), QLatin1String(row.tip));
    }
    EXPECT_TRUE(VertexTip(p, {2, 2, 2, 1, 3, 3}).endsWith(QLatin1String("Result = 19701736\n\nand 2 more vertices here")));

    const QString panel = ProgressPanelText(p, AssessRun(p));
    for (const char* part : {"<b>Best result:</b> 19701736 (vertex 1)<br>A = 40.00<br>B = 2.0</p>",
                             "<br>A: 10.00 (0.01)<br>B: 2.0 (0.1)</p>"}) {
        SCOPED_TRACE(part);
        EXPECT_TRUE(panel.contains(QLatin1String(part))) << panel.toStdString();
    }
}

// Many factors are cut short; a level that rounds to nothing without
// decimals shows 0; a contraction says on which side it lies.
TEST(PlotText, TipsOfAContractionAndOfManyFactors)
{
    std::vector<test::FactorSpec> factors;
    for (int i = 1; i <= TipFactors + 2; ++i)
        factors.push_back({QStringLiteral("F%1").arg(i), "0", "10", "1"});
    core::OptimizationProblem many = test::WithFactors(factors);
    QStringList results;
    for (int i = 1; i <= TipFactors + 3; ++i)
        results << QString::number(i);
    test::CommitCorner(many, results);
    many.Factors[1].SignificantDigits = 0; // as a state file may hold it
    // The last vertex of the corner simplex has every factor at its lower limit.
    const QStringList lines = VertexTip(many, {TipFactors + 3}).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.mid(1, 2), (QStringList{QStringLiteral("F1 = 0"), QStringLiteral("F2 = 0.0")}));
    EXPECT_EQ(lines.mid(TipFactors + 1),
              (QStringList{QStringLiteral("and 2 more factors"), QStringLiteral("Result = 13")}));

    const RecordedRun run = RunOnASmoothSurface(QStringLiteral("Variable"), 25);
    const ResponsePlot response = BuildResponsePlot(run.problem);
    for (const auto& [code, caption] : {std::pair(3, "Contraction forward (Cr)"), std::pair(4, "Contraction reverse (Cw)")}) {
        SCOPED_TRACE(caption);
        const auto vertex = std::find_if(response.points.begin(), response.points.end(),
                                         [code](const ResponsePoint& point) { return point.typeCode == code; });
        ASSERT_NE(vertex, response.points.end());
        EXPECT_TRUE(VertexTip(run.problem, {vertex->vertex})
                        .startsWith(QStringLiteral("Vertex %1: %2").arg(vertex->vertex).arg(QLatin1String(caption))));
    }
}

} // namespace
} // namespace zeltomir::simplex
