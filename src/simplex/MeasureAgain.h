#pragma once

// Measuring a vertex of the current simplex again, and what follows any
// change to a result the simplex holds (a re-measurement, a correction): the
// simplex ranked anew and the next trial proposed from it.

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

// The row of the current simplex that holds vertex v; 0 when none does.
int SimplexRowOf(const core::OptimizationProblem& problem, int vertex);

// True while a measured reflection waits for its extension or contraction:
// the step is half done, and the simplex it started from must stay as it is.
bool StepInProgress(const core::OptimizationProblem& problem);

inline const QString FinishStepBeforeAgain =
    QStringLiteral("Finish the step in progress before measuring a vertex again.");

// A vertex of the current simplex as the list to choose from shows it.
struct SimplexVertex {
    int vertex = 0;
    QStringList levels; // natural levels of factors 1..k, as the vertex summary shows them
    QString result;
};

// The k+1 vertices of the current simplex, in order of their numbers.
std::vector<SimplexVertex> CurrentSimplexVertices(const core::OptimizationProblem& problem,
                                                  const QLocale& locale = QLocale());

// Starts the re-measurement of vertex N: refused (nothing changes) unless a
// trial is on show, no step is in progress and N is a vertex of the current
// simplex. The steps window then shows the vertex's levels, not editable,
// until Next Step records the new result or the re-measurement is cancelled.
StepsOutcome MeasureAgain(core::OptimizationProblem& problem, core::RunTimeState& runTime, int vertex,
                          const QLocale& locale = QLocale());

// Puts back the trial that was on show; records nothing.
StepsOutcome CancelMeasureAgain(core::OptimizationProblem& problem, core::RunTimeState& runTime,
                                const QLocale& locale = QLocale());

// The trial shown while vertex N waits to be measured again.
Trial AgainTrial(const core::OptimizationProblem& problem, int vertex, const QLocale& locale = QLocale());

// Records the new measurement of the vertex waiting for it (failed: no
// result could be had) as a new vertex of type "A" at the same coded levels,
// which takes the old vertex's place in the simplex; then ranks and proposes
// as ProposeFromRescoredSimplex. The caller has checked the result and the
// room for one more vertex.
void RecordAgain(core::OptimizationProblem& problem, float result, bool failed);

// After a result of the simplex changed: ranks all k+1 rows by objective
// (equal objectives keep their order) and proposes the reflection of the
// lowest through the centroid of the others, falling back at the limits as
// the first trial of a run does. Counts no retention; the trial is shown
// rounded, with "Use the Reflection".
void ProposeFromRescoredSimplex(core::OptimizationProblem& problem);

} // namespace zeltomir::simplex
