#include "cli/ResultReader.h"

#include <string>

namespace zeltomir::cli {

std::optional<ResultLine> ParseResultLine(const QString& line, int lineNumber)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return std::nullopt;
    ResultLine parsed;
    parsed.lineNumber = lineNumber;
    const qsizetype at = line.indexOf(QLatin1Char('@'));
    if (at < 0) {
        parsed.result = line;
        return parsed;
    }
    parsed.result = line.left(at);
    // Blanks and tabs alike separate the levels.
    parsed.levels = line.mid(at + 1).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return parsed;
}

ResultReader::ResultReader(std::istream& in, StopQuery stoppedBy)
    : m_in(in)
    , m_stoppedBy(std::move(stoppedBy))
{
    // A stream takes an exception from reading (the memory for a long line
    // running out) for the end of its input unless told otherwise; the
    // session is to learn why it stopped.
    m_in.exceptions(m_in.exceptions() | std::ios::badbit);
}

std::optional<ResultLine> ResultReader::next()
{
    std::string bytes;
    while (std::getline(m_in, bytes)) {
        // A last line without its line end, after a stop, was cut off by it.
        if (m_in.eof() && stoppedBy() != 0)
            break;
        if (!bytes.empty() && bytes.back() == '\r')
            bytes.pop_back();
        // Counted once taken in whole: a line the memory cannot hold is not.
        std::optional<ResultLine> line = ParseResultLine(QString::fromStdString(bytes), m_lineNumber + 1);
        ++m_lineNumber;
        if (line)
            return line;
    }
    return std::nullopt;
}

} // namespace zeltomir::cli
