#include "SimplexTestSupport.h"

#include "simplex/SimplexMoves.h"

#include <gtest/gtest.h>

#include <random>

namespace zeltomir::simplex {
namespace {

// A two-factor record with room for its tables; rows given as
// (level 1, level 2, vertex number, objective).
struct Row {
    double x1, x2, number, objective;
};

core::OptimizationProblem TwoFactorSimplex(const std::vector<Row>& rows)
{
    core::OptimizationProblem problem = test::StartupProblem();
    problem.NumFactors = 2;
    problem.NumVertices = 10;
    for (int r = 1; r <= static_cast<int>(rows.size()); ++r) {
        const Row& row = rows[static_cast<std::size_t>(r - 1)];
        problem.Simplex.at(1, r) = row.x1;
        problem.Simplex.at(2, r) = row.x2;
        problem.Simplex.at(3, r) = row.objective; // result = objective when maximising
        problem.Simplex.at(5, r) = row.number;
        problem.Simplex.at(6, r) = row.objective;
    }
    return problem;
}

void SetTrial(core::OptimizationProblem& problem, double x1, double x2)
{
    problem.TrialPoint[1] = x1;
    problem.TrialPoint[2] = x2;
}

TEST(AcceptVertex, ReflectionOutsideTheLimitsIsStillComputed)
{
    // After the acceptance the retained vertices are (1, 0) and (1, 1) and the
    // rejected one (0, 0.5), so the reflection is (2, 0.5).
    core::OptimizationProblem problem = TwoFactorSimplex({{9, 9, 1, 0}, {0, 0.5, 2, 1}, {1, 1, 3, 5}});
    SetTrial(problem, 1, 0);
    EXPECT_EQ(AcceptVertex(problem, 3, 3, 4), Shown::Rounded);
    EXPECT_EQ(test::Column(problem.Simplex, 5, 1, 3), (std::vector<double>{2, 4, 3}));
    EXPECT_EQ(test::Column(problem.Simplex, 6, 1, 3), (std::vector<double>{1, 3, 5}));
    EXPECT_EQ(problem.TrialPoint[1], 2);
    EXPECT_EQ(problem.TrialPoint[2], 0.5);
    EXPECT_EQ(problem.Centroid[1], 1);
    EXPECT_EQ(problem.Centroid[2], 0.5);
    EXPECT_EQ(problem.StepVector[1], 1);
    EXPECT_EQ(problem.StepVector[2], 0);
    EXPECT_EQ(problem.OutOfLimits, QStringLiteral("y"));
}

TEST(AcceptVertex, TheAcceptedVertexIsNotReflectedStraightBack)
{
    core::OptimizationProblem problem = TwoFactorSimplex({{0, 0, 1, 1}, {0.5, 0, 2, 2}, {0, 0.5, 3, 3}});
    SetTrial(problem, 0.5, 0.5);
    AcceptVertex(problem, -7, -7, 4);
    // The new vertex ranks lowest of the retained ones, yet row 1 (the one
    // reflected next) is the vertex that was lowest before: vertex 2.
    EXPECT_EQ(test::Column(problem.Simplex, 5, 1, 3), (std::vector<double>{2, 4, 3}));
    EXPECT_EQ(problem.Centroid[1], 0.25);
    EXPECT_EQ(problem.Centroid[2], 0.5);
    EXPECT_EQ(problem.TrialPoint[1], 0);
    EXPECT_EQ(problem.TrialPoint[2], 1);
    EXPECT_EQ(problem.OutOfLimits, QStringLiteral("n"));
}

TEST(ProposeExtension, OnlyAnExtensionWithinTheLimitsReplacesTheReflection)
{
    const struct {
        const char* name;
        double r1, r2, d1, d2;
        bool shown;
        double t1, t2;
    } cases[] = {
        {"inside", 0.5, 0.5, 0.25, 0.25, true, 0.75, 0.75},
        {"exactly on the limits is inside", 0.5, 0.25, 0.5, -0.25, true, 1, 0},
        {"a coordinate of 1.2", 0.9, 0.5, 0.3, 0.1, false, 0.9, 0.5},
        {"below 0", 0.1, 0.5, -0.2, 0, false, 0.1, 0.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        core::OptimizationProblem problem = TwoFactorSimplex({});
        SetTrial(problem, c.r1, c.r2);
        problem.StepVector[1] = c.d1;
        problem.StepVector[2] = c.d2;
        EXPECT_EQ(ProposeExtension(problem), c.shown ? Shown::Unrounded : Shown::Nothing);
        EXPECT_EQ(problem.TrialPoint[1], c.t1);
        EXPECT_EQ(problem.TrialPoint[2], c.t2);
        EXPECT_EQ(problem.OutOfLimits, c.shown ? QStringLiteral("n") : QStringLiteral("y"));
    }
}

TEST(Contractions, MoveBackFromTheReflectionByHalfOrOneAndAHalfSteps)
{
    core::OptimizationProblem problem = TwoFactorSimplex({});
    SetTrial(problem, 0.75, 0.5);
    problem.StepVector[1] = 0.5;
    problem.StepVector[2] = -0.25;
    EXPECT_EQ(ContractForward(problem), Shown::Unrounded);
    EXPECT_EQ(problem.TrialPoint[1], 0.5);
    EXPECT_EQ(problem.TrialPoint[2], 0.625);

    SetTrial(problem, 0.75, 0.5);
    EXPECT_EQ(ContractReverse(problem), Shown::Unrounded);
    EXPECT_EQ(problem.TrialPoint[1], 0);
    EXPECT_EQ(problem.TrialPoint[2], 0.875);
    EXPECT_EQ(problem.OutOfLimits, QStringLiteral("n"));

    SetTrial(problem, 0.2, 0.5);
    ContractReverse(problem);
    EXPECT_EQ(problem.OutOfLimits, QStringLiteral("y")); // -0.55: the caller replaces it
}

TEST(Contractions, StayInsideForAnInsideSimplexAndReflection)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    int checked = 0;
    while (checked < 500) {
        core::OptimizationProblem problem = test::StartupProblem();
        const int k = 2 + static_cast<int>(random() % 4);
        problem.NumFactors = static_cast<std::int16_t>(k);
        problem.NumVertices = static_cast<std::int16_t>(k + 1);
        for (int r = 1; r <= k + 1; ++r)
            for (int i = 1; i <= k; ++i)
                problem.Simplex.at(i, r) = unit(random);
        problem.OutOfLimits = QStringLiteral("n");
        ProposeFirstTrial(problem);
        if (problem.CurrentVertexType != core::VertexType::Reflection)
            continue; // the reflection left the box
        const std::vector<double> reflection = problem.TrialPoint;
        ContractForward(problem);
        problem.TrialPoint = reflection;
        ContractReverse(problem);
        ASSERT_EQ(problem.OutOfLimits, QStringLiteral("n"));
        ++checked;
    }
}

// A rounding error beyond a limit is no step outside it: such a coordinate
// is inside and is put exactly on the limit; a real step beyond stays out.
TEST(LimitTest, RoundingErrorsAtALimitCountAsOnIt)
{
    const struct {
        double coded;
        bool outside;
        double onto; // the coordinate once inside
    } cases[] = {
        {0, false, 0},         {1, false, 1},          {0.5, false, 0.5},       {-5.551115123125783e-17, false, 0},
        {1 + 2.2e-16, false, 1}, {-3e-8, false, 0},     {1 + 6e-8, false, 1},    {-0.001, true, -0.001},
        {1.001, true, 1.001},  {-0.55, true, -0.55},   {2, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.coded);
        EXPECT_EQ(OutsideLimits(c.coded), c.outside);
        if (!c.outside) {
            EXPECT_EQ(OntoLimits(c.coded), c.onto);
        }
    }
}

TEST(CountRetention, AddsOneForEveryVertexInTheSimplex)
{
    core::OptimizationProblem problem = TwoFactorSimplex({{0, 0, 3, 0}, {0, 0, 1, 0}, {0, 0, 5, 0}});
    problem.NumVertices = 5;
    problem.VertexHistory.at(5, 3) = 2;
    CountRetention(problem);
    EXPECT_EQ(test::Column(problem.VertexHistory, 5, 1, 5), (std::vector<double>{1, 0, 3, 0, 1}));

    // Numbers that are no vertex of the history (a changed file) count nothing.
    problem = TwoFactorSimplex({{0, 0, 2.5, 0}, {0, 0, 6, 0}, {0, 0, 0, 0}});
    problem.NumVertices = 5;
    CountRetention(problem);
    EXPECT_EQ(test::Column(problem.VertexHistory, 5, 1, 6), (std::vector<double>(6, 0.0)));
}

} // namespace
} // namespace zeltomir::simplex
