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
    // With several responses defined: the value of each, index 0 = response
    // 1; the result box is not read then.
    QStringList responses = {};
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
// to "n". With several responses every value is checked in their order
// where the result would be ("The result of Yield must be numeric."), they
// are stored for the new vertex and its result is their D. ok is false when refused; the focus goes back to the result box
// (to the level grid for a bad level). With a vertex waiting to be measured
// again, the result is its new measurement (RecordAgain) and the level
// cells are not read.
StepsOutcome NextStep(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                      const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

// Trial Failed: the trial on show could not be run. The checks of Next Step
// but the result's, then the question (TrialFailedQuestion, through
// hooks.confirm; No changes nothing); then as Next Step, the trial recorded
// with the result 0, marked failed, scored the worst there is, and
// RecordResponse left alone. With a vertex waiting to be measured again, it
// is that measurement that failed.
StepsOutcome TrialFailed(core::OptimizationProblem& problem, core::RunTimeState& runTime, const StepInput& input,
                         const EngineHooks& hooks = {}, const QLocale& locale = QLocale());
core::Message TrialFailedQuestion();

// The most vertices the history can count.
inline constexpr int MaxVertices = 32767;

} // namespace zeltomir::simplex
