#include "core/NumberText.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <random>

namespace zeltomir::core {
namespace {

const QLocale English(QLocale::English, QLocale::UnitedStates);
const QLocale German(QLocale::German, QLocale::Germany);

struct ParseCase {
    const char16_t* text;
    std::optional<double> expected;
};

void CheckParse(const ParseCase& row, const QLocale& locale)
{
    const QString text = QString::fromUtf16(row.text);
    SCOPED_TRACE(text.toStdString() + " in " + locale.name().toStdString());
    EXPECT_EQ(IsNumber(text, locale), row.expected.has_value());
    EXPECT_EQ(ParseNumber(text, locale), row.expected);
}

TEST(NumberTextParse, ReadsWhatTheEnglishLocaleCallsANumber)
{
    const ParseCase cases[] = {
        {u"1", 1},          {u" 1.5 ", 1.5},    {u"-2", -2},         {u"+3", 3},
        {u".5", 0.5},       {u"5.", 5},         {u"1e3", 1000},      {u"1E-3", 0.001},
        {u"-1.5e+2", -150}, {u"\t7\t", 7},      {u"007", 7},         {u"0", 0},
        {u"1e-400", 0},     {u"-.25E1", -2.5},  {u"123456789012345678901234567890", 123456789012345678901234567890.0},
        // grouped as the program shows numbers, where it reads only one way
        {u"1,000.00", 1000}, {u"12,345,678.9", 12345678.9}, {u"-1,234,567", -1234567}, {u"1,000.5e3", 1000500},
        // not numbers
        {u"1,000", {}},     {u"1,5", {}},       {u"$5", {}},         {u"5$", {}},
        {u"1,0000.5", {}},  {u"1234,567.5", {}}, {u"1,234,56", {}},  {u"1.000,5", {}},
        {u",100.5", {}},    {u"1,000,", {}},
        {u"0x10", {}},      {u"inf", {}},       {u"nan", {}},        {u"Infinity", {}},
        {u"", {}},          {u"   ", {}},       {u".", {}},          {u"-", {}},
        {u"+", {}},         {u"1e", {}},        {u"1e+", {}},        {u"e5", {}},
        {u"1 000", {}},     {u"1..2", {}},      {u"1.2.3", {}},      {u"--1", {}},
        {u"+-1", {}},       {u"- 1", {}},       {u"1.5x", {}},       {u"x1.5", {}},
        {u"1e400", {}},     {u"-1e400", {}},    {u"1d3", {}},        {u"\uFF11", {}},
        {u"1e3.5", {}},     {u"1_000", {}},
    };
    for (const ParseCase& row : cases)
        CheckParse(row, English);
}

TEST(NumberTextParse, TheLocaleDecimalMarkIsTheOnlyMark)
{
    const ParseCase germanCases[] = {
        {u"1,5", 1.5}, {u" -0,25e2 ", -25}, {u",5", 0.5},  {u"1.000,5", 1000.5}, {u"1.234.567", 1234567},
        {u"1.5", {}},  {u"1.000", {}},      {u"1.125", {}}, {u"1,000.5", {}},
    };
    for (const ParseCase& row : germanCases)
        CheckParse(row, German);

    const ParseCase cCases[] = {{u"2.25", 2.25}, {u"2,25", {}}, {u"2,250.5", 2250.5}};
    for (const ParseCase& row : cCases)
        CheckParse(row, QLocale::c());
}

TEST(NumberTextParse, TheDefaultLocaleIsTheUsers)
{
    const QLocale saved;
    QLocale::setDefault(German);
    EXPECT_EQ(ParseNumber(u"3,5"), 3.5);
    EXPECT_FALSE(IsNumber(u"3.5"));
    QLocale::setDefault(saved);
    EXPECT_EQ(ParseNumber(u"3.5"), 3.5);
}

// Whatever marks, minus sign or digits a locale writes plain decimals with,
// the same locale reads them back.
TEST(NumberTextParse, ReadsBackEachLocalesOwnDecimals)
{
    const QLocale::Language languages[] = {QLocale::English, QLocale::German,   QLocale::French,
                                           QLocale::Swedish, QLocale::Arabic,   QLocale::Persian,
                                           QLocale::Hindi,   QLocale::Japanese, QLocale::Russian};
    const double values[] = {3.5, -2.25, 0.125, -987.5};
    for (const QLocale::Language language : languages) {
        QLocale locale(language);
        locale.setNumberOptions(QLocale::OmitGroupSeparator);
        for (const double value : values) {
            const QString text = locale.toString(value, 'f', 3);
            SCOPED_TRACE(locale.name().toStdString() + " " + text.toStdString());
            EXPECT_EQ(ParseNumber(text, locale), value);
        }
    }
}

TEST(NumberTextParse, SinglesAreRoundedOnceFromTheText)
{
    struct Case {
        const char16_t* text;
        std::optional<float> expected;
    };
    const Case cases[] = {
        {u"0.1", 0.1f},
        {u"3.4028235e38", FLT_MAX},
        {u"-3.4028235e38", -FLT_MAX},
        {u"1e-50", 0.0f},
        {u"1e-45", std::numeric_limits<float>::denorm_min()},
        {u"16777217", 16777216.0f},
        // Just above the midpoint between 1 and the next single: rounding
        // through a double would land on the midpoint and then go to 1.
        {u"1.0000000596046448", 1.00000011920928955078125f},
        {u"3.4028236e38", {}},
        {u"-3.5e38", {}},
        {u"1e39", {}},
        {u"1,5", {}},
        {u"", {}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(QString::fromUtf16(row.text).toStdString());
        EXPECT_EQ(ParseSingle(QString::fromUtf16(row.text), English), row.expected);
    }
    EXPECT_EQ(ParseSingle(u"0,1", German), 0.1f);
}

TEST(NumberTextParse, RoundsToInt16WithHalvesToEvenAndNeverWraps)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double value;
        std::optional<std::int16_t> expected;
    };
    const Case cases[] = {
        {0, 0},           {0.5, 0},          {1.5, 2},           {2.5, 2},           {3.5, 4},
        {-0.5, 0},        {-2.5, -2},        {-3.5, -4},         {2.4999999, 2},     {2.5000001, 3},
        {-2.5000001, -3}, {7.9, 8},          {32767, 32767},     {32767.4, 32767},   {32767.5, {}},
        {32768, {}},      {-32768, -32768},  {-32768.5, -32768}, {-32768.6, {}},     {-32769, {}},
        {1e300, {}},      {-1e300, {}},      {nan, {}},          {inf, {}},          {-inf, {}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.value);
        EXPECT_EQ(RoundToInt16(row.value), row.expected);
    }
}

TEST(NumberTextParse, TakesTheLeadingNumberOfAnExerciseLine)
{
    QString longDigits = QStringLiteral("1");
    longDigits += QString(100000, QLatin1Char('0'));
    // 1E-100000 written out, then scaled back up by its exponent.
    const QString longFraction = QStringLiteral("0.") + QString(99999, QLatin1Char('0')) + QStringLiteral("1e100010");
    const struct {
        QString line;
        double expected;
    } cases[] = {
        {QStringLiteral("1,5"), 1},
        {QStringLiteral("abc"), 0},
        {QStringLiteral(" - 1 2 . 5"), -12.5},
        {QString(), 0},
        {QStringLiteral("12abc"), 12},
        {QStringLiteral("1e3"), 1000},
        {QStringLiteral("1 e 2"), 100},
        {QStringLiteral("1e"), 1},
        {QStringLiteral("1e+"), 1},
        {QStringLiteral("2E-1x"), 0.2},
        {QStringLiteral(".5"), 0.5},
        {QStringLiteral("."), 0},
        {QStringLiteral("-"), 0},
        {QStringLiteral("+7"), 7},
        {QStringLiteral("--1"), 0},
        {QStringLiteral("1.2.3"), 1.2},
        {QStringLiteral("  3.25  \r\n"), 3.25},
        {QStringLiteral("\t4"), 4},
        {QStringLiteral("1e400"), 0},
        {QStringLiteral("-1e400"), 0},
        {QStringLiteral("1e-400"), 0},
        {QStringLiteral("1e99999999999999999999"), 0},
        {longDigits, 0},
        {longFraction, 1e10},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.line.left(40).toStdString());
        EXPECT_EQ(LeadingNumber(row.line), row.expected);
    }
}

TEST(NumberTextParse, FileNumbersReadBackWithAPointWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(German);
    const struct {
        const char16_t* line;
        std::optional<double> expected;
    } cases[] = {
        {u" 0.5 ", 0.5},   {u"-2 ", -2},    {u" 1E-05 ", 1e-5}, {u" 0.5 \r", 0.5},
        {u"1.5e3", 1500},  {u" 0 ", 0},     {u"1,5", {}},       {u"0,5", {}},
        {u"", {}},         {u"nan", {}},    {u"INF", {}},       {u"1 5", {}},
        {u"+5", 5},        {u"+-5", {}},    {u"--5", {}},       {u"-.5", -0.5},
        {u"5.", 5},        {u"1e", {}},     {u"1e+", {}},       {u"\t7\v", 7},
        {u"1e-400", 0},    {u"1e400", {}},  {u".", {}},         {u"0x10", {}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(QString::fromUtf16(row.line).toStdString());
        EXPECT_EQ(ParseFileNumber(QString::fromUtf16(row.line)), row.expected);
        EXPECT_EQ(ParseAsciiFileNumber(QString::fromUtf16(row.line).toLatin1()), row.expected);
    }
    QLocale::setDefault(saved);
}

// The bytes' fast read and the full read agree on every short text made of
// the characters a number line is made of.
TEST(NumberTextParse, AsciiFileNumbersReadAsTheFullReadDoes)
{
    std::mt19937 generator(7);
    const char alphabet[] = "0123456789+-.eE \t";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof alphabet) - 2);
    std::uniform_int_distribution<int> length(0, 8);
    for (int i = 0; i < 100000; ++i) {
        QByteArray text;
        for (int n = length(generator); n > 0; --n)
            text += alphabet[pick(generator)];
        ASSERT_EQ(ParseAsciiFileNumber(text), ParseFileNumber(QString::fromLatin1(text))) << text.toStdString();
    }
}

// Random values of every magnitude: the 15-digit text must read back to a
// value that writes the same text again, and lie within the rounding of the
// 15th digit; a single's text must read back to the very same single.
TEST(NumberTextParse, GeneralFormReadsBack)
{
    std::mt19937_64 generator(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::uniform_int_distribution<std::uint32_t> bits(0, 0x7F7FFFFF); // every finite positive single
    for (int i = 0; i < 2000; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(generator) * std::pow(10.0, exponent(generator));
        const QString text = GeneralForm(value, Precision::Double, English);
        SCOPED_TRACE(text.toStdString());
        const std::optional<double> back = ParseNumber(text, English);
        ASSERT_TRUE(back.has_value());
        EXPECT_LE(std::fabs(*back - value), std::fabs(value) * 6e-15);
        EXPECT_EQ(GeneralForm(*back, Precision::Double, English), text);
        EXPECT_EQ(ParseNumber(GeneralForm(value, Precision::Double, German), German), back);
        EXPECT_EQ(ParseFileNumber(FileNumber(value, Precision::Double)), back);

        const std::uint32_t pattern = bits(generator);
        float single = 0;
        std::memcpy(&single, &pattern, sizeof single);
        EXPECT_EQ(ParseSingle(GeneralForm(single, Precision::Double, English), English), single);
        // Seven digits do not always tell neighbouring singles apart, but
        // they must stay within the 7th digit and reproduce their text.
        const QString short7 = GeneralForm(single, Precision::Single, English);
        const std::optional<float> back7 = ParseSingle(short7, English);
        ASSERT_TRUE(back7.has_value()) << short7.toStdString();
        EXPECT_LE(std::fabs(double(*back7) - double(single)), double(single) * 1e-6);
        EXPECT_EQ(GeneralForm(*back7, Precision::Single, English), short7);
    }
}

} // namespace
} // namespace zeltomir::core
