#pragma once

// The vertex summary as an Excel workbook, the file for spreadsheets: a
// spreadsheet opens it with every number a number and every name as typed,
// whatever its language settings, where a CSV file is read by the rules of
// the user's locale (a German spreadsheet takes 1.125 for 1125).
//
// One sheet, "Vertex Summary": the vertex table's header in row 1 (frozen,
// so it stays in view), one row per vertex below it, exactly the columns of
// the CSV file (VertexTable.h). Numbers are values: a level as the double
// it is, a result or response held at single precision as the shortest
// decimal that single stands for (69.4 as typed, not 69.4000015258789).
// Names, types and status words are strings, never formulas, even where
// they begin with "="; empty cells are left out.

#include "core/FileStatus.h"
#include "core/ProblemRecord.h"

#include <QString>

namespace zeltomir::simplex {

// Builds the workbook in a temporary folder and then replaces the file
// with it in one write: a failure leaves an existing file as it was.
core::FileStatus WriteVertexWorkbook(const core::OptimizationProblem& problem, const QString& path);

} // namespace zeltomir::simplex
