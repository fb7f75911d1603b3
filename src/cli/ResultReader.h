#pragma once

// Reads the measured results, one line each: "RESULT", or "RESULT @ L1 ... Lk"
// with the natural levels actually run; and the lines that stand for the
// steps window's other commands: "again N" (Measure Again), "failed" (Trial
// Failed, with "@" levels as a result line) and "correct N VALUE" (Correct
// Result). Blank lines and lines starting with "#" are skipped. The texts are
// handed on as typed; the engine judges them.

#include <QString>
#include <QStringList>

#include <functional>
#include <istream>
#include <optional>

namespace zeltomir::cli {

enum class LineKind {
    Result,
    Again,   // "again N"
    Failed,  // "failed"
    Correct, // "correct N VALUE", or "correct N NAME=VALUE" for one of several responses
};

struct ResultLine {
    int lineNumber = 0;               // counted from 1 over every line read, skipped ones included
    LineKind kind = LineKind::Result;
    QString result;                   // the text before "@" (or the whole line); VALUE of "correct"
    std::optional<QStringList> levels; // the blank-separated texts after "@"
    int vertex = 0;                   // N of "again" and "correct"
    // Why a command line cannot be taken as it is written ("again" without
    // a vertex number, say); empty for a line the engine is to judge.
    QString misuse;
};

// The word that starts a line of this kind, as the input spells it.
QString CommandWord(LineKind kind);

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
