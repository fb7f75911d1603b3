#pragma once

// The vertex summary as a CSV file for data tools: the columns of the
// vertex table (VertexTable.h), with the values behind the table's texts,
// so that nothing is lost to the factors' decimals or the user's locale.
//
// UTF-8 without a byte order mark, CRLF line ends, fields quoted as RFC 4180
// asks (a field holding a comma, a double quote, CR or LF is enclosed in
// double quotes, its quotes doubled). Numbers are written in the shortest
// form that reads back to the same double, with "." as the mark; a result
// held at single precision is written as that single's double
// (0.10000000149011612), which is what a data tool computes with.
// A spreadsheet in a locale whose decimal mark is a comma misreads such a
// file when it opens it directly; the workbook (VertexWorkbook.h) is the
// file for spreadsheets.

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
