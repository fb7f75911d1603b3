#include "ScriptedSource.h"

#include "core/Random.h"
#include "practice/PracticeRoutines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zeltomir::practice {
namespace {

using testing::Sample;
using testing::ScriptedSource;

struct RotateCase {
    const char* name;
    float x, y, angle;
    float expectedX, expectedY;
};

TEST(RotatePointTest, TurnsAndZeroesSmallComponents)
{
    const RotateCase cases[] = {
        {"quarter turn counter-clockwise", 10, 0, 90, 0, 10},
        {"quarter turn clockwise", 0, 10, -90, 10, 0},
        {"both components below 1 first", 0.5F, 0.5F, 45, 0, 0},
        {"result component below 1 is zeroed", 3, 4, -45, 4.9497F, 0},
        {"full turn", 100, 0, 360, 100, 0},
        {"first quadrant unturned", 3, 4, 0, 3, 4},
        {"second quadrant unturned", -3, 4, 0, -3, 4},
        {"third quadrant unturned", -3, -4, 0, -3, -4},
        {"fourth quadrant unturned", 3, -4, 0, 3, -4},
        {"positive y axis", 0, 5, 0, 0, 5},
        {"negative x axis", -5, 0, 0, -5, 0},
        {"negative y axis", 0, -5, 0, 0, -5},
        {"negative x axis half turn", -5, 0, 180, 5, 0},
        // The radius comes from the point as passed in, before y is zeroed.
        {"radius before zeroing", 3, 0.5F, 0, std::sqrt(9.25F), 0},
        // Zeroed to the origin, the point stays there whatever its radius.
        {"origin after zeroing stays", 0.9F, 0.9F, 0, 0, 0},
        {"turn by -45", 10, 0, -45, 7.0710678F, -7.0710678F},
    };
    for (const RotateCase& c : cases) {
        SCOPED_TRACE(c.name);
        float x = c.x;
        float y = c.y;
        RotatePoint(x, y, c.angle);
        EXPECT_NEAR(x, c.expectedX, 1e-4);
        EXPECT_NEAR(y, c.expectedY, 1e-4);
    }
}

TEST(RotatePointTest, ZeroedComponentsAreExactlyZero)
{
    float x = 10;
    float y = 0;
    RotatePoint(x, y, 90);
    EXPECT_EQ(x, 0.0F);
    float u = 3;
    float v = 4;
    RotatePoint(u, v, -45);
    EXPECT_EQ(v, 0.0F);
}

TEST(SolveLinearSystemTest, SolvesTheWorkedExample)
{
    SquareMatrix a = MakeSquareMatrix(2);
    a[1][1] = -20;
    a[1][2] = 25;
    a[2][1] = 25;
    a[2][2] = -50;
    std::vector<double> x;
    int singular = -1;
    SolveLinearSystem(2, a, {0, -100, 50}, x, singular);
    ASSERT_EQ(singular, 0);
    ASSERT_EQ(x.size(), 3U);
    EXPECT_NEAR(x[1], 10, 1e-12);
    EXPECT_NEAR(x[2], 4, 1e-12);
}

TEST(SolveLinearSystemTest, SolvesAThreeByThreeSystemThatNeedsPivoting)
{
    SquareMatrix a = MakeSquareMatrix(3);
    a[1] = {0, 2, 1, -1};
    a[2] = {0, -3, -1, 2};
    a[3] = {0, -2, 1, 2};
    std::vector<double> x;
    int singular = -1;
    SolveLinearSystem(3, a, {0, 8, -11, -3}, x, singular);
    ASSERT_EQ(singular, 0);
    EXPECT_NEAR(x[1], 2, 1e-12);
    EXPECT_NEAR(x[2], 3, 1e-12);
    EXPECT_NEAR(x[3], -1, 1e-12);
}

TEST(SolveLinearSystemTest, ReportsSingularSystems)
{
    struct Case {
        const char* name;
        int n;
        SquareMatrix a;
        std::vector<double> b;
    };
    const Case cases[] = {
        {"a row of zeros", 2, {{0, 0, 0}, {0, 1, 2}, {0, 0, 0}}, {0, 1, 1}},
        {"dependent rows", 2, {{0, 0, 0}, {0, 1, 2}, {0, 2, 4}}, {0, 1, 2}},
        {"a column of zeros", 2, {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}}, {0, 1, 2}},
        {"matrix smaller than n", 3, {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 1, 1, 1}},
        {"right-hand side shorter than n", 2, {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 1}},
        {"no equations", 0, {{0}}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SquareMatrix a = c.a;
        std::vector<double> x;
        int singular = 0;
        SolveLinearSystem(c.n, a, c.b, x, singular);
        EXPECT_EQ(singular, 1);
    }
}

TEST(SolveLinearSystemTest, OnEqualScaledPivotsTheLaterRowWins)
{
    // Both rows give |a(i,1)| / scale(i) = 1, so row 2 becomes the pivot and
    // the factors are those of the exchanged system.
    SquareMatrix a = MakeSquareMatrix(2);
    a[1] = {0, 2, 1};
    a[2] = {0, 3, 1};
    std::vector<double> x;
    int singular = -1;
    SolveLinearSystem(2, a, {0, 3, 4}, x, singular);
    ASSERT_EQ(singular, 0);
    EXPECT_DOUBLE_EQ(a[1][1], 3);
    EXPECT_DOUBLE_EQ(a[1][2], 1);
    EXPECT_DOUBLE_EQ(a[2][1], 2.0 / 3);
    EXPECT_DOUBLE_EQ(a[2][2], 1 - 2.0 / 3);
    EXPECT_NEAR(x[1], 1, 1e-12);
    EXPECT_NEAR(x[2], 1, 1e-12);
}

TEST(AddGaussianNoiseTest, DrawsU1ThenU2ForBoxMuller)
{
    struct Case {
        const char* name;
        std::vector<double> numbers;
        double expected;
        std::size_t draws;
    };
    const Case cases[] = {
        // z = sqrt(-2 ln U2) cos(6.2832 U1)
        {"cos 0, sqrt 1", {0.0, std::exp(-0.5)}, 5 + 2 * 1.0, 2},
        {"cos(pi) near -1, sqrt 4", {0.5, std::exp(-2.0)}, 5 + 2 * 2 * std::cos(6.2832 * 0.5), 2},
        {"the other order would differ", {std::exp(-2.0), 0.5}, 5 + 2 * std::sqrt(-2 * std::log(0.5)) * std::cos(6.2832 * std::exp(-2.0)), 2},
        {"a zero U2 is drawn again", {0.0, 0.0, 0.0, std::exp(-0.5)}, 7, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedSource source(c.numbers);
        double value = 5;
        AddGaussianNoise(value, 2, source);
        EXPECT_NEAR(value, c.expected, 1e-9);
        EXPECT_EQ(source.drawn(), c.draws);
    }
}

TEST(AddGaussianNoiseTest, ApplyFlagFalseDrawsNothing)
{
    ScriptedSource source({});
    double value = 5;
    AddGaussianNoise(value, 2, false, source);
    EXPECT_EQ(value, 5);
    EXPECT_EQ(source.drawn(), 0U);

    ScriptedSource applied({0.0, std::exp(-0.5)});
    AddGaussianNoise(value, 2, true, applied);
    EXPECT_NEAR(value, 7, 1e-9);
    EXPECT_EQ(applied.drawn(), 2U);
}

TEST(AddGaussianNoiseTest, HasTheGivenMeanAndSpread)
{
    core::RandomGenerator generator(20240611);
    const testing::Spread s = Sample(200000, [&] {
        double value = 5;
        AddGaussianNoise(value, 2, generator);
        return value;
    });
    EXPECT_NEAR(s.mean, 5, 0.02);
    EXPECT_NEAR(s.deviation, 2, 0.02);
}

TEST(ToSingleTest, SaturatesBeyondTheSingleRange)
{
    EXPECT_EQ(ToSingle(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ToSingle(0.1), 0.1F);
}

} // namespace
} // namespace zeltomir::practice
