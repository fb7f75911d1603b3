#pragma once

// The vertex summary as a CSV file for spreadsheets and analysis programs:
// the same vertices as the table, but with the values behind its texts, so
// that nothing is lost to the factors' decimals or the user's locale.
//
// UTF-8 without a byte order mark, CRLF line ends, fields quoted as RFC 4180
// asks (a field holding a comma, a double quote, CR or LF is enclosed in
// double quotes, its quotes doubled). Header "Vertex", the factor names,
// "Result", "Type", "Times Retained", "Status", "First Result"; then one
// row per vertex with its number, its natural levels, its result, its Type
// text (empty for an unknown type code), its times retained, its status
// word (StatusWord) and the result first entered where it was corrected
// (empty otherwise). Every column is there whether any vertex needs it or
// not, so that a program reading the file can count on its columns.
// With responses defined, each response's value follows the levels, under
// its name (empty for a failed trial), and the result is headed "D".
// Numbers are written in the shortest form that reads back to the same
// double, with "." as the mark.

#include "core/ProblemRecord.h"
#include "core/FileStatus.h"

#include <QByteArray>
#include <QString>

namespace zeltomir::simplex {

QByteArray VertexCsvText(const core::OptimizationProblem& problem);

// Replaces the file only once the whole text is written: a failure leaves an
// existing file as it was.
core::FileStatus WriteVertexCsv(const core::OptimizationProblem& problem, const QString& path);

} // namespace zeltomir::simplex
