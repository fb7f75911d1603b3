#pragma once

// Reads the measured results, one line each: "RESULT", or "RESULT @ L1 ... Lk"
// with the natural levels actually run. Blank lines and lines starting with
// "#" are skipped. The texts are handed on as typed; the engine judges them.

#include <QString>
#include <QStringList>

#include <functional>
#include <istream>
#include <optional>

namespace zeltomir::cli {

struct ResultLine {
    int lineNumber = 0;               // counted from 1 over every line read, skipped ones included
    QString result;                   // the text before "@" (or the whole line)
    std::optional<QStringList> levels; // the blank-separated texts after "@"
};

// One line's parts, or nullopt for a line to skip.
std::optional<ResultLine> ParseResultLine(const QString& line, int lineNumber);

// The signal that ended the input before its end (SIGINT, SIGTERM), or 0.
using StopQuery = std::function<int()>;

class ResultReader {
public:
    explicit ResultReader(std::istream& in, StopQuery stoppedBy = {});

    // The next line that holds a result; nullopt at the end of the input.
    // std::bad_alloc when the memory for a line runs out.
    std::optional<ResultLine> next();

    int stoppedBy() const { return m_stoppedBy ? m_stoppedBy() : 0; }
    // Every line taken so far, skipped ones included.
    int linesRead() const { return m_lineNumber; }

private:
    std::istream& m_in;
    StopQuery m_stoppedBy;
    int m_lineNumber = 0;
};

} // namespace zeltomir::cli
