#pragma once

// The floors of the state file: the same bytes written, and the same numbers
// read, the simplest fast way (std::to_chars into one buffer and one atomic
// save; one read and std::from_chars over the buffer).

#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <QString>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace zeltomir::bench {

// The file's lines as the floors see them: its numbers, and its other lines
// as they stand.
struct Lines {
    std::vector<QByteArray> texts;
    std::vector<double> numbers;
    std::vector<bool> isNumber;
};

inline Lines LinesOf(const QByteArray& file)
{
    Lines lines;
    for (const QByteArray& line : file.split('\n')) {
        if (line.isEmpty())
            continue;
        const QByteArray text = line.chopped(1).trimmed(); // CR, and the blanks around a number
        double value = 0;
        const auto [end, error] = std::from_chars(text.begin(), text.end(), value);
        const bool number = !text.isEmpty() && error == std::errc() && end == text.end();
        lines.isNumber.push_back(number);
        lines.numbers.push_back(number ? value : 0);
        lines.texts.push_back(line.chopped(1));
    }
    return lines;
}

// The floor of the write: the same bytes, each number by to_chars, one save.
inline QByteArray FloorBytes(const Lines& lines)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(lines.numbers.size()) * 22);
    char buffer[40];
    for (std::size_t i = 0; i < lines.numbers.size(); ++i) {
        if (!lines.isNumber[i]) {
            bytes += lines.texts[i];
        } else {
            char* end = std::to_chars(buffer, std::end(buffer), lines.numbers[i], std::chars_format::general, 15).ptr;
            std::replace(buffer, end, 'e', 'E');
            if (buffer[0] != '-')
                bytes += ' ';
            bytes.append(buffer, end - buffer);
            bytes += ' ';
        }
        bytes += "\r\n";
    }
    return bytes;
}

inline bool SaveAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The floor of the read: each number of the file's lines by from_chars.
inline std::vector<double> FloorNumbers(const QByteArray& bytes, std::size_t expected)
{
    std::vector<double> numbers;
    numbers.reserve(expected);
    const char* at = bytes.constData();
    const char* const end = at + bytes.size();
    while (at < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
        if (!lineEnd)
            lineEnd = end;
        const char* first = at;
        while (first < lineEnd && *first == ' ')
            ++first;
        double value = 0;
        if (std::from_chars(first, lineEnd, value).ec == std::errc())
            numbers.push_back(value);
        at = lineEnd + 1;
    }
    return numbers;
}

} // namespace zeltomir::bench
