#pragma once

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace zeltomir::simplex {

// What the steps window holds when the user commits a result.
struct StepInput {
    QString result;     // the result box (Text1)
    QStringList levels; // the level cells (grid column 2), index 0 = factor 1
};

// Next Step (the button or Enter in the result box). First the checks, in
// this order, each refusing the step with its message while nothing at all
// changes (no undo snapshot, no flag): a trial of a committed initial simplex
// must be on show (ReadinessOf), the result must be a number ("The result
// must be numeric."), the vertex history must have room (vertex numbers are
// 16-bit), every level cell must be a number, no factor's limits may
// coincide, and every level must lie within its factor's limits (compared
// at single precision, as the initial simplex compares them). Then FirstStepPending "no" and Stage "Steps"; the undo snapshot;
// Modified "yes"; RecordResponse updated; the step rules; OutOfLimits back
// to "n". ok is false when refused; the focus goes back to the result box
// (to the level grid for a bad level).
StepsOutcome NextStep(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                      const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

// The most vertices the history can count.
inline constexpr int MaxVertices = 32767;

} // namespace zeltomir::simplex
