#include "simplex/PlotContent.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"

#include "core/LevelScaling.h"

#include <algorithm>
#include <cmath>

namespace zeltomir::simplex {

namespace {

// The vertex numbers the record's simplex rows hold, ascending; before Begin
// Optimization has numbered them, the initial vertices.
std::vector<int> CurrentSimplex(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    std::vector<int> vertices;
    if (ReadinessOf(problem) != StepReadiness::Ready) {
        for (int v = 1; v <= k + 1; ++v)
            vertices.push_back(v);
        return vertices;
    }
    for (int r = 1; r <= k + 1; ++r) {
        const double number = problem.Simplex.value(k + 3, r);
        if (number >= 1 && number <= problem.NumVertices && std::floor(number) == number)
            vertices.push_back(static_cast<int>(number));
    }
    std::sort(vertices.begin(), vertices.end());
    return vertices;
}

int RetentionOf(const core::OptimizationProblem& problem, int vertex)
{
    const double kept = problem.VertexHistory.value(problem.NumFactors + 3, vertex);
    return kept >= 1 && kept <= problem.NumVertices + 1.0 ? static_cast<int>(kept) : 0;
}

std::vector<QLineF> Outline(const std::vector<QPointF>& corners)
{
    std::vector<QLineF> edges;
    for (std::size_t a = 0; a < corners.size(); ++a)
        for (std::size_t b = a + 1; b < corners.size(); ++b)
            edges.emplace_back(corners[a], corners[b]);
    return edges;
}

} // namespace

SimplexHistory::SimplexHistory(const core::OptimizationProblem& problem)
{
    const int k = problem.NumFactors;
    if (ReadinessOf(problem) != StepReadiness::Ready)
        return;
    int accepted = 0;
    for (int v = 1; v <= problem.NumVertices; ++v) {
        const int kept = RetentionOf(problem, v);
        if (kept == 0)
            continue;
        const bool initial = v <= k + 1;
        const int first = initial ? 0 : ++accepted;
        m_spans.push_back({v, first, first + kept - 1});
        m_last = std::max(m_last, first + kept - 1);
    }
    if (m_last < 0)
        return;
    // Every simplex on the way holds k+1 vertices, and the last is the record's.
    std::vector<int> change(static_cast<std::size_t>(m_last) + 2, 0);
    for (const Span& span : m_spans) {
        ++change[static_cast<std::size_t>(span.first)];
        --change[static_cast<std::size_t>(span.last) + 1];
    }
    int members = 0;
    m_consistent = true;
    for (int j = 0; j <= m_last && m_consistent; ++j) {
        members += change[static_cast<std::size_t>(j)];
        m_consistent = members == k + 1;
    }
    m_consistent = m_consistent && simplexAt(m_last) == CurrentSimplex(problem);
}

std::vector<int> SimplexHistory::simplexAt(int acceptance) const
{
    std::vector<int> vertices;
    for (const Span& span : m_spans) {
        if (span.first <= acceptance && acceptance <= span.last)
            vertices.push_back(span.vertex);
    }
    return vertices;
}

std::vector<SimplexHistory::Swap> SimplexHistory::swaps() const
{
    std::vector<Swap> swaps(static_cast<std::size_t>(std::max(0, m_last)));
    for (const Span& span : m_spans) {
        if (span.first >= 1 && span.first <= m_last)
            swaps[static_cast<std::size_t>(span.first - 1)].entering = span.vertex;
        if (span.last < m_last)
            swaps[static_cast<std::size_t>(span.last)].leaving = span.vertex;
    }
    return swaps;
}

ResponsePlot BuildResponsePlot(const core::OptimizationProblem& problem)
{
    ResponsePlot plot;
    if (ReadinessOf(problem) == StepReadiness::NoInitialSimplex)
        return plot;
    const int k = problem.NumFactors;
    const std::vector<int> simplex = CurrentSimplex(problem);
    double best = 0;
    double bestObjective = 0;
    for (int v = 1; v <= problem.NumVertices; ++v) {
        const double result = problem.VertexHistory.value(k + 1, v);
        const double code = problem.VertexHistory.value(k + 2, v);
        plot.points.push_back({v, result, std::isfinite(code) ? static_cast<int>(code) : -1,
                               std::binary_search(simplex.begin(), simplex.end(), v)});
        const double objective = ObjectiveOf(problem.Goal, problem.TargetValue, result);
        if (v == 1 || objective > bestObjective) {
            best = result;
            bestObjective = objective;
        }
        plot.bestSoFar.push_back(best);
    }
    if (problem.Goal != QLatin1String("max") && problem.Goal != QLatin1String("min"))
        plot.target = problem.TargetValue;
    return plot;
}

PathPlot BuildPathPlot(const core::OptimizationProblem& problem, int xFactor, int yFactor)
{
    PathPlot plot;
    const int k = problem.NumFactors;
    plot.xFactor = std::clamp(xFactor, 1, std::max(1, k));
    plot.yFactor = std::clamp(yFactor, 1, std::max(1, k));
    const core::Factor x = FactorOf(problem, plot.xFactor);
    const core::Factor y = FactorOf(problem, plot.yFactor);
    plot.xName = x.FactorName;
    plot.yName = y.FactorName;
    plot.xLower = x.LowerLimit;
    plot.xUpper = x.UpperLimit;
    plot.yLower = y.LowerLimit;
    plot.yUpper = y.UpperLimit;
    if (ReadinessOf(problem) == StepReadiness::NoInitialSimplex)
        return plot;

    const core::Matrix& history = problem.VertexHistory;
    const auto natural = [&](double codedX, double codedY) {
        return QPointF(core::ToNatural(x.LowerLimit, x.UpperLimit, codedX),
                       core::ToNatural(y.LowerLimit, y.UpperLimit, codedY));
    };
    for (int v = 1; v <= problem.NumVertices; ++v)
        plot.vertices.push_back(natural(history.value(plot.xFactor, v), history.value(plot.yFactor, v)));
    const auto corners = [&](const std::vector<int>& simplex) {
        std::vector<QPointF> points;
        for (const int v : simplex)
            points.push_back(plot.vertices[static_cast<std::size_t>(v - 1)]);
        return points;
    };
    const std::vector<int> current = CurrentSimplex(problem);
    plot.outline = Outline(corners(current));
    if (ReadinessOf(problem) == StepReadiness::Ready)
        plot.trial = natural(SlotOf(problem.TrialPoint, plot.xFactor), SlotOf(problem.TrialPoint, plot.yFactor));

    const SimplexHistory simplexes(problem);
    if (!simplexes.consistent()) {
        const std::vector<QPointF> points = corners(current);
        if (!points.empty()) {
            QPointF sum;
            for (const QPointF& p : points)
                sum += p;
            plot.centres.push_back(sum / static_cast<double>(points.size()));
        }
        return plot;
    }
    const int last = simplexes.lastAcceptance();
    const std::size_t edges = plot.outline.size();
    for (int j = last - 1; j >= std::max(0, last - EarlierOutlines); --j) {
        if ((plot.earlier.size() + 2) * edges > OutlineEdgeBudget)
            break;
        plot.earlier.push_back(Outline(corners(simplexes.simplexAt(j))));
    }
    // Each acceptance swaps one vertex, so the centres follow a running sum.
    const auto at = [&plot](int v) { return plot.vertices[static_cast<std::size_t>(v - 1)]; };
    QPointF sum;
    for (const int v : simplexes.simplexAt(0))
        sum += at(v);
    const double size = k + 1;
    plot.centres.push_back(sum / size);
    for (const SimplexHistory::Swap& swap : simplexes.swaps()) {
        sum += at(swap.entering) - at(swap.leaving);
        plot.centres.push_back(sum / size);
    }
    return plot;
}

} // namespace zeltomir::simplex
