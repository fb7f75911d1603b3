#include "core/NumberText.h"

#include "core/FifteenDigits.h"
#include "core/NumberTextParts.h"
#include "core/ShortestDecimal.h"
#include "core/VectorState.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace zeltomir::core {

using detail::NonFinite;
using detail::Writable;

namespace {

// A finite value as its 15 significant digits: value = 0.digits x 10^point.
// Rounding works on these digits, so 1.005 is the decimal 1.005 and not
// the binary 1.00499999999999989...
struct DecimalForm {
    std::string digits;
    int point = 0;
    bool negative = false;
};

DecimalForm DecimalDigitsOf(double value)
{
    const FifteenDigits fifteen = FifteenDigitsOf(std::fabs(value));
    std::string digits(15, '0');
    std::uint64_t rest = fifteen.significand;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit, rest /= 10)
        *digit = static_cast<char>('0' + rest % 10);
    return {std::move(digits), fifteen.point, value < 0};
}

enum class Halves { AwayFromZero, ToEven };

// Keeps `decimals` places after the point, rounding on the digits; returns
// false when there was nothing to round.
bool RoundDigits(DecimalForm& form, int decimals, Halves halves)
{
    const long long keep = static_cast<long long>(form.point) + decimals;
    if (keep >= static_cast<long long>(form.digits.size()))
        return false;
    bool up = false;
    if (keep >= 0) {
        const auto at = static_cast<std::size_t>(keep);
        const char first = form.digits[at];
        const bool exactHalf = first == '5' && form.digits.find_first_not_of('0', at + 1) == std::string::npos;
        if (halves == Halves::ToEven && exactHalf)
            up = at > 0 && (form.digits[at - 1] - '0') % 2 == 1;
        else
            up = first >= '5';
    }
    form.digits.resize(static_cast<std::size_t>(std::max(keep, 0LL)));
    if (up) {
        auto i = static_cast<long long>(form.digits.size()) - 1;
        while (i >= 0 && form.digits[static_cast<std::size_t>(i)] == '9')
            form.digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0) {
            ++form.digits[static_cast<std::size_t>(i)];
        } else {
            form.digits.insert(form.digits.begin(), '1');
            ++form.point;
        }
    }
    return true;
}

char DigitAt(const DecimalForm& form, long long index)
{
    return index >= 0 && index < static_cast<long long>(form.digits.size())
               ? form.digits[static_cast<std::size_t>(index)]
               : '0';
}

// The integer part without leading zeros: empty when it is zero.
std::string IntegerDigits(const DecimalForm& form)
{
    std::string digits;
    for (long long i = 0; i < form.point; ++i)
        digits.push_back(DigitAt(form, i));
    digits.erase(0, digits.find_first_not_of('0'));
    return digits;
}

std::string FractionDigits(const DecimalForm& form, int decimals)
{
    std::string digits;
    for (int i = 0; i < decimals; ++i)
        digits.push_back(DigitAt(form, static_cast<long long>(form.point) + i));
    return digits;
}

QString Latin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// 10^-n at index n, each the nearest double.
constexpr std::array<double, 16> ReciprocalsOfTen = [] {
    std::array<double, 16> table{};
    for (std::size_t n = 0; n < table.size(); ++n)
        table[n] = 1.0 / static_cast<double>(PowersOfTen[n]);
    return table;
}();

constexpr std::array<char16_t, 200> DigitPairs = [] {
    std::array<char16_t, 200> pairs{};
    for (int n = 0; n < 100; ++n) {
        pairs[static_cast<std::size_t>(2 * n)] = static_cast<char16_t>(u'0' + n / 10);
        pairs[static_cast<std::size_t>(2 * n + 1)] = static_cast<char16_t>(u'0' + n % 10);
    }
    return pairs;
}();

// Writes the `count` lowest decimal digits of `value`, zeros in front where
// it has fewer, so that they end just before `end`; returns where they begin.
char16_t* WriteDigitsBackward(char16_t* end, std::uint64_t value, int count)
{
    for (; count >= 2; count -= 2, value /= 100) {
        end -= 2;
        std::copy_n(DigitPairs.data() + 2 * (value % 100), 2, end);
    }
    if (count == 1)
        *--end = static_cast<char16_t>(u'0' + value % 10);
    return end;
}

// A whole number below 2^53 split into its quotient and remainder by
// 10^places (0..15). The product with the nearest reciprocal is off the
// quotient by at most one and the remainder says which way: far cheaper
// than dividing by a divisor known only at run time.
std::pair<std::uint64_t, std::uint64_t> SplitDecimals(std::uint64_t value, int places)
{
    const auto unit = static_cast<std::int64_t>(PowersOfTen[static_cast<std::size_t>(places)]);
    auto quotient = static_cast<std::int64_t>(static_cast<double>(value) * ReciprocalsOfTen[static_cast<std::size_t>(places)]);
    std::int64_t remainder = static_cast<std::int64_t>(value) - quotient * unit;
    if (remainder < 0) {
        --quotient;
        remainder += unit;
    } else if (remainder >= unit) {
        ++quotient;
        remainder -= unit;
    }
    return {static_cast<std::uint64_t>(quotient), static_cast<std::uint64_t>(remainder)};
}

int DecimalsForDigits(double digits)
{
    if (std::isfinite(digits) && digits == std::floor(digits) && digits >= 0 && digits <= 9)
        return static_cast<int>(digits);
    return 10;
}

} // namespace

double RoundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value))
        return value;
    DecimalForm form = DecimalDigitsOf(value);
    if (!RoundDigits(form, decimals, Halves::ToEven))
        return value;
    if (form.digits.find_first_not_of('0') == std::string::npos)
        return 0.0;
    const std::string text = (form.negative ? "-0." : "0.") + form.digits + "e" + std::to_string(form.point);
    double rounded = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rounded);
    // Only a value next to the largest double can round past it.
    return error == std::errc() ? rounded : value;
}

QString GeneralForm(double value, Precision precision, const QLocale& locale)
{
    return NumberFormatter(locale).general(value, precision);
}

NumberFormatter::NumberFormatter(const QLocale& locale)
    : m_point(locale.decimalPoint()), m_group(locale.groupSeparator()), m_plainPoint(m_point == QLatin1String("."))
{
    // The many values that follow run at full speed (core/VectorState.h).
    ClearUpperVectorState();
}

QString NumberFormatter::general(double value, Precision precision) const
{
    QString text;
    appendGeneral(text, value, precision);
    return text;
}

QString NumberFormatter::byDigits(double value, double digits) const
{
    QString text;
    appendByDigits(text, value, digits);
    return text;
}

void NumberFormatter::appendGeneral(QString& out, double value, Precision precision) const
{
    if (!std::isfinite(value)) {
        out += NonFinite(value);
        return;
    }
    if (value == 0)
        value = 0; // a negative zero is written as plain "0"
    char buffer[40];
    char* end = std::to_chars(std::begin(buffer), std::end(buffer), Writable(value, precision), std::chars_format::general,
                              precision == Precision::Single ? 7 : 15)
                    .ptr;
    std::replace(std::begin(buffer), end, 'e', 'E');
    const char* point = m_plainPoint ? end : std::find(buffer, end, '.');
    out += QLatin1StringView(buffer, point - buffer);
    if (point != end) {
        out += m_point;
        out += QLatin1StringView(point + 1, end - point - 1);
    }
}

void NumberFormatter::appendByDigits(QString& out, double value, double digits) const
{
    if (!std::isfinite(value)) {
        out += NonFinite(value);
        return;
    }
    const int decimals = DecimalsForDigits(digits);
    // Rounded to `decimals` places on the 15 significant digits, halves away
    // from zero (1.005 is the decimal 1.005, not the binary just below), the
    // value times 10^decimals is the whole number `scaled` followed by
    // `zeros` zeros.
    const FifteenDigits fifteen = FifteenDigitsOf(std::fabs(value));
    const long long keep = static_cast<long long>(fifteen.point) + decimals; // digits kept
    std::uint64_t scaled = 0;
    long long zeros = 0;
    if (keep >= 15) {
        scaled = fifteen.significand;
        zeros = keep - 15;
    } else if (keep >= 0) {
        const int places = static_cast<int>(15 - keep);
        const auto [kept, dropped] = SplitDecimals(fifteen.significand, places);
        scaled = kept + (2 * dropped >= PowersOfTen[static_cast<std::size_t>(places)] ? 1 : 0);
    }
    // Its digits: none for zero (the zero place below shows it).
    int written = 0;
    if (scaled != 0) {
        written = (std::bit_width(scaled) * 1233) >> 12; // log10(2) as 1233 / 2^12
        if (written < 20 && scaled >= PowersOfTen[static_cast<std::size_t>(written)])
            ++written;
    }
    const long long count = written + zeros;

    const long long integerDigits = std::max(0LL, count - decimals);
    const long long groups = integerDigits > 0 ? (integerDigits - 1) / 3 : 0;
    // The no-decimals pattern has no "0" place, so a zero integer part
    // vanishes there; the other patterns always show it.
    const bool zeroPlace = integerDigits == 0 && decimals > 0;
    const qsizetype length = (value < 0 ? 1 : 0) + integerDigits + groups * m_group.size() + (zeroPlace ? 1 : 0)
                             + (decimals > 0 ? m_point.size() + decimals : 0);
    // Sized once and filled in place from the right, the digits taken off
    // the number as they go: a table formats a million of these.
    const qsizetype at = out.size();
    out.resize(at + length);
    char16_t* text = reinterpret_cast<char16_t*>(out.data()) + at + length;
    const auto put = [&text](const QString& mark) {
        if (mark.size() == 1) {
            *--text = mark.front().unicode();
            return;
        }
        text -= mark.size();
        std::copy_n(reinterpret_cast<const char16_t*>(mark.constData()), mark.size(), text);
    };
    if (zeros == 0) {
        // The usual case: the fraction and then the integer part, the
        // latter a group of three at a time.
        auto [integer, fraction] = SplitDecimals(scaled, decimals);
        if (decimals > 0) {
            text = WriteDigitsBackward(text, fraction, decimals);
            put(m_point);
        }
        if (integer > 0) {
            for (; integer >= 1000; integer /= 1000) {
                text = WriteDigitsBackward(text, integer % 1000, 3);
                put(m_group);
            }
            for (; integer > 0; integer /= 10)
                *--text = static_cast<char16_t>(u'0' + integer % 10);
        }
    } else {
        // Beyond the 15 significant digits the places are zeros.
        long long trailingZeros = zeros;
        const auto nextDigit = [&] {
            if (trailingZeros > 0) {
                --trailingZeros;
                return u'0';
            }
            const auto digit = static_cast<char16_t>(u'0' + scaled % 10);
            scaled /= 10;
            return digit;
        };
        if (decimals > 0) {
            for (int i = 0; i < decimals; ++i)
                *--text = nextDigit();
            put(m_point);
        }
        for (long long i = 0, untilGroup = 3; i < integerDigits; ++i, --untilGroup) {
            if (untilGroup == 0) {
                put(m_group);
                untilGroup = 3;
            }
            *--text = nextDigit();
        }
    }
    if (zeroPlace)
        *--text = u'0';
    if (value < 0)
        *--text = u'-';
}

QString ShortestForm(double value)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    if (value == 0)
        return QStringLiteral("0");
    char buffer[40];
    const auto written = std::to_chars(std::begin(buffer), std::end(buffer), value);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

QString ShortestSingleForm(double value, const QLocale& locale)
{
    // At most nine digits: the double nearest to them keeps them at fifteen.
    return GeneralForm(ShortestDecimalIfSingle(value), Precision::Double, locale);
}

QString FormatByDigits(double value, double digits, const QLocale& locale)
{
    return NumberFormatter(locale).byDigits(value, digits);
}

QString FormatPicture(double value, Picture picture, const QLocale& locale)
{
    if (!std::isfinite(value))
        return NonFinite(value);
    const int decimals = picture == Picture::Whole ? 0 : picture == Picture::TwoDecimals ? 2 : 3;
    DecimalForm form = DecimalDigitsOf(value);
    RoundDigits(form, decimals, Halves::AwayFromZero);

    const std::string whole = IntegerDigits(form);
    std::string fraction = FractionDigits(form, decimals);
    fraction.erase(fraction.find_last_not_of('0') + 1);
    const bool zero = whole.empty() && fraction.empty();
    QString text = form.negative && !zero ? QStringLiteral("-") : QString();
    if (picture == Picture::Whole)
        return text + (zero ? QStringLiteral("0") : Latin1(whole));
    return text + Latin1(whole) + locale.decimalPoint() + Latin1(fraction);
}
} // namespace zeltomir::core
