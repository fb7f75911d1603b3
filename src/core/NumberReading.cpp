#include "core/NumberText.h"

#include "core/NumberTextParts.h"

#include <cmath>

namespace zeltomir::core {

using detail::LocaleMarks;
using detail::ParseWhole;

bool IsNumber(QStringView text, const QLocale& locale)
{
    return ParseNumber(text, locale).has_value();
}

std::optional<double> ParseNumber(QStringView text, const QLocale& locale)
{
    return ParseWhole<double>(text, LocaleMarks(locale));
}

NumberReader::NumberReader(const QLocale& locale) : m_marks(std::make_unique<const detail::Marks>(LocaleMarks(locale)))
{
}

NumberReader::~NumberReader() = default;

std::optional<double> NumberReader::number(QStringView text) const
{
    return ParseWhole<double>(text, *m_marks);
}

std::optional<float> ParseSingle(QStringView text, const QLocale& locale)
{
    return ParseWhole<float>(text, LocaleMarks(locale));
}

std::optional<std::int16_t> RoundToInt16(double value)
{
    // The range check comes first so that floor and the difference below
    // are exact.
    if (!std::isfinite(value) || value < -32768.5 || value > 32767.5)
        return std::nullopt;
    const double below = std::floor(value);
    const double fraction = value - below;
    double nearest = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0))
        nearest = below + 1;
    if (nearest < -32768 || nearest > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(nearest);
}

} // namespace zeltomir::core
