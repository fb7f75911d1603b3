#pragma once

// The factor window's grid: one row per factor with its name, lower limit,
// upper limit and decimals, and its commit into the factor table.

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"

#include "core/ProblemRecord.h"

#include <QLocale>

namespace zeltomir::simplex {

// The grid as the window loads it: NumFactors rows (none for a count of 0 or
// less) with headers "Factor Name", "Lower Limit", "Upper Limit", "Decimal
// Places". Limits still at their start-up markers show as "0" and "999".
GridText LoadFactorGrid(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

// Commits rows 1..NumFactors column by column (names, lower limits, upper
// limits, decimals), each column from the first row down, and stops at the
// first bad cell; whatever was stored before it stays stored. An upper limit
// equal to its row's lower limit (at single precision) is a bad cell too:
// the coded scale between them would divide by zero; so is one whose
// distance from the lower limit is beyond any double. Decimals are rounded to
// a whole number (halves to even) and stored as 5 when 0 or less; a value
// beyond 16 bits is refused like text. Sets Stage "DefineFactors" whatever
// the outcome and FactorGridInvalid "n" or "y". ok: FactorGridInvalid is "n".
// Once an initial simplex is committed, a factor whose limits change has
// every stored level re-coded on the new limits (vertex history, simplex
// rows, centroid, trial, step vector), so that each natural level stays what
// was run; the run goes on where it was, only the limit checks move.
Outcome CommitFactorGrid(core::OptimizationProblem& problem, core::RunTimeState& runTime, const GridText& grid,
                         const QLocale& locale = QLocale());

// Continue: the undo snapshot first, then the commit. ok: close the window.
Outcome ContinueFactorGrid(core::OptimizationProblem& problem, core::RunTimeState& runTime, const GridText& grid,
                           const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
