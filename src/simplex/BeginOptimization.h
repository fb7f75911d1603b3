#pragma once

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"

#include <QLocale>

namespace zeltomir::simplex {

// Begin Optimization (the setup window's button). Refused with "You must
// define the initial simplex before continuing." while no initial simplex
// has been committed, and also when it was committed for another number of
// factors than NumFactors holds now (nothing is stored then). Otherwise: the
// undo snapshot; FirstStepPending "yes"; each simplex row gets its objective
// (also into the vertex history) and its vertex number 1..k+1; the rows are
// ranked, lowest objective first; the first trial is proposed. ok: the steps
// window opens with the answer's content (names and levels, and the caption
// "Evaluate the Reflection (R)" for a reflection or the contraction's
// instruction) and the focus in its result box.
StepsOutcome BeginOptimization(core::OptimizationProblem& problem, const EngineHooks& hooks = {},
                               const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
