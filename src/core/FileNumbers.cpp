#include "core/NumberText.h"

#include "core/NumberTextParts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace zeltomir::core {

using detail::Convert;
using detail::FileMarks;
using detail::NonFinite;
using detail::ParseWhole;
using detail::ScannedNumber;
using detail::Scanner;
using detail::Writable;

double LeadingNumber(QStringView line)
{
    QString packed;
    packed.reserve(line.size());
    for (const QChar c : line) {
        if (!c.isSpace())
            packed += c;
    }
    const std::optional<ScannedNumber> number = Scanner(packed, FileMarks()).scan();
    if (!number)
        return 0;
    return Convert<double>(*number).value_or(0.0);
}

void AppendFileNumber(QByteArray& out, double value, Precision precision)
{
    char buffer[48];
    char* text = buffer + 1;
    char* end = text;
    if (!std::isfinite(value)) {
        const QByteArray name = NonFinite(value).toLatin1();
        end = std::copy(name.begin(), name.end(), text);
    } else {
        // As GeneralForm writes it with "." as the mark.
        end = std::to_chars(text, std::end(buffer) - 1, value == 0 ? 0.0 : Writable(value, precision), std::chars_format::general,
                            precision == Precision::Single ? 7 : 15)
                  .ptr;
        std::replace(text, end, 'e', 'E');
    }
    if (*text != '-')
        *--text = ' ';
    *end++ = ' ';
    out.append(text, end - text);
}

void AppendFileInteger(QByteArray& out, int value)
{
    char buffer[16];
    char* text = buffer + 1;
    char* end = std::to_chars(text, std::end(buffer) - 1, value).ptr;
    if (value >= 0)
        *--text = ' ';
    *end++ = ' ';
    out.append(text, end - text);
}

QString FileNumber(double value, Precision precision)
{
    QByteArray text;
    AppendFileNumber(text, value, precision);
    return QString::fromLatin1(text);
}

QString FileInteger(int value)
{
    QByteArray text;
    AppendFileInteger(text, value);
    return QString::fromLatin1(text);
}

std::optional<double> ParseFileNumber(QStringView line)
{
    return ParseWhole<double>(line, FileMarks());
}

bool ParseAsciiFileNumber(QByteArrayView line, double& value)
{
    // The plain case straight from the bytes: blanks, an optional sign,
    // digits with at most one ".", an optional exponent, which from_chars
    // reads once a leading plus is dropped. A value beyond the double's range
    // takes the full read, which tells an overflow from an underflow.
    const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    const char* first = line.data();
    const char* last = first + line.size();
    while (first < last && blank(*first))
        ++first;
    while (last > first && blank(last[-1]))
        --last;
    // One sign at most; from_chars takes a minus but not a plus.
    const bool plus = first < last && *first == '+';
    const char* number = plus ? first + 1 : first;
    const char* lead = !plus && first < last && *first == '-' ? first + 1 : number;
    if (lead >= last || !(*lead == '.' || (*lead >= '0' && *lead <= '9')))
        return false;
    const auto [end, error] = std::from_chars(number, last, value);
    if (end != last)
        return false;
    if (error == std::errc())
        return true;
    if (error != std::errc::result_out_of_range)
        return false;
    const std::optional<double> full = ParseFileNumber(QStringView(QString::fromLatin1(line)));
    value = full.value_or(0);
    return full.has_value();
}

std::optional<double> ParseAsciiFileNumber(QByteArrayView line)
{
    double value = 0;
    return ParseAsciiFileNumber(line, value) ? std::optional<double>(value) : std::nullopt;
}

} // namespace zeltomir::core
