#include "simplex/RunProgress.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"

#include "core/LevelScaling.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zeltomir::simplex {

namespace {

// The vertex with the best objective for the goal now set; the first of
// equally good ones, since a later one equal to it is no improvement.
std::optional<BestResult> BestOf(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    const core::Matrix& history = problem.VertexHistory;
    std::optional<BestResult> best;
    double bestObjective = -std::numeric_limits<double>::infinity();
    for (int v = 1; v <= problem.NumVertices; ++v) {
        const double result = history.value(k + 1, v);
        const double objective = ObjectiveOf(problem.Goal, problem.TargetValue, result);
        if (best && !(objective > bestObjective))
            continue;
        bestObjective = objective;
        best = BestResult{v, result, {}};
    }
    if (best) {
        for (int i = 1; i <= k; ++i) {
            const core::Factor factor = FactorOf(problem, i);
            best->levels.push_back(core::ToNatural(factor.LowerLimit, factor.UpperLimit, history.value(i, best->vertex)));
        }
    }
    return best;
}

std::vector<FactorExtent> ExtentsOf(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    std::vector<FactorExtent> extents;
    for (int i = 1; i <= k; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        double lowest = std::numeric_limits<double>::infinity();
        double highest = -lowest;
        for (int r = 1; r <= k + 1; ++r) {
            const double level = core::ToNatural(factor.LowerLimit, factor.UpperLimit, problem.Simplex.value(i, r));
            lowest = std::min(lowest, level);
            highest = std::max(highest, level);
        }
        extents.push_back({factor.FactorName, highest - lowest, LevelResolution(factor.SignificantDigits)});
    }
    return extents;
}

// The retained vertex kept in the most simplexes, with the count; a vertex
// stays in the simplex from its entry until it is replaced, so its retention
// count is a run of successive simplexes. The vertex the trial moves away
// from (row 1) is left out: in a simplex marching on, every vertex is in k+1
// simplexes by the time it is given up, and only one that is still kept
// after that is the sign of a simplex circling.
std::optional<std::pair<int, int>> LongestKept(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    std::optional<std::pair<int, int>> longest;
    for (int r = 2; r <= k + 1; ++r) {
        const double number = problem.Simplex.value(k + 3, r);
        if (!(number >= 1 && number <= problem.NumVertices) || std::floor(number) != number)
            continue;
        const int vertex = static_cast<int>(number);
        const int kept = static_cast<int>(problem.VertexHistory.value(k + 3, vertex));
        if (!longest || kept > longest->second || (kept == longest->second && vertex < longest->first))
            longest = std::pair(vertex, kept);
    }
    return longest;
}

} // namespace

double LevelResolution(double decimals)
{
    const bool shownAsAsked = decimals >= 0 && decimals <= 9 && std::floor(decimals) == decimals;
    return std::pow(10.0, -(shownAsAsked ? decimals : 10));
}

RunProgress AssessRun(const core::OptimizationProblem& problem)
{
    RunProgress progress;
    const StepReadiness readiness = ReadinessOf(problem);
    if (readiness == StepReadiness::NoInitialSimplex)
        return progress;
    progress.vertexCount = problem.NumVertices;
    progress.best = BestOf(problem);
    if (readiness != StepReadiness::Ready)
        return progress;
    progress.extents = ExtentsOf(problem);

    const int k = problem.NumFactors;
    if (const auto kept = LongestKept(problem); kept && kept->second >= k + 1)
        progress.advice.push_back(
            {AdviceRule::VertexKept,
             QStringLiteral("Vertex %1 has been kept in %2 successive simplexes: measure it again; if its result "
                            "holds, the simplex is circling the optimum.")
                 .arg(kept->first)
                 .arg(kept->second)});
    const bool belowResolution = std::all_of(progress.extents.begin(), progress.extents.end(),
                                             [](const FactorExtent& f) { return f.extent < f.resolution; });
    if (belowResolution)
        progress.advice.push_back({AdviceRule::BelowResolution,
                                   QStringLiteral("The simplex is now smaller than the factors can be set at the "
                                                  "shown decimals: further trials repeat levels already run.")});
    const int sinceBest = progress.best ? problem.NumVertices - progress.best->vertex : 0;
    if (sinceBest >= 2 * (k + 1))
        progress.advice.push_back(
            {AdviceRule::NoImprovement, QStringLiteral("No better result in the last %1 trials.").arg(sinceBest)});
    return progress;
}

} // namespace zeltomir::simplex
