#include "simplex/BeginOptimization.h"

#include "simplex/EngineSupport.h"
#include "simplex/RankSimplex.h"
#include "simplex/SimplexMoves.h"
#include "simplex/SimplexTerms.h"
#include "simplex/TrialDisplay.h"

#include <vector>

namespace zeltomir::simplex {

StepsOutcome BeginOptimization(core::OptimizationProblem& problem, const EngineHooks& hooks, const QLocale& locale)
{
    StepsOutcome answer;
    if (problem.InitialSimplexDefined == QLatin1String("no") || !SimplexMatchesFactorCount(problem)) {
        answer.outcome = {{DefineInitialSimplexFirst()}, Focus::None, false};
        return answer;
    }
    if (hooks.storeUndoSnapshot)
        hooks.storeUndoSnapshot();
    problem.FirstStepPending = QStringLiteral("yes");

    const int k = problem.NumFactors;
    core::EnsureCapacity(problem, k, problem.NumVertices);
    std::vector<double> keys(static_cast<std::size_t>(k + 2));
    for (int i = 1; i <= k + 1; ++i) {
        const double objective = ObjectiveOf(problem.Goal, problem.TargetValue, problem.Simplex.value(k + 1, i));
        keys[static_cast<std::size_t>(i)] = objective;
        problem.Simplex.at(k + 4, i) = objective;
        problem.VertexHistory.at(k + 4, i) = objective;
        problem.Simplex.at(k + 3, i) = i;
    }
    RankSimplex(k + 1, k + 4, keys, problem.Simplex);
    ProposeFirstTrial(problem);

    StepsContent steps{FactorNames(problem), TrialOnShow(problem, false, locale)};
    if (problem.CurrentVertexType == VertexType::Reflection)
        steps.trial.instruction = InstructionText::EvaluateFirstReflection;
    answer.outcome.focus = Focus::StepsResult;
    answer.steps = std::move(steps);
    return answer;
}

} // namespace zeltomir::simplex
