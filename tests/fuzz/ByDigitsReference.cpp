#include "ByDigitsReference.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace zeltomir::fuzz {

namespace {

// The digits of a whole number given as text, plus one.
std::string Incremented(std::string digits)
{
    auto i = digits.rbegin();
    for (; i != digits.rend() && *i == '9'; ++i)
        *i = '0';
    if (i == digits.rend())
        return '1' + digits;
    ++*i;
    return digits;
}

} // namespace

QString ByDigitsReference(double value, int decimals, const QLocale& locale)
{
    // |value| = 0.d1..d15 x 10^point
    char buffer[40];
    char* end = std::to_chars(std::begin(buffer), std::end(buffer), std::fabs(value),
                                    std::chars_format::scientific, 14).ptr;
    const std::string digits = std::string(1, buffer[0]) + std::string(buffer + 2, buffer + 16);
    const long long point = std::atoll(std::string(buffer + 17, end).c_str()) + 1;

    // |value| x 10^decimals rounded, halves away from zero, as digits.
    const long long keep = point + decimals;
    std::string scaled;
    if (keep >= 15) {
        scaled = digits + std::string(static_cast<std::size_t>(keep - 15), '0');
    } else if (keep >= 0) {
        scaled = digits.substr(0, static_cast<std::size_t>(keep));
        if (digits[static_cast<std::size_t>(keep)] >= '5')
            scaled = Incremented(scaled);
    }
    scaled.erase(0, scaled.find_first_not_of('0'));

    const auto fractionLength = static_cast<std::size_t>(decimals);
    std::string integer;
    std::string fraction;
    if (scaled.size() > fractionLength) {
        integer = scaled.substr(0, scaled.size() - fractionLength);
        fraction = scaled.substr(scaled.size() - fractionLength);
    } else {
        fraction = std::string(fractionLength - scaled.size(), '0') + scaled;
    }

    QString text = value < 0 ? QStringLiteral("-") : QString();
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            text += locale.groupSeparator();
        text += QLatin1Char(integer[i]);
    }
    // Only the no-decimals pattern lacks a "0" place before the mark.
    if (integer.empty() && decimals > 0)
        text += QLatin1Char('0');
    if (decimals > 0)
        text += locale.decimalPoint() + QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    return text;
}

} // namespace zeltomir::fuzz
