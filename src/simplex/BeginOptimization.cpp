#include "simplex/BeginOptimization.h"

#include "simplex/EngineSupport.h"
#include "simplex/RankSimplex.h"
#include "simplex/SimplexMoves.h"
#include "simplex/SimplexTerms.h"
#include "simplex/TrialDisplay.h"
#include "simplex/VertexStatus.h"

#include <vector>

namespace zeltomir::simplex {

namespace {

// What the initial simplex commit leaves in RecordResponse: the lowest of the
// initial results, starting from a value above any of them.
double InitialRecordResponse(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    double record = core::AimsAtTarget(problem.Goal) ? problem.TargetValue + 9999999 : 9999999;
    for (int v = 1; v <= k + 1; ++v) {
        const double result = problem.VertexHistory.value(k + 1, v);
        if (result < record)
            record = result;
    }
    return record;
}

// Begin Optimization is also pressed mid-run (from the setup window) and on a
// record saved after an earlier Begin, whose simplex rows are ranked and
// renumbered. Numbering the rows 1..k+1 is only right for the simplex as the
// commit wrote it (row i = vertex i), so every Begin puts the record back to
// that start: the simplex rebuilt from the initial vertices of the history,
// the vertices of an abandoned run dropped (a new vertex row must start at
// zero), no retention counted yet, and the step working fields as a fresh
// commit leaves them. The undo snapshot taken before is the way back.
void RestoreCommittedStart(core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    core::EnsureCapacity(problem, k, k + 1);
    core::Matrix& history = problem.VertexHistory;
    for (int v = 1; v <= k + 1; ++v) {
        for (int c = 1; c <= k + 1; ++c)
            problem.Simplex.at(c, v) = history.value(c, v);
        history.at(k + 3, v) = 0;
    }
    for (int v = k + 2; v <= history.maxRow(); ++v) {
        for (int c = 0; c <= history.maxCol(); ++c)
            history.at(c, v) = 0;
    }
    problem.NumVertices = static_cast<std::int16_t>(k + 1);
    problem.Stage = core::Stage::SeqSimplexInitialize;
    problem.RecordResponse = InitialRecordResponse(problem);
    problem.PreviousResult = 0;
    problem.LastResult = 0;
    problem.LastObjective = 0;
    problem.NextVertexType = {};
    problem.PreviousVertexType = {};
    problem.Instruction.clear();
    problem.InstructionFlag.clear();
    // A "y" left standing would make the first reflection count as outside the limits.
    problem.OutOfLimits = QStringLiteral("n");
}

} // namespace

core::Message StartAgainQuestion(int droppedTrials)
{
    const QString dropped = droppedTrials == 1
        ? QStringLiteral("The 1 trial recorded since will be dropped (Undo brings it back).")
        : QStringLiteral("The %1 trials recorded since will be dropped (Undo brings them back).").arg(droppedTrials);
    return {QStringLiteral("Warning!"),
            QStringLiteral("Begin Optimization starts again from the initial simplex.  %1  Start again?").arg(dropped),
            core::MessageIcon::Question};
}

StepsOutcome BeginOptimization(core::OptimizationProblem& problem, const EngineHooks& hooks, const QLocale& locale)
{
    StepsOutcome answer;
    if (ReadinessOf(problem) == StepReadiness::NoInitialSimplex) {
        answer.outcome = {{NoFittingSimplexMessage(problem)}, Focus::None, false};
        return answer;
    }
    const int dropped = problem.NumVertices - (problem.NumFactors + 1);
    if (dropped > 0 && hooks.confirm && !hooks.confirm(StartAgainQuestion(dropped))) {
        answer.outcome = {{}, Focus::None, false};
        return answer;
    }
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    problem.FirstStepPending = QStringLiteral("yes");
    RestoreCommittedStart(problem);

    const int k = problem.NumFactors;
    std::vector<double> keys(static_cast<std::size_t>(k + 2));
    for (int i = 1; i <= k + 1; ++i) {
        const double objective = ResultObjective(problem, i, problem.Simplex.value(k + 1, i));
        keys[static_cast<std::size_t>(i)] = objective;
        problem.Simplex.at(k + 4, i) = objective;
        problem.VertexHistory.at(k + 4, i) = objective;
        problem.Simplex.at(k + 3, i) = i;
    }
    RankSimplex(k + 1, k + 4, keys, problem.Simplex);
    ProposeFirstTrial(problem);
    // Stored, not only shown: a steps window reopened before the first result
    // is taken (after a refused result, from a file or the View menu) shows
    // the stored instruction, as it does for the contractions.
    if (problem.CurrentVertexType == VertexType::Reflection)
        problem.Instruction = InstructionText::EvaluateFirstReflection;

    answer.outcome.focus = Focus::StepsResult;
    answer.steps = StepsContent{FactorNames(problem), TrialOnShow(problem, false, locale)};
    return answer;
}

} // namespace zeltomir::simplex
