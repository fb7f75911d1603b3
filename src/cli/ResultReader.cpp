#include "cli/ResultReader.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace zeltomir::cli {

namespace {

// A vertex number as typed: decimal digits only, so that "3.0" or "+3" is
// not quietly taken for vertex 3.
std::optional<int> VertexNumber(const QString& text)
{
    bool ok = !text.isEmpty();
    for (const QChar c : text)
        ok = ok && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int number = ok ? text.toInt(&ok) : 0;
    return ok ? std::optional<int>(number) : std::nullopt;
}

// How a command line is written, for the message that refuses one written otherwise.
QString Usage(LineKind kind)
{
    switch (kind) {
    case LineKind::Again:
        return QStringLiteral("\"again\" is written as \"again N\", N the number of a vertex of the current "
                              "simplex, with no levels");
    case LineKind::Failed:
        return QStringLiteral("\"failed\" is written alone, or with \"@\" and the levels run");
    case LineKind::Correct:
        return QStringLiteral("\"correct\" is written as \"correct N VALUE\" (\"correct N NAME=VALUE\" with "
                              "several responses), N the number of a vertex and VALUE its result, with no levels");
    case LineKind::Result:
        break;
    }
    return QString();
}

// Recognises a command line by the word it starts with (before any "@").
// A result never starts with a letter, so none is taken for a command.
void ReadCommand(ResultLine& parsed)
{
    const QStringList words = parsed.result.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const LineKind kinds[] = {LineKind::Again, LineKind::Failed, LineKind::Correct};
    const auto named = std::find_if(std::begin(kinds), std::end(kinds), [&words](LineKind kind) {
        return words.front().compare(CommandWord(kind), Qt::CaseInsensitive) == 0;
    });
    if (named == std::end(kinds))
        return;
    parsed.kind = *named;
    const qsizetype arguments = words.size() - 1;
    const std::optional<int> vertex = arguments > 0 ? VertexNumber(words[1]) : std::nullopt;
    bool written = false;
    switch (parsed.kind) {
    case LineKind::Failed:
        written = arguments == 0;
        break;
    case LineKind::Again:
        // The vertex is measured again where it was run: levels after "@"
        // would be a line meant for another trial.
        written = arguments == 1 && vertex && !parsed.levels;
        break;
    case LineKind::Correct:
        // A response's name may hold blanks: the rest of the line is the value.
        written = arguments >= 2 && vertex && !parsed.levels;
        break;
    case LineKind::Result:
        break;
    }
    if (!written) {
        parsed.misuse = QStringLiteral("Line %1: %2. The line is skipped.").arg(parsed.lineNumber).arg(Usage(parsed.kind));
        return;
    }
    parsed.vertex = vertex.value_or(0);
    parsed.result = parsed.kind == LineKind::Correct ? words.mid(2).join(QLatin1Char(' ')) : QString();
}

} // namespace

QString CommandWord(LineKind kind)
{
    switch (kind) {
    case LineKind::Again:
        return QStringLiteral("again");
    case LineKind::Failed:
        return QStringLiteral("failed");
    case LineKind::Correct:
        return QStringLiteral("correct");
    case LineKind::Result:
        break;
    }
    return QString();
}

std::optional<ResultLine> ParseResultLine(const QString& line, int lineNumber)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
        return std::nullopt;
    ResultLine parsed;
    parsed.lineNumber = lineNumber;
    const qsizetype at = line.indexOf(QLatin1Char('@'));
    parsed.result = at < 0 ? line : line.left(at);
    // Blanks and tabs alike separate the levels.
    if (at >= 0)
        parsed.levels = line.mid(at + 1).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!parsed.result.trimmed().isEmpty())
        ReadCommand(parsed);
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
