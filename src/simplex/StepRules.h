#pragma once

// The step rules: what happens to the result of the trial on show.

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"

#include <QLocale>

#include <vector>

namespace zeltomir::simplex {

// Records the trial as vertex NumVertices + 1 with the levels it was run at
// (naturalLevels[i - 1] for factor i: the level cells as the user left them)
// and its result (already at single precision), then decides the next trial:
// with StepType "Fixed" every vertex is accepted and the next trial is the
// reflection; otherwise a reflection is accepted, extended or contracted, an
// extension is kept or given up for its reflection, and a contraction is
// accepted. A trial that leaves the factor limits is replaced by a
// contraction, the last of which is clamped to the limits. Answers the trial
// the steps window shows next.
//
// The caller has checked what the step needs: a numeric result and level for
// every factor, limits that differ, a simplex committed for NumFactors, and
// room for one more vertex. OutOfLimits may be left "y"; the caller resets it.
Trial ProcessStepResult(core::OptimizationProblem& problem, float result, const std::vector<double>& naturalLevels,
                        const QLocale& locale = QLocale());

// The same step without the texts of the trial: true when the trial is to
// be shown rounded to the factors' decimals.
// failed: the trial could not be run; it is recorded with the result 0 and
// the objective of a failed vertex, the worst there is.
bool AdvanceStep(core::OptimizationProblem& problem, float result, const std::vector<double>& naturalLevels,
                 bool failed = false);

// Makes room in every table for vertex n.
void MakeRoomForVertex(core::OptimizationProblem& problem, int n);

// After the limits have changed during a run: a trial on show that now lies
// outside them is proposed again inside them as the step that proposed it
// would have done under these limits (the moves tried in turn at the limits,
// after the type it evaluated), and an extension that no longer fits gives
// way to its reflection, which is kept. True when the trial changed.
bool KeepTrialOnShowInsideLimits(core::OptimizationProblem& problem);

} // namespace zeltomir::simplex
