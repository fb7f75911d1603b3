#pragma once

// The responses window's grid: one row per response with its name, goal,
// limits, target, importance and shapes, and its commit into the record.

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"

#include "core/ProblemRecord.h"

#include <QLocale>

namespace zeltomir::simplex {

// The goal as the grid shows it: "Maximize", "Minimize", "Target", "Track only".
QString ResponseGoalCaption(core::ResponseGoal goal);

// MaxResponses rows under the headers "Response Name", "Goal", "Lower
// Limit", "Upper Limit", "Target", "Importance", "Shape s", "Shape t"; the
// record's responses fill the first rows, the others stay empty.
GridText LoadResponseGrid(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

// Reads the rows down to the last one with any text and defines them as the
// problem's responses (DefineResponses, with its undo snapshot); a grid
// without any text goes back to one response. A goal is one of the captions
// or a file word, in any case; an empty goal maximises. Empty importance and
// shape cells take 1; the target is read for a target only, and the limits
// are not needed by a response only tracked. A cell that is no number
// refuses the whole grid, changing nothing; the message names the response
// and focusColumn/focusRow the cell (a refusal by DefineResponses names the
// row, with focusColumn 1).
Outcome CommitResponseGrid(core::OptimizationProblem& problem, const GridText& grid, const EngineHooks& hooks = {},
                           const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
