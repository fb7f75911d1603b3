#pragma once

// The initial simplex window's grid: k+1 rows (vertices) by k+1 columns (the
// factors' natural levels, then "Result"), and its commit into Simplex and
// VertexHistory (coded levels, results at single precision). With several
// responses defined the one Result column gives way to a column per
// response, headed by its name; each row's values are stored as the
// vertex's responses and its result is their D.

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"

#include "core/ProblemRecord.h"

#include <QLocale>

namespace zeltomir::simplex {

// The grid as the window's creation fills it from the vertex history (natural
// levels and results of vertices 1..k+1; entries the history does not hold,
// as when NumFactors has grown since, count as 0). Creating the window also
// sets NumVertices to k+1, unless trials beyond a committed initial simplex
// are recorded: looking at the initial simplex keeps them.
GridText LoadInitialSimplexGrid(core::OptimizationProblem& problem, const QLocale& locale = QLocale());

// The proposed corner simplex written over the window's current grid: headers
// FactorName(1..k) and "Result"; rows 1..k with factor i at its upper limit in
// row i and every other factor at its lower limit. Row k+1 and the Result
// column keep what `current` holds.
GridText FillInitialSimplexGrid(const core::OptimizationProblem& problem, GridText current,
                                const QLocale& locale = QLocale());

// Continue. In this order: a warning for each factor column whose cells all
// hold the same number (at single precision); the undo snapshot; the refusal
// when every response is zero (as doubles); then the commit of the levels and
// results, stopping at the first bad cell with what was stored before it
// kept; RecordResponse from the results; InitialSimplexDefined "yes". ok:
// close the window. The commit clears CurrentVertexType: no trial of the
// simplex it replaces can be stepped any more.
Outcome ContinueInitialSimplex(core::OptimizationProblem& problem, const GridText& grid,
                               const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

// One row of the grid as Continue's commit checks it: its levels, then its
// result, with the commit's messages and focus. ok: the commit will store
// the row. For a caller that takes the rows one at a time (the command-line
// runner), so that a bad cell is refused as it comes in, not after the
// whole simplex was measured.
Outcome CheckInitialSimplexRow(const core::OptimizationProblem& problem, const GridText& grid, int row,
                               const QLocale& locale = QLocale());

// The commit before a save: the levels and results only, with the same
// messages, and none of Continue's warnings, snapshot, zero check,
// RecordResponse or flag. ok: everything was committed. With trials beyond
// a committed initial simplex recorded nothing is committed (ok): the save
// keeps the run, and only Continue, with its snapshot, replaces it.
Outcome CommitInitialSimplexGrid(core::OptimizationProblem& problem, const GridText& grid,
                                 const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
