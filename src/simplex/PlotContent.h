#pragma once

// What the simplex plot window draws, computed from the record alone: the
// response of every vertex against its number with the best result so far,
// and the path of the simplex over two chosen factors in natural units.

#include "core/ProblemRecord.h"

#include <QLineF>
#include <QPointF>
#include <QString>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

struct ResponsePoint {
    int vertex = 0;
    double result = 0;
    int typeCode = 0;       // 0 Initial, 1 Reflection, 2 Extension, 3 Cr, 4 Cw; others as they are
    bool inSimplex = false; // one of the current simplex's vertices

    friend bool operator==(const ResponsePoint&, const ResponsePoint&) = default;
};

struct ResponsePlot {
    std::vector<ResponsePoint> points; // vertices 1..n
    // The best result among vertices 1..v, for each point: highest when
    // maximising, lowest when minimising, closest to the target otherwise.
    std::vector<double> bestSoFar;
    std::optional<double> target; // with the target goal
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

struct PathPlot {
    int xFactor = 1; // 1..k
    int yFactor = 2;
    QString xName;
    QString yName;
    // The factors' limits, the natural range each axis spans.
    double xLower = 0, xUpper = 1, yLower = 0, yUpper = 1;
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

ResponsePlot BuildResponsePlot(const core::OptimizationProblem& problem);

// The path over factors xFactor and yFactor (1..k; the same factor on both
// axes is allowed). Empty before an initial simplex is committed.
PathPlot BuildPathPlot(const core::OptimizationProblem& problem, int xFactor, int yFactor);

} // namespace zeltomir::simplex
