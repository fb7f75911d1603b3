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

// Next Step (the button or Enter in the result box). In this order:
// FirstStepPending "no" and Stage "Steps"; the undo snapshot; Modified "yes";
// the result must be a number ("The result must be numeric."). Then, before
// anything else changes, the step is refused when the simplex does not fit
// the current number of factors, when the vertex history is full (vertex
// numbers are 16-bit), or when a level cell is not a number or a factor's
// limits coincide; like a bad result, a refusal keeps the first three changes
// (the snapshot is the way back). Otherwise RecordResponse is updated, the step
// rules run and OutOfLimits goes back to "n". ok is false when refused; the
// focus goes back to the result box (to the level grid for a bad level).
StepsOutcome NextStep(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                      const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

// The most vertices the history can count.
inline constexpr int MaxVertices = 32767;

} // namespace zeltomir::simplex
