#include "core/ShortestDecimal.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <iomanip>
#include <limits>
#include <random>

namespace zeltomir::core {
namespace {

// What a state file gives back for a double: its single.
double Stored(double value)
{
    return static_cast<double>(static_cast<float>(value));
}

// A level's coded value as a file gives it back, and restored.
double ReadBackCoded(double lower, double upper, double level, int decimals = -1)
{
    return ShortestDecimalLevel(lower, upper, Stored(ToCoded(lower, upper, level)), decimals);
}

TEST(ShortestDecimal, LevelsComeBackAsTheyWereRun)
{
    const struct {
        double lower, upper, level;
    } cases[] = {
        {-10, 20, 9.5},   // 9.49999928474426 as read
        {100, 200, 185},  // 185.000002384186
        {10, 30, 23},     {0, 1000, 1},     {0, 3, 1},          {100, 200, 100},
        {100, 200, 200},  {-10, 20, -10},   {200, 100, 150.25}, // reversed limits
        {0, 0.001, 0.0005}, {-1e6, 1e6, 12345.6}, {40, 50, 42.37},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level << " in " << c.lower << ".." << c.upper);
        // The very coded value the level was first coded to, not only one near it.
        EXPECT_EQ(ReadBackCoded(c.lower, c.upper, c.level), ToCoded(c.lower, c.upper, c.level));
    }
}

TEST(ShortestDecimal, NothingShortQualifiesAndTheValueStaysAsRead)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double lower, upper, stored;
    } cases[] = {
        {5, 5, 0.25f},                          // equal limits
        {0, 10, nan},                           // not a number
        {0, 10, 1e300},                         // beyond the single range
        {-DBL_MAX, DBL_MAX, 0.5},               // a range beyond any double
        {1e8, 1e8 + 1e-6, 0.333333343267441f},  // a scale finer than 17 digits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " in " << c.lower << ".." << c.upper);
        const double restored = ShortestDecimalLevel(c.lower, c.upper, c.stored);
        EXPECT_TRUE(restored == c.stored || (std::isnan(restored) && std::isnan(c.stored)));
    }
}

TEST(ShortestDecimal, LimitsComeBackAsTyped)
{
    const double cases[] = {0.1, -9999999, 9999999, 1e-5, 123456.7, 1.5e20, 0, -2.75};
    for (const double typed : cases)
        EXPECT_EQ(ShortestDecimalOfSingle(Stored(typed)), typed) << typed;
    EXPECT_EQ(ShortestDecimalOfSingle(1e300), 1e300);
}

// A level typed with d decimals is the only one of d decimals that rounds to
// its single when a step of 10^-d is wider than the single's steps over the
// range; then it comes back exactly, whether the decimals are known or not.
TEST(ShortestDecimal, ALevelOfFewDecimalsComesBackAsTyped)
{
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> unit(0, 1);
    int checked = 0;
    for (int trial = 0; trial < 40000; ++trial) {
        const int decimals = static_cast<int>(random() % 7);
        const double power = std::pow(10.0, decimals);
        const double lower = ShortestDecimalOfSingle(Stored(std::round((unit(random) - 0.5) * 2e4 * power) / power));
        const double width = std::ldexp(1 + unit(random), static_cast<int>(random() % 40) - 20);
        const double upper = ShortestDecimalOfSingle(Stored(lower + width));
        if (upper == lower || !(1 / power > (upper - lower) * 0x1p-24))
            continue;
        const double level = std::round((lower + (upper - lower) * unit(random)) * power) / power;
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << level << " in " << lower << ".." << upper);
        ASSERT_EQ(ReadBackCoded(lower, upper, level, random() % 2 ? decimals : -1), ToCoded(lower, upper, level));
        ++checked;
    }
    EXPECT_GT(checked, 20000);
}

// Written to a file and read again, a restored value reads back as the same
// single, even one whose 15 digits fall right beside a midpoint of singles.
TEST(ShortestDecimal, KeepsSingleJudgesByTheFilesOwnDigits)
{
    const double stored = Stored(0.1);
    EXPECT_TRUE(KeepsSingle(0.1, stored));
    EXPECT_FALSE(KeepsSingle(0.2, stored));
    const double midpoint = (stored + static_cast<double>(std::nextafter(0.1f, 1.0f))) / 2;
    for (const double value : {std::nextafter(midpoint, 0.0), midpoint, std::nextafter(midpoint, 1.0)}) {
        const double back = ParseFileNumber(FileNumber(value, Precision::Double)).value();
        EXPECT_EQ(KeepsSingle(value, stored), Stored(back) == stored) << std::setprecision(17) << value;
    }
    EXPECT_TRUE(KeepsSingle(1e300, 1e300)); // beyond the single range a file keeps the double
    EXPECT_FALSE(KeepsSingle(1e300 * 2, 1e300));
}

} // namespace
} // namespace zeltomir::core
