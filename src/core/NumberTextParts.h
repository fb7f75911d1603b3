#pragma once

// The pieces that the readers and writers of numbers share: the marks a
// number is written with, the scanner that finds a number in text, the
// texts of infinities and NaN, and the largest value the general form
// writes. Not for callers: they include NumberText.h.

#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <system_error>

namespace zeltomir::core::detail {

// The marks a number may be written with. ASCII digits and signs are always
// accepted; these add the locale's own, which may differ (U+2212 minus,
// native digits).
struct Marks {
    QString decimal;
    QString minus;
    QString plus;
    char16_t zero = u'0';
    // Grouping by thousands, as the program itself shows large numbers; empty
    // where none is read (files).
    QString group;
};

inline Marks LocaleMarks(const QLocale& locale)
{
    Marks marks{locale.decimalPoint(), locale.negativeSign(), locale.positiveSign(), u'0', {}};
    if (locale.groupSeparator() != marks.decimal)
        marks.group = locale.groupSeparator();
    const QString zero = locale.zeroDigit();
    if (zero.size() == 1)
        marks.zero = zero.front().unicode();
    return marks;
}

inline const Marks& FileMarks()
{
    static const Marks marks{QStringLiteral("."), QStringLiteral("-"), QStringLiteral("+"), u'0', {}};
    return marks;
}

// A number as scanned from text, rewritten in the plain "C" form that
// std::from_chars reads ([-]digits[.digits][e[-]digits]).
struct ScannedNumber {
    std::string text;
    qsizetype length = 0; // characters of the source that form the number
    // Decimal position of the leading digit plus the exponent: above 0 the
    // value is at least 1 in magnitude. from_chars reports overflow and
    // underflow alike, and this tells them apart.
    long long magnitude = 0;
    bool negative = false;
};

// Exponents are held saturated: far beyond any floating-point range, yet
// small enough that adding the digit count cannot overflow.
inline constexpr long long ExponentCap = 1'000'000'000;

class Scanner {
public:
    Scanner(QStringView text, const Marks& marks) : m_text(text), m_marks(marks) {}

    // The longest prefix that forms a number; nullopt when there is none.
    std::optional<ScannedNumber> scan()
    {
        ScannedNumber number;
        number.negative = takeSign();
        const std::string whole = takeGroupedDigits();
        std::string fraction;
        if (takeMark(m_marks.decimal))
            fraction = takeDigits();
        if (whole.empty() && fraction.empty())
            return std::nullopt;
        number.length = m_pos;

        long long exponent = 0;
        if (m_pos < m_text.size() && (m_text[m_pos] == u'e' || m_text[m_pos] == u'E')) {
            ++m_pos;
            const bool negativeExponent = takeSign();
            const std::string digits = takeDigits();
            if (!digits.empty()) {
                exponent = Saturated(digits) * (negativeExponent ? -1 : 1);
                number.length = m_pos;
            }
        }

        number.magnitude = LeadPosition(whole, fraction) + exponent;
        // Appended piece by piece: GCC 12 at -O3 takes "e" + a string for an
        // overlapping copy and warns.
        number.text.clear();
        if (number.negative)
            number.text += '-';
        number.text += whole.empty() ? std::string("0") : whole;
        if (!fraction.empty()) {
            number.text += '.';
            number.text += fraction;
        }
        if (exponent != 0) {
            number.text += 'e';
            number.text += std::to_string(exponent);
        }
        return number;
    }

private:
    bool takeMark(const QString& mark)
    {
        if (mark.isEmpty() || !m_text.sliced(m_pos).startsWith(mark))
            return false;
        m_pos += mark.size();
        return true;
    }

    // True for a minus sign; a plus sign or none gives false.
    bool takeSign()
    {
        if (m_pos < m_text.size() && m_text[m_pos] == u'-') {
            ++m_pos;
            return true;
        }
        if (m_pos < m_text.size() && m_text[m_pos] == u'+') {
            ++m_pos;
            return false;
        }
        if (takeMark(m_marks.minus))
            return true;
        takeMark(m_marks.plus);
        return false;
    }

    // The whole part, with grouping marks where they stand in correct groups
    // of three and the text cannot be read two ways: it also has the decimal
    // mark, or more than one group ("1,000.00", "12,345,678"). A single group
    // without a decimal mark ("1,000" in English, "1.125" in German) is left
    // unread from its mark on, so the text is no number.
    std::string takeGroupedDigits()
    {
        std::string digits = takeDigits();
        if (m_marks.group.isEmpty() || digits.empty() || digits.size() > 3)
            return digits;
        const qsizetype firstMark = m_pos;
        std::string grouped = digits;
        int groups = 0;
        for (;;) {
            const qsizetype before = m_pos;
            if (!takeMark(m_marks.group))
                break;
            const std::string group = takeDigits();
            if (group.size() != 3) {
                m_pos = before;
                break;
            }
            grouped += group;
            ++groups;
        }
        const bool unambiguous = groups > 1 || (groups == 1 && m_text.sliced(m_pos).startsWith(m_marks.decimal));
        if (groups == 0 || !unambiguous) {
            m_pos = firstMark;
            return digits;
        }
        return grouped;
    }

    std::string takeDigits()
    {
        std::string digits;
        while (m_pos < m_text.size()) {
            const char16_t c = m_text[m_pos].unicode();
            if (c >= u'0' && c <= u'9')
                digits.push_back(static_cast<char>(c));
            else if (c >= m_marks.zero && c <= m_marks.zero + 9)
                digits.push_back(static_cast<char>('0' + (c - m_marks.zero)));
            else
                break;
            ++m_pos;
        }
        return digits;
    }

    static long long Saturated(const std::string& digits)
    {
        long long value = 0;
        for (const char d : digits)
            value = std::min(ExponentCap, value * 10 + (d - '0'));
        return value;
    }

    static long long LeadPosition(const std::string& whole, const std::string& fraction)
    {
        if (const auto first = whole.find_first_not_of('0'); first != std::string::npos)
            return static_cast<long long>(whole.size() - first);
        if (const auto first = fraction.find_first_not_of('0'); first != std::string::npos)
            return -static_cast<long long>(first);
        return 0;
    }

    QStringView m_text;
    const Marks& m_marks;
    qsizetype m_pos = 0;
};

// Correctly rounded conversion straight to T (a single is never rounded via
// a double). Underflow gives a signed zero; overflow is no value.
template <typename T>
std::optional<T> Convert(const ScannedNumber& number)
{
    T value{};
    const char* first = number.text.data();
    const auto [end, error] = std::from_chars(first, first + number.text.size(), value);
    if (error == std::errc() && end == first + number.text.size())
        return value;
    if (error == std::errc::result_out_of_range && number.magnitude <= 0)
        return number.negative ? -T(0) : T(0);
    return std::nullopt;
}

template <typename T>
std::optional<T> ParseWhole(QStringView text, const Marks& marks)
{
    const QStringView trimmed = text.trimmed();
    const std::optional<ScannedNumber> number = Scanner(trimmed, marks).scan();
    if (!number || number->length != trimmed.size())
        return std::nullopt;
    return Convert<T>(*number);
}

inline QString NonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// The largest fifteen-digit decimal in the range of a double. The doubles
// above it, DBL_MAX among them, round to 1.79769313486232E+308 at fifteen
// digits, which lies beyond every double and would not read back; they are
// written as this instead.
inline constexpr double LargestFifteenDigits = 1.79769313486231e308;

// The value the general form writes: itself, bar the few named above.
inline double Writable(double value, Precision precision)
{
    return precision == Precision::Double ? std::clamp(value, -LargestFifteenDigits, LargestFifteenDigits) : value;
}

} // namespace zeltomir::core::detail
