#pragma once

// The rules of the problem setup window: the number of factors, the goal with
// its target, the step type, and the checks before the initial simplex.

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace zeltomir::simplex {

// The count check of the number-of-factors box, run on every change of the
// box, by Define Factors, by the factor window's close and by Define Initial
// Simplex. A number is taken at single precision and rounded to the nearest
// whole number (halves to even, so 2.5 gives 2); a count above MaxFactors is
// refused and NumFactors kept, anything else (0 and negatives too) becomes
// NumFactors. ok is the routine's "yes"; on "no" the focus goes to the box.
Outcome CheckFactorCount(core::OptimizationProblem& problem, const QString& countText,
                         const QLocale& locale = QLocale());

// Goal option buttons: index 0 "max", 1 "min", 2 "mid".
int GoalOptionIndex(const core::Choice<core::Goal>& goal); // "max" 0, "min" 1, anything else 2
// A click on goal option `index`; choosing the target goal also takes the
// target box's text as TargetValue (at single precision) when it is a number.
// When that changes what the results score (the goal, or the target of the
// target goal) while a run is under way (ReadinessOf is Ready), the undo
// snapshot is stored first and the objectives are scored anew
// (RescoreObjectives). Answers whether they were. Nothing changes while
// several responses are defined.
bool ChooseGoalOption(core::OptimizationProblem& problem, int index, const QString& targetText,
                      const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

// Scores every stored result anew for the goal and target the record holds:
// the objectives of the vertex history and of the simplex rows, and
// LastObjective; then ranks the retained rows 2..k+1 again. Row 1 (the vertex
// the trial moves away from) stays, and so do the centroid, the step vector
// and the trial on show.
void RescoreObjectives(core::OptimizationProblem& problem);
// Step-size option buttons: index 1 "Fixed", any other "Variable".
void ChooseStepType(core::OptimizationProblem& problem, int index);
// The target box's text when the window loads.
QString TargetText(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

struct DefineInitialSimplexResult {
    Outcome outcome;
    GridText grid; // the initial simplex window's grid when ok (headers in row 0)
};

// Define Initial Simplex: with the target goal the target must be a number
// (it is stored at once, even when the count then fails, and a run under way
// is scored anew for it as by ChooseGoalOption); then the count
// check; then at least 2 factors, every one of them defined (limits no
// longer at their start-up markers). When all pass the initial simplex grid is
// filled (openGrid: the grid of the window when it is already open, nullopt
// to create it, which first loads it from the vertex history) and Stage
// becomes "SeqSimplexInitialize". ok: show the initial simplex window.
DefineInitialSimplexResult DefineInitialSimplex(core::OptimizationProblem& problem, const QString& countText,
                                                const QString& targetText,
                                                const std::optional<GridText>& openGrid,
                                                const EngineHooks& hooks = {}, const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
