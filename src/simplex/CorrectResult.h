#pragma once

// Correct Result: a result found mistyped after later trials were run.

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace zeltomir::simplex {

inline const QString CorrectionBeforeBegin =
    QStringLiteral("Until Begin Optimization, the results of the initial simplex are changed in the Initial "
                   "Simplex window.");
inline const QString FinishStepBeforeCorrection =
    QStringLiteral("Finish the step in progress first, or use Undo and enter the result again.");
inline const QString CorrectionOfSeveralResponses =
    QStringLiteral("With several responses each response is corrected on its own: choose the response.");
inline const QString CorrectionRecorded =
    QStringLiteral("The correction is recorded.  The trials already run were chosen with the first value and stay "
                   "as they are.");

// Gives vertex v the result typed (checked as any result). Refused, with
// nothing changed: before Begin Optimization has proposed a trial, for a
// vertex the history does not hold, while several responses are defined
// (one value cannot stand for them: CorrectResponse), for a result that is
// not a number, and
// for a vertex of the current simplex (or the reflection just measured)
// while a step is in progress. Then the undo snapshot; the first value is
// kept (a second correction keeps the first), a failed vertex becomes a
// measured one with no first value; the objective is scored anew and
// RecordResponse stays. A vertex of the current simplex moves the simplex:
// it is ranked again and the trial proposed again (ProposeFromRescoredSimplex),
// which the answer carries; for any other vertex only the history changes,
// and the answer says so (CorrectionRecorded).
StepsOutcome CorrectResult(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                           const QString& result, const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

// The same where several responses are defined: response r (from 1) of
// vertex v takes the value typed, and the vertex's D and objective follow
// from its values. The first value kept is the vertex's first D, the result
// the trials that followed were chosen by. Refused as CorrectResult is, and
// for a response the problem does not define, and for a failed vertex: it
// has no values beside the one corrected to make a D of.
// Why vertex v cannot be corrected now, whatever value were typed (before
// Begin Optimization, a vertex the history does not hold, one the step in
// progress uses, a failed vertex with several responses); nullopt when it
// can. The window asks for no value then.
std::optional<core::Message> CorrectionRefusal(const core::OptimizationProblem& problem, int vertex);

StepsOutcome CorrectResponse(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                             int response, const QString& value, const EngineHooks& hooks = {},
                             const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
