#include "core/NumberText.h"

#include "core/FifteenDigits.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>

#include <cfloat>
#include <charconv>
#include <cstdio>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace zeltomir::core {
namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);
const double Nan = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

TEST(NumberTextFormat, GeneralFormIsTheShortestOfFifteenOrSevenDigits)
{
    const struct {
        double value;
        Precision precision;
        const char* expected;
    } cases[] = {
        {0.5, Precision::Double, "0.5"},
        {-0.5, Precision::Double, "-0.5"},
        {1e-5, Precision::Double, "1E-05"},
        {0.0001, Precision::Double, "0.0001"},
        {1e15, Precision::Double, "1E+15"},
        {1e14, Precision::Double, "100000000000000"},
        {123456789012345, Precision::Double, "123456789012345"},
        {1.5e-7, Precision::Double, "1.5E-07"},
        {1.5e20, Precision::Double, "1.5E+20"},
        {1e100, Precision::Double, "1E+100"},
        {100, Precision::Double, "100"},
        {0, Precision::Double, "0"},
        {-0.0, Precision::Double, "0"},
        {1.0 / 3, Precision::Double, "0.333333333333333"},
        {2.0 / 3, Precision::Double, "0.666666666666667"},
        {999999999999999.9, Precision::Double, "1E+15"},
        {double(0.1f), Precision::Double, "0.100000001490116"},
        {double(0.1f), Precision::Single, "0.1"},
        {1.0 / 3, Precision::Single, "0.3333333"},
        {1234567, Precision::Single, "1234567"},
        {12345678, Precision::Single, "1.234568E+07"},
        {0.00012345678, Precision::Single, "0.0001234568"},
        {std::numeric_limits<double>::denorm_min(), Precision::Double, "4.94065645841247E-324"},
        // Rounded, the fifteen digits of the largest doubles lie beyond every double.
        {DBL_MAX, Precision::Double, "1.79769313486231E+308"},
        {-std::nextafter(DBL_MAX, 0.0), Precision::Double, "-1.79769313486231E+308"},
        {1.79769313486231e308, Precision::Double, "1.79769313486231E+308"},
        {DBL_MAX, Precision::Single, "1.797693E+308"},
        {Nan, Precision::Double, "NAN"},
        {Inf, Precision::Double, "INF"},
        {-Inf, Precision::Single, "-INF"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(GeneralForm(row.value, row.precision, English), QString::fromLatin1(row.expected));
    }
    EXPECT_EQ(GeneralForm(0.5, Precision::Double, German), QStringLiteral("0,5"));
    EXPECT_EQ(GeneralForm(-1.5e-7, Precision::Double, German), QStringLiteral("-1,5E-07"));
}

TEST(NumberTextFormat, ShortestSingleFormShowsAResultAsTyped)
{
    const struct {
        double value;
        const char* expected;
    } cases[] = {
        {double(0.1f), "0.1"},
        {double(9.999999f), "9.999999"},
        {19701736, "19701736"},
        {2e7, "20000000"},
        {double(1e20f), "1E+20"},
        {double(FLT_MAX), "3.4028235E+38"},
        {double(std::numeric_limits<float>::denorm_min()), "1E-45"},
        {-0.0, "0"},
        // Not singles: as a double.
        {1.0 / 3, "0.333333333333333"},
        {DBL_MAX, "1.79769313486231E+308"},
        {Inf, "INF"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(ShortestSingleForm(row.value, English), QString::fromLatin1(row.expected));
    }
    EXPECT_EQ(ShortestSingleForm(double(0.1f), German), QStringLiteral("0,1"));
}

struct DigitsCase {
    double value;
    double digits;
    const char* expected;
};

void CheckDigits(const DigitsCase& row, const QLocale& locale)
{
    SCOPED_TRACE(testing::Message() << row.value << " with " << row.digits << " -> " << row.expected);
    EXPECT_EQ(FormatByDigits(row.value, row.digits, locale), QString::fromLatin1(row.expected));
}

TEST(NumberTextFormat, EveryDigitsPatternRoundsAndGroups)
{
    const double value = 1234.56789012;
    const DigitsCase cases[] = {
        {value, 0, "1,235"},
        {value, 1, "1,234.6"},
        {value, 2, "1,234.57"},
        {value, 2.0, "1,234.57"},
        {value, 3, "1,234.568"},
        {value, 4, "1,234.5679"},
        {value, 5, "1,234.56789"},
        {value, 6, "1,234.567890"},
        {value, 7, "1,234.5678901"},
        {value, 8, "1,234.56789012"},
        {value, 9, "1,234.567890120"},
        {value, 10, "1,234.5678901200"},
        {value, 12, "1,234.5678901200"},
        {value, -1, "1,234.5678901200"},
        {value, 2.5, "1,234.5678901200"},
        {value, 9.0000001, "1,234.5678901200"},
        {value, Nan, "1,234.5678901200"},
        {value, Inf, "1,234.5678901200"},
        {value, -Inf, "1,234.5678901200"},
    };
    for (const DigitsCase& row : cases)
        CheckDigits(row, English);
}

TEST(NumberTextFormat, DigitsRoundTheFifteenDigitFormHalvesAwayFromZero)
{
    const DigitsCase cases[] = {
        {1234.5, 0, "1,235"},
        {0, 0, ""},
        {0.4, 0, ""},
        {0.5, 0, "1"},
        {-0.5, 0, "-1"},
        {-0.4, 0, "-"},
        {-0.0, 0, ""},
        {0.04, 1, "0.0"},
        {-0.04, 1, "-0.0"},
        {-0.0, 1, "0.0"},
        {0.05, 1, "0.1"},
        {1.005, 2, "1.01"},
        {-1.005, 2, "-1.01"},
        {2.675, 2, "2.68"},
        {9.995, 2, "10.00"},
        {999.5, 0, "1,000"},
        {999999.96, 1, "1,000,000.0"},
        {1234567.8, 0, "1,234,568"},
        {123, 3, "123.000"},
        {100, 0, "100"},
        {1000000, 0, "1,000,000"},
        {-1234567.25, 1, "-1,234,567.3"},
        {0.001, 2, "0.00"},
        {1e-20, 3, "0.000"},
        {-1e-20, 3, "-0.000"},
        {1e20, 0, "100,000,000,000,000,000,000"},
        // beyond fifteen digits the value's own binary tail is not shown
        {0.1 + 0.2, 10, "0.3000000000"},
        {12345678901234567.0, 1, "12,345,678,901,234,600.0"},
        {123456789.987654321, 9, "123,456,789.987654000"},
        {99999.99995, 4, "100,000.0000"},
        {0.00001, 5, "0.00001"},
        {Nan, 2, "NAN"},
        {-Inf, 2, "-INF"},
    };
    for (const DigitsCase& row : cases)
        CheckDigits(row, English);
}

TEST(NumberTextFormat, DigitsUseTheLocaleMarks)
{
    const DigitsCase cases[] = {
        {1234.5, 1, "1.234,5"},
        {1234567.25, 0, "1.234.567"},
        {-0.04, 1, "-0,0"},
        {0.5, 3, "0,500"},
    };
    for (const DigitsCase& row : cases)
        CheckDigits(row, German);

    const QLocale saved;
    QLocale::setDefault(German);
    EXPECT_EQ(FormatByDigits(1234.5, 1), QStringLiteral("1.234,5"));
    QLocale::setDefault(saved);
}

// Whatever the value, the shown text lies within half a unit of its last
// decimal from the value, has exactly that many decimals, and groups by three.
TEST(NumberTextFormat, DigitsTextStaysWithinHalfAUnit)
{
    std::mt19937_64 generator(77);
    std::uniform_real_distribution<double> values(-1e7, 1e7);
    for (int i = 0; i < 3000; ++i) {
        const double value = values(generator) / std::pow(10.0, i % 8);
        const int digits = 1 + i % 9;
        const QString text = FormatByDigits(value, digits, English);
        SCOPED_TRACE(text.toStdString());
        const qsizetype point = text.indexOf(QLatin1Char('.'));
        ASSERT_GE(point, 0);
        EXPECT_EQ(text.size() - point - 1, digits);
        const QString integer = text.left(point).remove(QLatin1Char('-'));
        for (qsizetype at = integer.size() - 4; at >= 0; at -= 4)
            EXPECT_EQ(integer[at], QLatin1Char(','));
        const double shown = QString(text).remove(QLatin1Char(',')).toDouble();
        // The 15-digit form may already have moved the value by 5 in its
        // 16th digit before the decimals are cut.
        EXPECT_LE(std::fabs(shown - value), 0.5 * std::pow(10.0, -digits) + std::fabs(value) * 1e-14);
    }
}

// Every form starts from these digits, found by integer arithmetic over the
// usual range; they must be the very digits the standard formatter writes,
// halfway cases (exact binary values) included.
TEST(NumberTextFormat, FifteenDigitsAreThoseOfTheStandardFormatter)
{
    std::vector<double> values = {0, 1e-5, std::nextafter(1e-5, 0.0), 1e15, std::nextafter(1e15, 0.0),
                                  std::ldexp(1.0, -22), 9.999999999999995, 0.5, DBL_MAX,
                                  std::numeric_limits<double>::denorm_min()};
    for (int exponent = -6; exponent <= 16; ++exponent) {
        const double power = std::pow(10.0, exponent);
        values.insert(values.end(), {power, std::nextafter(power, 0.0), std::nextafter(power, Inf)});
    }
    std::mt19937_64 generator(15);
    for (int i = 0; i < 200000; ++i)
        values.push_back(std::ldexp(static_cast<double>(generator() >> 11), static_cast<int>(generator() % 120) - 110));
    for (const double value : values) {
        char expected[40];
        const char* end = std::to_chars(std::begin(expected), std::end(expected), value, std::chars_format::scientific, 14).ptr;
        const FifteenDigits digits = FifteenDigitsOf(value);
        const std::string significand = value == 0 ? std::string(15, '0') : std::to_string(digits.significand);
        char actual[40];
        const int written = std::snprintf(actual, sizeof actual, "%.1s.%se%+03d", significand.c_str(),
                                          significand.c_str() + 1, value == 0 ? 0 : digits.point - 1);
        ASSERT_EQ(std::string(actual, static_cast<std::size_t>(written)),
                  std::string(expected, static_cast<std::size_t>(end - expected)))
            << value;
    }
}

TEST(NumberTextFormat, PicturesShowNoSurplusZeros)
{
    const struct {
        double value;
        Picture picture;
        const char* expected;
    } cases[] = {
        {0.5, Picture::TwoDecimals, ".5"},
        {-0.25, Picture::TwoDecimals, "-.25"},
        {5, Picture::TwoDecimals, "5."},
        {0, Picture::TwoDecimals, "."},
        {-0.001, Picture::TwoDecimals, "."},
        {0.125, Picture::TwoDecimals, ".13"},
        {1.005, Picture::TwoDecimals, "1.01"},
        {1234.567, Picture::TwoDecimals, "1234.57"},
        {99.999, Picture::TwoDecimals, "100."},
        {0, Picture::ThreeDecimals, "."},
        {0.1, Picture::ThreeDecimals, ".1"},
        {0.0005, Picture::ThreeDecimals, ".001"},
        {-0.0004, Picture::ThreeDecimals, "."},
        {1.5, Picture::ThreeDecimals, "1.5"},
        {9.9999, Picture::ThreeDecimals, "10."},
        {-12.3456, Picture::ThreeDecimals, "-12.346"},
        {0, Picture::Whole, "0"},
        {0.4, Picture::Whole, "0"},
        {-0.4, Picture::Whole, "0"},
        {2.5, Picture::Whole, "3"},
        {-2.5, Picture::Whole, "-3"},
        {1234.49, Picture::Whole, "1234"},
        {12345678.9, Picture::Whole, "12345679"},
        {123456789.125, Picture::TwoDecimals, "123456789.13"},
        {Nan, Picture::Whole, "NAN"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << row.value << " -> " << row.expected);
        EXPECT_EQ(FormatPicture(row.value, row.picture, English), QString::fromLatin1(row.expected));
    }
    EXPECT_EQ(FormatPicture(0.5, Picture::TwoDecimals, German), QStringLiteral(",5"));
    EXPECT_EQ(FormatPicture(1234.5, Picture::ThreeDecimals, German), QStringLiteral("1234,5"));
}

TEST(NumberTextFormat, FileLinesCarryBlanksAndAPoint)
{
    const QLocale saved;
    QLocale::setDefault(German);
    const struct {
        QString actual;
        const char* expected;
    } cases[] = {
        {FileNumber(0.5, Precision::Double), " 0.5 "},
        {FileNumber(-2, Precision::Double), "-2 "},
        {FileNumber(1e-5, Precision::Double), " 1E-05 "},
        {FileNumber(-1.5e20, Precision::Double), "-1.5E+20 "},
        {FileNumber(0, Precision::Double), " 0 "},
        {FileNumber(-0.0, Precision::Double), " 0 "},
        {FileNumber(double(0.1f), Precision::Single), " 0.1 "},
        {FileNumber(double(0.1f), Precision::Double), " 0.100000001490116 "},
        {FileNumber(-DBL_MAX, Precision::Double), "-1.79769313486231E+308 "},
        {FileInteger(2), " 2 "},
        {FileInteger(-3), "-3 "},
        {FileInteger(0), " 0 "},
        {FileInteger(32767), " 32767 "},
        {FileInteger(-32768), "-32768 "},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(row.actual, QString::fromLatin1(row.expected));
    }
    QLocale::setDefault(saved);
}

TEST(NumberTextFormat, RoundHalfEvenJudgesHalvesOnTheDecimalValue)
{
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {0.25, 1, 0.2},       {0.35, 1, 0.4},        {0.45, 1, 0.4},     {0.15, 1, 0.2},
        {0.26, 1, 0.3},       {-0.25, 1, -0.2},      {-0.35, 1, -0.4},   {2.5, 0, 2},
        {3.5, 0, 4},          {-2.5, 0, -2},         {0.5, 0, 0},        {1.2345, 3, 1.234},
        {1.2355, 3, 1.236},   {1.23450001, 3, 1.235}, {12.34, -1, 10},   {15, -1, 20},
        {25, -1, 20},         {0.1 + 0.2, 1, 0.3},   {100.0 / 3, 1, 33.3}, {200.0 / 3, 1, 66.7},
        {9.95, 1, 10},        {9.85, 1, 9.8},        {1e300, 1, 1e300},  {DBL_MAX, 0, DBL_MAX},
        {1.23456789012345678, 20, 1.23456789012345678},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(testing::Message() << row.value << " to " << row.decimals);
        EXPECT_EQ(RoundHalfEven(row.value, row.decimals), row.expected);
    }
    EXPECT_FALSE(std::signbit(RoundHalfEven(-0.04, 1)));
    EXPECT_TRUE(std::isnan(RoundHalfEven(Nan, 1)));
    EXPECT_EQ(RoundHalfEven(-Inf, 1), -Inf);
}

// The score percentage: every ratio of small counts, against the exact
// rational rounded with halves to even.
TEST(NumberTextFormat, ScorePercentagesRoundHalfEven)
{
    for (int total = 1; total <= 40; ++total) {
        for (int correct = 0; correct <= total; ++correct) {
            const long long scaled = 1000LL * correct; // tenths of a percent, times total
            long long tenths = scaled / total;
            const long long twiceRest = 2 * (scaled % total);
            if (twiceRest > total || (twiceRest == total && tenths % 2 == 1))
                ++tenths;
            const double percentage = double(correct) / double(correct + (total - correct)) * 100;
            SCOPED_TRACE(testing::Message() << correct << " of " << total);
            EXPECT_EQ(RoundHalfEven(percentage, 1), double(tenths) / 10);
        }
    }
}

} // namespace
} // namespace zeltomir::core
