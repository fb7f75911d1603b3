#include "SimplexTestSupport.h"

#include "simplex/PlotText.h"
#include "simplex/ResponseSetup.h"
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

QString KeptText(int vertex, int simplexes)
{
    return QStringLiteral("Vertex %1 has been kept in %2 successive simplexes: measure it again with Measure Again; if its result holds, "
                          "the simplex is circling the optimum.")
        .arg(vertex)
        .arg(simplexes);
}

TEST(AssessRun, EachAdviceRuleFiresFromItsBoundary)
{
    const QString kept = KeptText(2, 4);
    const QString resolution = QStringLiteral("The simplex is now smaller than the factors can be set at the shown "
                                              "decimals: further trials repeat levels already run.");
    const struct {
        const char* name;
        std::function<void(core::OptimizationProblem&)> change;
        QStringList advice;
    } cases[] = {
        {"just begun", [](auto&) {}, {}},
        {"the best kept in k+1 simplexes", [](auto& p) { p.VertexHistory.at(5, 2) = 3; }, {}},
        {"the best kept in 1.65k + 0.05k^2 simplexes, rounded up", [](auto& p) { p.VertexHistory.at(5, 2) = 4; },
         {kept}},
        {"as good as an earlier best",
         [](auto& p) {
             p.VertexHistory.at(3, 1) = 6;
             p.VertexHistory.at(5, 2) = 4;
         },
         {kept}},
        {"not the best", [](auto& p) { p.VertexHistory.at(5, 1) = 4; }, {}},
        {"the best is the vertex moved away from",
         [](auto& p) {
             p.VertexHistory.at(3, 3) = 7;
             p.VertexHistory.at(5, 3) = 4;
         },
         {}},
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

// A run driven through the engine: the initial vertices' levels and results
// typed over the corner simplex, results typed for the first trials, the
// rest measured on a response surface and typed to `decimals` places.
struct DrivenRun {
    const char* name;
    const char* stepType;
    std::vector<test::FactorSpec> factors;
    std::vector<QStringList> initial; // levels, then the result (empty: measured)
    QStringList typed;
    std::function<double(const QStringList&)> measure;
    int decimals;
    int lastVertex;
    std::vector<int> keptAdviceAt; // the vertices after whose result the kept-vertex advice is given
    QString firstKeptAdvice;
};

// The vertex count after each step, with the kept-vertex advice then given.
std::vector<std::pair<int, QString>> KeptAdviceAlong(const DrivenRun& run)
{
    core::OptimizationProblem p = test::WithFactors(run.factors, "max", QLatin1String(run.stepType));
    const auto typedResult = [&](const QStringList& levels) {
        return QString::number(run.measure(levels), 'f', run.decimals);
    };
    GridText grid = test::CornerGrid(p, {});
    const int k = static_cast<int>(run.factors.size());
    for (int row = 1; row <= k + 1; ++row) {
        const QStringList& vertex = run.initial[static_cast<std::size_t>(row - 1)];
        for (int col = 1; col <= k; ++col)
            grid.setCell(row, col, vertex[col - 1]);
        grid.setCell(row, k + 1, vertex[k].isEmpty() ? typedResult(vertex.first(k)) : vertex[k]);
    }
    std::vector<std::pair<int, QString>> along;
    if (!ContinueInitialSimplex(p, grid).ok)
        return along;
    StepsOutcome answer = BeginOptimization(p);
    core::RunTimeState runTime;
    while (answer.steps && p.NumVertices < run.lastVertex) {
        const QStringList& levels = answer.steps->trial.levels;
        const qsizetype step = p.NumVertices - k - 1;
        answer = NextStep(p, runTime, {step < run.typed.size() ? run.typed[step] : typedResult(levels), levels});
        QString kept;
        for (const Advice& advice : AssessRun(p).advice)
            if (advice.rule == AdviceRule::VertexKept)
                kept = advice.text;
        along.emplace_back(p.NumVertices, kept);
    }
    return along;
}

// The quick start of the manual: Temperature 100..200 and Time 10..30 with
// one decimal, variable steps, maximising, and its results up to vertex 10.
const std::vector<test::FactorSpec> ManualFactors{{"Temperature", "100", "200", "1"}, {"Time", "10", "30", "1"}};
const std::vector<QStringList> ManualInitial{{"130", "14", "63"}, {"140", "14", "69.4"}, {"130", "17", "68.6"}};
const QStringList ManualResults{"74.8", "79.3", "78.8", "85.7", "88", "86", "85.6"};

// A quadratic fitted to the manual's ten results (within 0.05 of each): its
// top, about 88, lies at about (172, 23), beside vertex 8 (170, 23).
double ManualHill(const QStringList& levels)
{
    const double x = (levels.value(0).toDouble() - 150) / 10;
    const double y = (levels.value(1).toDouble() - 20) / 5;
    return 82.79 + 3.70 * x + 3.84 * y - 0.80 * x * x - 2.80 * y * y - 0.23 * x * y;
}

double ThreeFactorHill(const QStringList& levels)
{
    const double a = levels.value(0).toDouble() - 6.3;
    const double b = levels.value(1).toDouble() - 5.2;
    const double c = levels.value(2).toDouble() - 7.1;
    return 100 - a * a - 2 * b * b - 1.5 * c * c + 0.5 * a * b;
}

// The kept-vertex advice waits until the simplex has turned around its best
// vertex without finding better, and is not given to a simplex that climbs.
TEST(AssessRun, KeptVertexAdviceAlongRuns)
{
    const DrivenRun runs[] = {
        // Vertex 5 is kept in 3 simplexes at vertex 8 and vertex 8 in 3 at
        // vertex 10, while the run climbs towards the upper limit of Time.
        {"the manual's example", "Variable", ManualFactors, ManualInitial, ManualResults, ManualHill, 1, 10, {}, {}},
        // Vertex 11 (185, 24.5) beats vertex 8, which is kept in its fourth
        // simplex at vertex 12 as the worst one kept.
        {"the manual's example climbing on", "Variable", ManualFactors, ManualInitial,
         ManualResults + QStringList{"89", "88.5"}, ManualHill, 1, 12, {}, {}},
        // Vertices 11 to 13 fall short of vertex 8 around it.
        {"the manual's example on its fitted hill", "Variable", ManualFactors, ManualInitial, ManualResults,
         ManualHill, 1, 13, {11, 12, 13}, KeptText(8, 4)},
        // The simplex climbs in a zigzag that keeps vertices 6, 8, 10 and 14
        // in 3 simplexes each, then turns around vertex 16 (6, 11): 17 is
        // (5, 12), 18 (6, 12), 19 (7, 11), 20 (7, 10), 21 (6, 10), and 22
        // repeats vertex 14.
        {"fixed steps circling the top", "Fixed", {{"A", "0", "10", "2"}, {"B", "5", "15", "2"}},
         {{"2", "7", ""}, {"3", "7", ""}, {"2", "8", ""}}, {}, test::Hill, 2, 22, {19, 20, 21, 22}, KeptText(16, 4)},
        // Three factors ask for 6 simplexes: vertex 37 is kept in its fifth
        // at vertex 41.
        {"fixed steps circling the top in three factors", "Fixed",
         {{"A", "0", "10", "2"}, {"B", "0", "10", "2"}, {"C", "0", "10", "2"}},
         {{"3", "2", "2", ""}, {"2", "3", "2", ""}, {"2", "2", "3", ""}, {"2", "2", "2", ""}}, {}, ThreeFactorHill,
         2, 43, {42, 43}, KeptText(37, 6)},
    };
    for (const DrivenRun& run : runs) {
        SCOPED_TRACE(run.name);
        const std::vector<std::pair<int, QString>> along = KeptAdviceAlong(run);
        ASSERT_FALSE(along.empty());
        EXPECT_EQ(along.back().first, run.lastVertex);
        std::vector<int> keptAt;
        for (const auto& [vertex, advice] : along) {
            if (advice.isEmpty())
                continue;
            if (keptAt.empty()) {
                EXPECT_EQ(advice, run.firstKeptAdvice);
            }
            keptAt.push_back(vertex);
        }
        EXPECT_EQ(keptAt, run.keptAdviceAt);
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
    p.Goal = core::Goal::Min;
    EXPECT_EQ(AssessRun(p).best->vertex, 3);
    EXPECT_EQ(AssessRun(test::StartupProblem()), RunProgress{});
}

// Judged by several responses, the best vertex is the one of highest D, not
// of the highest first response, and the panel names its values.
TEST(AssessRun, TheBestOfSeveralResponsesByTheirOverallDesirability)
{
    core::OptimizationProblem p = Begun(QStringLiteral("Variable"));
    ASSERT_TRUE(DefineResponses(p, {{"Yield", core::ResponseGoal::Maximize, 0, 100},
                                    {"Impurity", core::ResponseGoal::Minimize, 0, 10}})
                    .ok);
    p.VertexHistory.at(3, 1) = StoreVertexResponses(p, 1, {1, 0});
    p.VertexHistory.at(3, 2) = StoreVertexResponses(p, 2, {6, 9});
    p.VertexHistory.at(3, 3) = StoreVertexResponses(p, 3, {5, 0});
    const RunProgress progress = AssessRun(p);
    ASSERT_TRUE(progress.best.has_value());
    EXPECT_EQ(progress.best->vertex, 3);
    EXPECT_EQ(progress.best->responses, (std::vector<double>{5, 0}));
    EXPECT_TRUE(ProgressPanelText(p, progress, QLocale::c())
                    .contains(QLatin1String("<b>Best D:</b> 0.2236068 (vertex 3)<br>Yield = 5<br>Impurity = 0<br>A = ")));
}

} // namespace
} // namespace zeltomir::simplex
