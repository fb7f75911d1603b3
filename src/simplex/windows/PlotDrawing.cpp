#include "simplex/windows/PlotDrawing.h"

#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zeltomir::simplex {

namespace {

struct TypeLook {
    int code;
    const char* name;
    QCPScatterStyle::ScatterShape shape;
    QColor colour;
};

// One shape and colour per vertex type, told apart also in print.
const std::array<TypeLook, 5> TypeLooks{{
    {0, "Initial", QCPScatterStyle::ssSquare, QColor(90, 90, 90)},
    {1, "Reflection", QCPScatterStyle::ssCircle, QColor(31, 119, 180)},
    {2, "Extension", QCPScatterStyle::ssTriangle, QColor(44, 160, 44)},
    {3, "Cr", QCPScatterStyle::ssDiamond, QColor(255, 127, 14)},
    {4, "Cw", QCPScatterStyle::ssTriangleInverted, QColor(214, 39, 40)},
}};

constexpr double MarkerSize = 7;
const double Gap = std::numeric_limits<double>::quiet_NaN();
// From this many markers on, a plot stamps a picture of the marker instead
// of drawing each shape: thousands of shapes take long to draw, and at that
// density no one looks at one marker closely.
constexpr qsizetype ManyMarkers = 1000;

QCPScatterStyle Stamped(const QCPScatterStyle& style, qsizetype count)
{
    if (count < ManyMarkers)
        return style;
    const int side = static_cast<int>(std::ceil(style.size())) + 3;
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QCPPainter painter(&picture);
    style.applyTo(&painter, style.pen());
    style.drawShape(&painter, side / 2.0, side / 2.0);
    painter.end();
    return QCPScatterStyle(picture);
}

QCPGraph* AddPoints(QCustomPlot& plot, const QVector<double>& keys, const QVector<double>& values,
                    const QCPScatterStyle& style, const QString& name)
{
    QCPGraph* graph = plot.addGraph();
    graph->setLineStyle(QCPGraph::lsNone);
    graph->setScatterStyle(Stamped(style, keys.size()));
    graph->setData(keys, values, true);
    graph->setName(name);
    return graph;
}

// Line segments as one curve with gaps between them: a simplex of 100
// factors has 5050 edges, far too many for one plot item each.
QCPCurve* AddSegments(QCustomPlot& plot, const std::vector<QLineF>& lines, const QPen& pen)
{
    QVector<double> xs;
    QVector<double> ys;
    xs.reserve(static_cast<qsizetype>(lines.size()) * 3);
    ys.reserve(static_cast<qsizetype>(lines.size()) * 3);
    for (const QLineF& line : lines) {
        xs << line.x1() << line.x2() << Gap;
        ys << line.y1() << line.y2() << Gap;
    }
    auto* curve = new QCPCurve(plot.xAxis, plot.yAxis);
    curve->setData(xs, ys);
    curve->setPen(pen);
    curve->removeFromLegend();
    return curve;
}

// The range of an axis spanning a factor's limits, with a little room so
// that points on a limit are not cut in half.
QCPRange LimitRange(double lower, double upper)
{
    double low = std::min(lower, upper);
    double high = std::max(lower, upper);
    if (!(high > low)) {
        low -= 1;
        high += 1;
    }
    const double margin = (high - low) * 0.03;
    return {low - margin, high + margin};
}

void Clear(QCustomPlot& plot)
{
    plot.clearPlottables();
    plot.clearItems();
}

} // namespace

void DrawResponsePlot(QCustomPlot& plot, const ResponsePlot& content)
{
    Clear(plot);
    plot.xAxis->setLabel(QStringLiteral("Vertex"));
    plot.yAxis->setLabel(QStringLiteral("Result"));
    // Vertex numbers are whole: ticks at whole multiples of 1, 2, 5, 10, ...
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(1);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    plot.xAxis->setTicker(ticker);
    for (const TypeLook& look : TypeLooks) {
        QVector<double> hollowKeys, hollowValues, filledKeys, filledValues;
        for (const ResponsePoint& point : content.points) {
            if (point.typeCode != look.code)
                continue;
            (point.inSimplex ? filledKeys : hollowKeys) << point.vertex;
            (point.inSimplex ? filledValues : hollowValues) << point.result;
        }
        const QPen pen(look.colour, 1.5);
        AddPoints(plot, hollowKeys, hollowValues, QCPScatterStyle(look.shape, pen, Qt::white, MarkerSize),
                  QLatin1String(look.name));
        QCPGraph* filled = AddPoints(plot, filledKeys, filledValues,
                                     QCPScatterStyle(look.shape, pen, look.colour, MarkerSize), QString());
        filled->removeFromLegend();
    }
    QVector<double> keys, best;
    for (std::size_t i = 0; i < content.points.size(); ++i) {
        keys << content.points[i].vertex;
        best << content.bestSoFar[i];
    }
    QCPGraph* bestLine = plot.addGraph();
    bestLine->setData(keys, best, true);
    bestLine->setLineStyle(QCPGraph::lsStepLeft);
    bestLine->setPen(QPen(QColor(148, 103, 189), 1.5));
    bestLine->setName(QStringLiteral("Best so far"));

    plot.rescaleAxes();
    if (content.target) {
        auto* target = new QCPItemStraightLine(&plot);
        target->point1->setCoords(0, *content.target);
        target->point2->setCoords(1, *content.target);
        target->setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        QCPRange values = plot.yAxis->range();
        values.expand(*content.target);
        plot.yAxis->setRange(values);
    }
    plot.xAxis->setRange(0, std::max<double>(4, static_cast<double>(content.points.size()) + 1));
    plot.yAxis->scaleRange(1.1, plot.yAxis->range().center());
    plot.legend->setVisible(!content.points.empty());
    plot.replot();
}

void DrawPathPlot(QCustomPlot& plot, const PathPlot& content)
{
    Clear(plot);
    plot.xAxis->setLabel(content.xName);
    plot.yAxis->setLabel(content.yName);
    plot.xAxis->setRange(LimitRange(content.xLower, content.xUpper));
    plot.yAxis->setRange(LimitRange(content.yLower, content.yUpper));

    // The earlier outlines fade with their age, the oldest drawn first.
    for (std::size_t age = content.earlier.size(); age-- > 0;) {
        const int alpha = 150 - static_cast<int>(age) * 25;
        AddSegments(plot, content.earlier[age], QPen(QColor(31, 119, 180, std::max(30, alpha)), 1));
    }
    QVector<double> xs, ys;
    for (const QPointF& centre : content.centres) {
        xs << centre.x();
        ys << centre.y();
    }
    auto* path = new QCPCurve(plot.xAxis, plot.yAxis);
    path->setData(xs, ys);
    path->setPen(QPen(QColor(148, 103, 189), 1));
    path->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDot, QColor(148, 103, 189), 3));
    path->setName(QStringLiteral("Path of the centres"));

    QVector<double> vx, vy;
    for (const QPointF& vertex : content.vertices) {
        vx << vertex.x();
        vy << vertex.y();
    }
    auto* vertices = new QCPCurve(plot.xAxis, plot.yAxis);
    vertices->setData(vx, vy);
    vertices->setLineStyle(QCPCurve::lsNone);
    vertices->setScatterStyle(
        Stamped(QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(Qt::darkGray), Qt::white, 5), vx.size()));
    vertices->setName(QStringLiteral("Vertices"));

    // Bold for a few edges; the thousands of many factors draw far faster thin.
    const int outlineWidth = content.outline.size() <= 100 ? 2 : 1;
    QCPCurve* outline = AddSegments(plot, content.outline, QPen(QColor(31, 119, 180), outlineWidth));
    outline->setName(QStringLiteral("Current simplex"));
    outline->addToLegend();
    if (content.trial) {
        auto* trial = new QCPCurve(plot.xAxis, plot.yAxis);
        trial->setData(QVector<double>{content.trial->x()}, QVector<double>{content.trial->y()});
        trial->setLineStyle(QCPCurve::lsNone);
        trial->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssStar, QPen(QColor(214, 39, 40), 2), Qt::NoBrush, 12));
        trial->setName(QStringLiteral("Trial on show"));
    }
    plot.legend->setVisible(!content.vertices.empty());
    plot.replot();
}

} // namespace zeltomir::simplex
