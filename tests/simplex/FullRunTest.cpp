#include "SimplexTestSupport.h"

#include "simplex/BeginOptimization.h"
#include "simplex/NextStep.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeltomir::simplex {
namespace {

// The measured response of the run below: the hill, its maximum inside the
// factor box, typed to a quarter (exact at single precision).
QString Response(const QStringList& levels)
{
    return QString::asprintf("%.2f", std::nearbyint(test::Hill(levels) * 4) / 4);
}

struct ExpectedStep {
    const char* result;
    const char* instruction;
    QStringList levels;
    const char* type;
};

// A ten-step run, A on 0..10 with 2 decimals and B on 5..15 with 1, goal
// "max", variable steps, from the corner simplex. The expected values come
// from a separate transcription of the rules into a short script (written
// apart from this engine, in another language), whose output was frozen
// here; the first trial and step 1 were also worked by hand: the corner
// vertex (10, 5) scores -2 and is the worst, its reflection and forward
// contraction leave the box, so the first trial is (5, 7.5); its 73.25 is
// kept, and the next reflection (0.5, 1.25) is out, leaving the reverse
// contraction (0.125, 0.3125), shown as 1.25 and 8.1. The run passes through
// every rule: kept contractions, an extension evaluated and given up for its
// reflection, contractions on both sides and plain reflections.
TEST(FullRun, TenStepsOnAQuadraticSurface)
{
    core::OptimizationProblem problem = test::WithFactors({{"A", "0", "10", "2"}, {"B", "5", "15", "1"}});
    GridText grid = test::CornerGrid(problem, {});
    for (int row = 1; row <= 3; ++row)
        grid.setCell(row, 3, Response({grid.cell(row, 1), grid.cell(row, 2)}));
    ASSERT_TRUE(ContinueInitialSimplex(problem, grid).ok);
    const StepsOutcome begun = BeginOptimization(problem);
    ASSERT_TRUE(begun.steps.has_value());
    EXPECT_EQ(begun.steps->trial.instruction, QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(begun.steps->trial.levels, (QStringList{"5", "7.5"}));

    const ExpectedStep expected[] = {
        {"73.25", "Contract in the Reverse Direction", {"1.25", "8.1"}, "Cw"},
        {"63.00", "Contract in the Reverse Direction", {"1.56", "11.4"}, "Cw"},
        {"77.00", "Use the Reflection", {"5.31", "10.8"}, "R"},
        {"99.00", "Evaluate the Extension", {"7.34375", "12.109375"}, "E"},
        {"97.75", "Use the Reflection", {"1.87", "14.7"}, "R"},
        {"48.00", "Contract in the Reverse Direction", {"4.218125", "9.3015625"}, "Cw"},
        {"90.50", "Use the Reflection", {"7.97", "8.7"}, "R"},
        {"82.50", "Contract but Move Forward", {"6.36484375", "9.373046875"}, "Cr"},
        {"93.25", "Use the Reflection", {"7.46", "10.9"}, "R"},
        {"98.25", "Use the Reflection", {"6.4", "12.3"}, "R"},
    };
    QStringList levels = begun.steps->trial.levels;
    core::RunTimeState runTime;
    int step = 0;
    for (const ExpectedStep& e : expected) {
        SCOPED_TRACE(++step);
        const QString result = Response(levels);
        ASSERT_EQ(result, QString::fromLatin1(e.result));
        const StepsOutcome answer = NextStep(problem, runTime, {result, levels});
        ASSERT_TRUE(answer.steps.has_value());
        EXPECT_EQ(answer.steps->trial.instruction, QString::fromLatin1(e.instruction));
        EXPECT_EQ(answer.steps->trial.levels, e.levels);
        EXPECT_EQ(answer.steps->trial.vertexType, QString::fromLatin1(e.type));
        EXPECT_EQ(answer.steps->trial.vertexNumber, 3 + step + 1);
        levels = answer.steps->trial.levels;
    }
    EXPECT_EQ(problem.NumVertices, 13);
    EXPECT_EQ(test::Column(problem.VertexHistory, 5, 1, 13),
              (std::vector<double>{1, 3, 2, 4, 2, 3, 4, 0, 0, 2, 0, 2, 1}));
    EXPECT_EQ(test::Column(problem.VertexHistory, 4, 4, 13), (std::vector<double>{4, 4, 4, 1, 2, 1, 4, 1, 3, 1}));
}

// The optimiser must find the top of the same surface (100 at A = 6.3,
// B = 11.2) when it is driven long enough, for each goal: maximising the
// response, minimising its negative, and bringing it to the top value as a
// target, which only the top reaches. Results are measured exactly here
// (not rounded to a quarter) so that the last steps can still tell vertices
// apart.
TEST(FullRun, ReachesTheOptimumOfAQuadraticSurface)
{
    struct Case {
        const char* goal;
        double sign; // the response typed is sign * surface
    };
    const Case cases[] = {{"max", 1}, {"min", -1}, {"mid", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.goal);
        const auto surface = test::Hill;
        const auto typed = [&](const QStringList& levels) {
            return QString::number(c.sign * surface(levels), 'g', 7);
        };
        core::OptimizationProblem problem =
            test::WithFactors({{"A", "0", "10", "4"}, {"B", "5", "15", "4"}}, QString::fromLatin1(c.goal));
        problem.TargetValue = 100.5; // only used by "mid": just above the top, so nearer is better
        GridText grid = test::CornerGrid(problem, {});
        for (int row = 1; row <= 3; ++row)
            grid.setCell(row, 3, typed({grid.cell(row, 1), grid.cell(row, 2)}));
        ASSERT_TRUE(ContinueInitialSimplex(problem, grid).ok);
        StepsOutcome answer = BeginOptimization(problem);
        ASSERT_TRUE(answer.steps.has_value());
        core::RunTimeState runTime;
        double best = -1e300;
        QStringList bestLevels;
        for (int step = 0; step < 80; ++step) {
            const QStringList levels = answer.steps->trial.levels;
            if (surface(levels) > best) {
                best = surface(levels);
                bestLevels = levels;
            }
            answer = NextStep(problem, runTime, {typed(levels), levels});
            ASSERT_TRUE(answer.outcome.ok);
        }
        EXPECT_GT(best, 99.99);
        EXPECT_NEAR(bestLevels.value(0).toDouble(), 6.3, 0.1);
        EXPECT_NEAR(bestLevels.value(1).toDouble(), 11.2, 0.1);
    }
}

TEST(FullRun, HundredFactorsRunSeveralSteps)
{
    std::vector<test::FactorSpec> factors;
    QStringList responses;
    for (int i = 1; i <= 100; ++i) {
        factors.push_back({QStringLiteral("F%1").arg(i), "0", QString::number(i), "3"});
        responses.append(QString::number((i * 37) % 101));
    }
    responses.append("50");
    core::OptimizationProblem problem = test::WithFactors(factors);
    test::CommitCorner(problem, responses);
    StepsOutcome answer = BeginOptimization(problem);
    ASSERT_TRUE(answer.steps.has_value());
    ASSERT_EQ(answer.steps->factorNames->size(), 100);
    core::RunTimeState runTime;
    const char* results[] = {"120", "3", "60", "200", "-5", "75", "1000", "0"};
    for (const char* result : results) {
        SCOPED_TRACE(result);
        const QStringList levels = answer.steps->trial.levels;
        ASSERT_EQ(levels.size(), 100);
        answer = NextStep(problem, runTime, {result, levels});
        ASSERT_TRUE(answer.outcome.ok);
    }
    EXPECT_EQ(problem.NumVertices, 109);
}

TEST(FullRun, OneFactorReadFromAFileStillSteps)
{
    // The setup window asks for two factors at least, but a file can hold one:
    // the retained vertices are then a single row, which the ranking leaves
    // as it is.
    core::OptimizationProblem problem = test::StartupProblem();
    problem.NumFactors = 1;
    problem.NumVertices = 2;
    problem.Factors[1].LowerLimit = 0;
    problem.Factors[1].UpperLimit = 8;
    problem.Factors[1].SignificantDigits = 1;
    problem.VertexHistory.redim(5, 2);
    const double levels[] = {0.25, 0.5};
    const double results[] = {1, 2};
    for (int v = 1; v <= 2; ++v) {
        problem.Simplex.at(1, v) = problem.VertexHistory.at(1, v) = levels[v - 1];
        problem.Simplex.at(2, v) = problem.VertexHistory.at(2, v) = results[v - 1];
    }
    problem.InitialSimplexDefined = QStringLiteral("yes");
    StepsOutcome answer = BeginOptimization(problem);
    ASSERT_TRUE(answer.steps.has_value());
    EXPECT_EQ(answer.steps->trial.levels, (QStringList{"6"})); // 0.25 reflected through 0.5
    core::RunTimeState runTime;
    answer = NextStep(problem, runTime, {"3", answer.steps->trial.levels});
    ASSERT_TRUE(answer.steps.has_value());
    EXPECT_EQ(answer.steps->trial.instruction, QStringLiteral("Evaluate the Extension"));
    answer = NextStep(problem, runTime, {"4", answer.steps->trial.levels});
    ASSERT_TRUE(answer.steps.has_value());
    EXPECT_EQ(problem.NumVertices, 4);
}

} // namespace
} // namespace zeltomir::simplex
