#include "simplex/RunProgress.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"
#include "simplex/VertexView.h"


#include <algorithm>
#include <cmath>
#include <limits>

namespace zeltomir::simplex {

namespace {

// The vertex with the best objective for the goal now set; the first of
// equally good ones, since a later one equal to it is no improvement.
std::optional<BestResult> BestOf(const core::OptimizationProblem& problem)
{
    BestSoFar best(problem);
    for (int v = 1; v <= problem.NumVertices; ++v)
        best.add(v, Vertex(problem, v).result());
    if (!best.any())
        return std::nullopt;
    BestResult result{best.vertex(), best.result(), Vertex(problem, best.vertex()).naturalLevels(), {}};
    for (int i = 1; i <= static_cast<int>(problem.Responses.size()); ++i)
        result.responses.push_back(problem.VertexResponses.value(i, best.vertex()));
    return result;
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
            const double level = NaturalLevel(factor, SimplexLevel(problem, r, i));
            lowest = std::min(lowest, level);
            highest = std::max(highest, level);
        }
        extents.push_back({factor.FactorName, highest - lowest, LevelResolution(factor.SignificantDigits)});
    }
    return extents;
}

// Spendley, Hext and Himsworth's age at which a vertex kept all along is
// worth measuring again: 1.65k + 0.05k^2 successive simplexes, rounded up to
// whole simplexes (4 for two factors, 6 for three). k+1 comes too early: a
// simplex that zigzags uphill, or contracts along a limit, keeps its newest
// best vertex for k+1 simplexes before it moves on, while one turning around
// a vertex keeps it longer (a fixed-size simplex in two factors, for 6).
int CirclingSimplexes(int k)
{
    return (165 * k + 5 * k * k + 99) / 100;
}

// The retained vertex that holds the best result of the run and has been
// kept longest, with its count. A vertex stays in the simplex from its entry
// until it is replaced, so its retention count is a run of successive
// simplexes; holding the best result, it has seen no better one in all of
// them: the simplex has stopped making progress around it. The vertex the
// trial moves away from (row 1) is on its way out and left out.
std::optional<std::pair<int, int>> KeptAsBest(const core::OptimizationProblem& problem, const BestResult& best)
{
    const double bestObjective = ResultObjective(problem, best.vertex, best.result);
    const std::vector<std::optional<int>> rows = SimplexVertices(problem);
    std::optional<std::pair<int, int>> longest;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        if (!rows[r])
            continue;
        const Vertex kept(problem, *rows[r]);
        if (ResultObjective(problem, kept.number(), kept.result()) < bestObjective)
            continue;
        const int vertex = kept.number();
        const int times = static_cast<int>(kept.timesRetained());
        if (!longest || times > longest->second || (times == longest->second && vertex < longest->first))
            longest = std::pair(vertex, times);
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
    const auto kept = progress.best ? KeptAsBest(problem, *progress.best) : std::nullopt;
    if (kept && kept->second >= CirclingSimplexes(k))
        progress.advice.push_back(
            {AdviceRule::VertexKept,
             QStringLiteral("Vertex %1 has been kept in %2 successive simplexes: measure it again with Measure Again; if its result "
                            "holds, the simplex is circling the optimum.")
                 .arg(kept->first)
                 .arg(kept->second),
             kept->first});
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
