#include "simplex/PlotContent.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"
#include "simplex/VertexView.h"

#include "core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    for (const std::optional<int>& vertex : SimplexVertices(problem)) {
        if (vertex)
            vertices.push_back(*vertex);
    }
    std::sort(vertices.begin(), vertices.end());
    return vertices;
}

int RetentionOf(const core::OptimizationProblem& problem, int vertex)
{
    const double kept = Vertex(problem, vertex).timesRetained();
    return kept >= 1 && kept <= problem.NumVertices + 1.0 ? static_cast<int>(kept) : 0;
}

// Room around the points of a plot on each side, as a share of their span:
// a marker on the edge is drawn whole, and the points still fill the plot.
constexpr double PointMargin = 0.06;
// Room beyond a factor's limits: enough for a marker on a limit.
constexpr double LimitMargin = 0.03;
// Room on each side of a lone value, as a share of the value (1 around 0).
constexpr double LoneValueRoom = 0.1;
// The band below the results where failed trials are marked, as a share of
// the result axis: room for a marker whole, off the results' markers.
constexpr double FailedBand = 0.08;

// The smallest and largest of the finite values it was given.
class Span {
public:
    void add(double value)
    {
        if (!std::isfinite(value))
            return;
        m_low = std::min(m_low, value);
        m_high = std::max(m_high, value);
    }
    bool empty() const { return m_low > m_high; }
    bool wide() const { return m_high > m_low; }
    double width() const { return wide() ? m_high - m_low : 0; }

    // `share` of the span beyond each end; a single value gets `room` on
    // each side, or LoneValueRoom of itself when room is 0. An empty span
    // is 0 to 1.
    AxisRange padded(double share, double room = 0) const
    {
        if (empty())
            return {};
        if (room <= 0)
            room = m_low != 0 ? std::fabs(m_low) * LoneValueRoom : 1;
        const double margin = wide() ? (m_high - m_low) * share : room;
        // Values near the ends of the doubles have no room beyond them.
        constexpr double most = std::numeric_limits<double>::max();
        return {std::max(m_low - margin, -most), std::min(m_high + margin, most)};
    }

private:
    double m_low = std::numeric_limits<double>::infinity();
    double m_high = -std::numeric_limits<double>::infinity();
};

// The limits of a factor that have been defined: the start-up markers only
// say that the factor window has not been committed yet.
Span DefinedLimits(const core::Factor& factor)
{
    Span limits;
    if (factor.LowerLimit != core::UndefinedLowerLimit)
        limits.add(factor.LowerLimit);
    if (factor.UpperLimit != core::UndefinedUpperLimit)
        limits.add(factor.UpperLimit);
    return limits;
}

// One axis of the path plot; `visited` holds the coordinates of the points.
AxisRange PathAxis(const core::Factor& factor, const Span& visited, PathRange range)
{
    const Span limits = DefinedLimits(factor);
    // Points all on one level get the room they would have across the limits.
    if (range == PathRange::Visited && !visited.empty())
        return visited.padded(PointMargin, limits.width() * PointMargin);
    if (limits.wide())
        return limits.padded(LimitMargin);
    return visited.empty() ? limits.padded(LimitMargin) : visited.padded(PointMargin);
}

std::vector<QLineF> Outline(const std::vector<QPointF>& corners)
{
    std::vector<QLineF> edges;
    for (std::size_t a = 0; a < corners.size(); ++a)
        for (std::size_t b = a + 1; b < corners.size(); ++b)
            edges.emplace_back(corners[a], corners[b]);
    return edges;
}

// The points of the path plot; the axes are added by BuildPathPlot.
PathPlot PathPoints(const core::OptimizationProblem& problem, int xFactor, int yFactor)
{
    PathPlot plot;
    const int k = problem.NumFactors;
    plot.xFactor = std::clamp(xFactor, 1, std::max(1, k));
    plot.yFactor = std::clamp(yFactor, 1, std::max(1, k));
    const core::Factor x = FactorOf(problem, plot.xFactor);
    const core::Factor y = FactorOf(problem, plot.yFactor);
    plot.xName = x.FactorName;
    plot.yName = y.FactorName;
    if (ReadinessOf(problem) == StepReadiness::NoInitialSimplex)
        return plot;

    const auto natural = [&](double codedX, double codedY) {
        return QPointF(NaturalLevel(x, codedX), NaturalLevel(y, codedY));
    };
    for (int v = 1; v <= problem.NumVertices; ++v) {
        const Vertex vertex(problem, v);
        plot.vertices.push_back(natural(vertex.level(plot.xFactor), vertex.level(plot.yFactor)));
    }
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

ResponsePlot BuildResponsePlot(const core::OptimizationProblem& problem, int response)
{
    ResponsePlot plot;
    const int m = static_cast<int>(problem.Responses.size());
    const core::ResponseDefinition* shown =
        response >= 1 && response <= m ? &problem.Responses[static_cast<std::size_t>(response - 1)] : nullptr;
    if (shown)
        plot.valueCaption = shown->name;
    else if (m > 0)
        plot.valueCaption = QStringLiteral("D");
    if (ReadinessOf(problem) == StepReadiness::NoInitialSimplex)
        return plot;
    const auto valueOf = [&](int v, double result) {
        return shown ? problem.VertexResponses.value(response, v) : result;
    };
    const std::vector<int> simplex = CurrentSimplex(problem);
    BestSoFar best(problem);
    for (int v = 1; v <= problem.NumVertices; ++v) {
        const Vertex vertex(problem, v);
        const double result = vertex.result();
        const double code = vertex.typeCode();
        plot.points.push_back({v, valueOf(v, result), std::isfinite(code) ? static_cast<int>(code) : -1,
                               std::binary_search(simplex.begin(), simplex.end(), v), vertex.failed()});
        best.add(v, result);
        plot.bestSoFar.push_back(best.any() ? valueOf(best.vertex(), best.result()) : best.result());
    }
    Span results;
    bool anyFailed = false;
    for (const ResponsePoint& point : plot.points) {
        anyFailed = anyFailed || point.failed;
        if (!point.failed)
            results.add(point.result);
    }
    if (shown && shown->goal == core::ResponseGoal::Target) {
        plot.target = shown->target;
        plot.targetCaption = QStringLiteral("Target = %1").arg(core::ShortestSingleForm(shown->target));
        results.add(shown->target);
    } else if (!shown && m == 0 && core::AimsAtTarget(problem.Goal)) {
        plot.target = problem.TargetValue;
        plot.targetCaption = QStringLiteral("Target = %1").arg(core::ShortestSingleForm(problem.TargetValue));
        results.add(problem.TargetValue);
    }
    plot.vertexAxis = {0, std::max(4.0, problem.NumVertices + 1.0)};
    plot.resultAxis = results.padded(PointMargin);
    if (anyFailed) {
        const double band = (plot.resultAxis.upper - plot.resultAxis.lower) * FailedBand;
        plot.resultAxis.lower -= band;
        plot.failedLevel = plot.resultAxis.lower + band / 2;
    }
    return plot;
}

PathPlot BuildPathPlot(const core::OptimizationProblem& problem, int xFactor, int yFactor, PathRange range)
{
    PathPlot plot = PathPoints(problem, xFactor, yFactor);
    Span xs;
    Span ys;
    for (const QPointF& vertex : plot.vertices) {
        xs.add(vertex.x());
        ys.add(vertex.y());
    }
    if (plot.trial) {
        xs.add(plot.trial->x());
        ys.add(plot.trial->y());
    }
    plot.xAxis = PathAxis(FactorOf(problem, plot.xFactor), xs, range);
    plot.yAxis = PathAxis(FactorOf(problem, plot.yFactor), ys, range);
    return plot;
}

PathFactors ChoosePathFactors(int numFactors, PathFactors shown, PathFactors wanted)
{
    const int k = std::max(1, numFactors);
    const auto valid = [k](int factor) { return factor >= 1 && factor <= k; };
    PathFactors chosen{valid(wanted.across) ? wanted.across : 1, valid(wanted.up) ? wanted.up : std::min(2, k)};
    if (chosen.across != chosen.up || k < 2)
        return chosen;
    const auto otherThan = [&valid](int given, int kept) {
        return valid(given) && given != kept ? given : kept == 1 ? 2 : 1;
    };
    if (wanted.up != shown.up && wanted.across == shown.across)
        chosen.across = otherThan(shown.up, chosen.up);
    else
        chosen.up = otherThan(wanted.across != shown.across ? shown.across : shown.up, chosen.across);
    return chosen;
}

} // namespace zeltomir::simplex
