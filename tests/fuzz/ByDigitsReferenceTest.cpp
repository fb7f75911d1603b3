// The slow reference the number target holds FormatByDigits to, and the
// formatter itself, on hand-worked texts: marks of more than one byte,
// values beyond fifteen digits, carries into a new group, the extremes.

#include "ByDigitsReference.h"

#include "core/NumberText.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cfloat>

namespace zeltomir::fuzz {
namespace {

TEST(ByDigitsReferenceTest, AgreesWithFormatByDigitsOnHandWorkedTexts)
{
    const QLocale french("fr_FR");   // "," and a narrow no-break space
    const QLocale arabic("ar_EG");   // U+066B and U+066C
    const QLocale swiss("de_CH");    // "." and a right single quote
    const struct {
        const QLocale& locale;
        double value;
        int decimals;
        QString expected;
    } rows[] = {
        {QLocale::c(), 999999.99996, 4, "1,000,000.0000"},
        {QLocale::c(), -0.00004, 4, "-0.0000"},
        {QLocale::c(), 0.5, 0, "1"},
        {QLocale::c(), -0.49, 0, "-"},
        {QLocale::c(), 1234567890123456789.0, 2, "1,234,567,890,123,460,000.00"},
        {QLocale::c(), 1e15, 0, "1,000,000,000,000,000"},
        {QLocale::c(), DBL_TRUE_MIN, 10, "0.0000000000"},
        {QLocale::c(), 0.00000000005, 10, "0.0000000001"},
        {QLocale::c(), 123456.7890123456, 10, "123,456.7890123460"},
        {french, -1234567.891, 2, u"-1\u202F234\u202F567,89"_qs},
        {french, 1e18, 1, u"1\u202F000\u202F000\u202F000\u202F000\u202F000\u202F000,0"_qs},
        {arabic, 12345.675, 2, u"12\u066C345\u066B68"_qs},
        {arabic, 0.04, 1, u"0\u066B0"_qs},
        {swiss, 9999.5, 0, u"10\u2019000"_qs},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.expected.toStdString());
        EXPECT_EQ(ByDigitsReference(row.value, row.decimals, row.locale), row.expected);
        EXPECT_EQ(core::FormatByDigits(row.value, row.decimals, row.locale), row.expected);
    }
}

TEST(ByDigitsReferenceTest, TheLargestDoubleShowsAllItsIntegerDigits)
{
    const QString text = ByDigitsReference(-DBL_MAX, 0, QLocale::c());
    EXPECT_TRUE(text.startsWith("-179,769,313,486,232,000,")) << text.toStdString();
    EXPECT_EQ(text.size(), 1 + 309 + 102);
    EXPECT_EQ(core::FormatByDigits(-DBL_MAX, 0, QLocale::c()), text);
}

} // namespace
} // namespace zeltomir::fuzz
