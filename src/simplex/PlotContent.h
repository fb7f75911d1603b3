#pragma once

// What the simplex plot window draws, computed from the record alone: the
// response of every vertex against its number with the best result so far,
// and the path of the simplex over two chosen factors in natural units, with
// the ranges of their axes. The texts beside them are in PlotText.

#include "core/ProblemRecord.h"

#include <QLineF>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

// The span of one axis, in the plot's own units.
struct AxisRange {
    double lower = 0;
    double upper = 1;

    friend bool operator==(const AxisRange&, const AxisRange&) = default;
};

struct ResponsePoint {
    int vertex = 0;
    double result = 0;
    int typeCode = 0;       // 0 Initial, 1 Reflection, 2 Extension, 3 Cr, 4 Cw, 5 Again; others as they are
    bool inSimplex = false; // one of the current simplex's vertices
    // A failed trial has no result to plot: it is marked at failedLevel.
    bool failed = false;

    friend bool operator==(const ResponsePoint&, const ResponsePoint&) = default;
};

struct ResponsePlot {
    // What the points are: "Result", or with several responses "D" (their
    // overall desirability, what the simplex maximises) or the name of the
    // one response plotted.
    QString valueCaption = QStringLiteral("Result");
    std::vector<ResponsePoint> points; // vertices 1..n
    // The best result among vertices 1..v, for each point: highest when
    // maximising, lowest when minimising, closest to the target otherwise.
    // Failed trials are left out.
    std::vector<double> bestSoFar;
    // Where the failed trials are marked: in a band along the lower edge,
    // below every result.
    double failedLevel = 0;
    std::optional<double> target; // with the target goal
    QString targetCaption;        // its legend entry, with the target as typed
    // The vertex numbers from 0 to one past the last (at least to 4), and
    // the results, the best so far and the target with room above and below
    // (and the band of the failed trials, when there are any);
    // before there is any result, 0 to 1 (or around the target).
    AxisRange vertexAxis{0, 4};
    AxisRange resultAxis;
};

// Which vertices formed each simplex since Begin Optimization. Every
// vertex stays in the simplex from the acceptance that takes it in until the
// one that replaces it, and each acceptance counts one retention for every
// vertex then in the simplex; so the retention counts alone tell each
// vertex's span of acceptances: the initial vertices from acceptance 0, every
// other accepted vertex from its rank among them in vertex order.
class SimplexHistory {
public:
    explicit SimplexHistory(const core::OptimizationProblem& problem);

    // The last acceptance (0: the simplex Begin Optimization ranked); -1
    // when no vertex has been retained yet.
    int lastAcceptance() const { return m_last; }
    // The vertices of the simplex after acceptance `acceptance`, ascending.
    std::vector<int> simplexAt(int acceptance) const;
    // False when the counts do not add up to a simplex of k+1 vertices after
    // every acceptance ending in the simplex the record holds (a record
    // altered by hand, say); nothing earlier is then drawn.
    bool consistent() const { return m_consistent; }

    // For acceptances 1..last in order, the vertex each took in and the one
    // it replaced (meaningful only when consistent).
    struct Swap {
        int entering = 0;
        int leaving = 0;
    };
    std::vector<Swap> swaps() const;

private:
    struct Span {
        int vertex = 0;
        int first = 0;
        int last = -1;
    };
    std::vector<Span> m_spans; // the vertices ever retained, in vertex order
    int m_last = -1;
    bool m_consistent = false;
};

// What the axes of the path plot span.
enum class PathRange {
    // The region the run has visited (every vertex and the trial on show)
    // with a margin: a simplex working in a corner of wide limits fills the
    // plot. Before the initial simplex, the limits.
    Visited,
    // The factors' limits ("Show the whole range").
    Whole,
};

struct PathPlot {
    int xFactor = 1; // 1..k
    int yFactor = 2;
    QString xName;
    QString yName;
    // In natural units. A limit still at its start-up marker (-9999999,
    // 9999999: not yet defined) is never spanned; with nothing else to span,
    // an axis runs from 0 to 1.
    AxisRange xAxis;
    AxisRange yAxis;
    std::vector<QPointF> vertices; // vertices 1..n in natural units
    // The current simplex's outline: every edge of its projection (for two
    // factors, a triangle).
    std::vector<QLineF> outline;
    // The outlines of the simplexes before it, the most recent first: at
    // most EarlierOutlines of them, and fewer where the edges would pass
    // OutlineEdgeBudget (many factors make a dense mesh that hides more than
    // it shows).
    std::vector<std::vector<QLineF>> earlier;
    std::optional<QPointF> trial; // the trial on show
    // The centre of each simplex since Begin Optimization, in order.
    std::vector<QPointF> centres;
};

inline constexpr int EarlierOutlines = 5;
inline constexpr int OutlineEdgeBudget = 6000;

// response: 0 plots the results (D with several responses); 1..m the values
// of that response, with the value the best vertex so far (by D) had, and
// a target response's target.
ResponsePlot BuildResponsePlot(const core::OptimizationProblem& problem, int response = 0);

// The path over factors xFactor and yFactor (1..k; the same factor on both
// axes is drawn as asked). No points before an initial simplex is committed.
PathPlot BuildPathPlot(const core::OptimizationProblem& problem, int xFactor, int yFactor,
                       PathRange range = PathRange::Visited);

// The factors of the boxes "Across:" and "Up:" (1..k).
struct PathFactors {
    int across = 1;
    int up = 2;

    friend bool operator==(const PathFactors&, const PathFactors&) = default;
};

// The factors the boxes show when `wanted` is asked while `shown` is on show
// (the user changed one box, or the factors changed under both). A factor
// beyond 1..k gives way to the first (Across) or second (Up). With two
// factors or more the boxes never name the same one: a box the user set
// keeps its choice and the other takes the factor it gave up, so the two
// swap; when the user set neither, Up gives way to the first other factor.
PathFactors ChoosePathFactors(int numFactors, PathFactors shown, PathFactors wanted);

} // namespace zeltomir::simplex
