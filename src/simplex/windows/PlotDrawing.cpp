#include "simplex/windows/PlotDrawing.h"

#include "simplex/PlotText.h"

#include <qcustomplot.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zeltomir::simplex {

namespace {

struct TypeLook {
    int code;
    QCPScatterStyle::ScatterShape shape;
    QColor colour;
};

// One shape and colour per vertex type, told apart also in print.
const std::array<TypeLook, 6> TypeLooks{{
    {0, QCPScatterStyle::ssSquare, QColor(90, 90, 90)},
    {1, QCPScatterStyle::ssCircle, QColor(31, 119, 180)},
    {2, QCPScatterStyle::ssTriangle, QColor(44, 160, 44)},
    {3, QCPScatterStyle::ssDiamond, QColor(255, 127, 14)},
    {4, QCPScatterStyle::ssTriangleInverted, QColor(214, 39, 40)},
    {5, QCPScatterStyle::ssPlusCircle, QColor(140, 86, 75)},
}};
// A failed trial's cross, apart from every type's look.
const QColor FailedColour(40, 40, 40);

constexpr double MarkerSize = 7;
// How far from a marker's centre the pointer still counts as on it, in
// pixels: a little beyond the largest marker's edge.
constexpr double MarkerReach = 6;
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

void SetRanges(QCustomPlot& plot, const AxisRange& x, const AxisRange& y)
{
    plot.xAxis->setRange(x.lower, x.upper);
    plot.yAxis->setRange(y.lower, y.upper);
}

void Clear(QCustomPlot& plot)
{
    plot.clearPlottables();
    plot.clearItems();
}

} // namespace

void PlaceLegendBeside(QCustomPlot& plot)
{
    plot.axisRect()->insetLayout()->take(plot.legend);
    // A column of its own beside the plot area, as narrow as the legend;
    // the legend at its top and the room below it empty.
    auto* column = new QCPLayoutGrid;
    plot.plotLayout()->addElement(0, 1, column);
    plot.plotLayout()->setColumnStretchFactor(1, 0.001);
    column->addElement(0, 0, plot.legend);
    column->addElement(1, 0, new QCPLayoutElement(&plot));
    column->setRowStretchFactor(0, 0.001);
    // The legend's top level with the plot area's, and room to its right
    // for the frame.
    auto* tops = new QCPMarginGroup(&plot);
    plot.axisRect()->setMarginGroup(QCP::msTop, tops);
    column->setMarginGroup(QCP::msTop, tops);
    column->setAutoMargins(QCP::msTop);
    column->setMargins(QMargins(0, 0, 6, 0));
    plot.legend->setSizeConstraintRect(QCPLayoutElement::scrOuterRect);
}

void AlignLegends(const QList<QCustomPlot*>& plots)
{
    int width = 0;
    for (QCustomPlot* plot : plots) {
        plot->legend->setMinimumSize(0, 0);
        if (plot->legend->visible())
            width = std::max(width, plot->legend->minimumOuterSizeHint().width());
    }
    // A width set overrides the legend's own; with no legend on show the
    // column all but vanishes.
    for (QCustomPlot* plot : plots) {
        plot->legend->setMinimumSize(std::max(width, 1), 0);
        plot->replot();
    }
}

void DrawResponsePlot(QCustomPlot& plot, const ResponsePlot& content)
{
    Clear(plot);
    plot.xAxis->setLabel(QStringLiteral("Vertex"));
    plot.yAxis->setLabel(content.valueCaption);
    // Vertex numbers are whole: ticks at whole multiples of 1, 2, 5, 10, ...
    auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
    ticker->setTickStep(1);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    plot.xAxis->setTicker(ticker);
    for (const TypeLook& look : TypeLooks) {
        QVector<double> hollowKeys, hollowValues, filledKeys, filledValues;
        for (const ResponsePoint& point : content.points) {
            if (point.typeCode != look.code || point.failed)
                continue;
            (point.inSimplex ? filledKeys : hollowKeys) << point.vertex;
            (point.inSimplex ? filledValues : hollowValues) << point.result;
        }
        const QPen pen(look.colour, 1.5);
        AddPoints(plot, hollowKeys, hollowValues, QCPScatterStyle(look.shape, pen, Qt::white, MarkerSize),
                  VertexTypeCaption(look.code));
        QCPGraph* filled = AddPoints(plot, filledKeys, filledValues,
                                     QCPScatterStyle(look.shape, pen, look.colour, MarkerSize), QString());
        filled->removeFromLegend();
    }
    QVector<double> failedKeys, failedValues;
    for (const ResponsePoint& point : content.points) {
        if (point.failed) {
            failedKeys << point.vertex;
            failedValues << content.failedLevel;
        }
    }
    if (!failedKeys.isEmpty())
        AddPoints(plot, failedKeys, failedValues,
                  QCPScatterStyle(QCPScatterStyle::ssCross, QPen(FailedColour, 2), Qt::NoBrush, MarkerSize + 1),
                  QStringLiteral("Failed trial"));
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
    if (content.target) {
        // A line across the whole axis, drawn as a curve so that the legend lists it.
        QCPGraph* target = plot.addGraph();
        target->setData(QVector<double>{content.vertexAxis.lower, content.vertexAxis.upper},
                        QVector<double>{*content.target, *content.target}, true);
        target->setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
        target->setName(content.targetCaption);
    }
    SetRanges(plot, content.vertexAxis, content.resultAxis);
    plot.legend->setVisible(!content.points.empty());
    plot.replot();
}

void DrawPathPlot(QCustomPlot& plot, const PathPlot& content)
{
    Clear(plot);
    plot.xAxis->setLabel(content.xName);
    plot.yAxis->setLabel(content.yName);
    SetRanges(plot, content.xAxis, content.yAxis);

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

void DrawTrueSurface(QCustomPlot& plot, const TrueSurface& surface)
{
    auto* map = new QCPColorMap(plot.xAxis, plot.yAxis);
    // Behind the grid and the path: the background layer holds only the
    // plot area's fill, which the map then covers.
    map->setLayer(QStringLiteral("background"));
    map->removeFromLegend();
    map->data()->setSize(surface.columns, surface.rows);
    map->data()->setRange(QCPRange(surface.xRange.lower, surface.xRange.upper),
                          QCPRange(surface.yRange.lower, surface.yRange.upper));
    for (int row = 0; row < surface.rows; ++row) {
        for (int column = 0; column < surface.columns; ++column)
            map->data()->setCell(column, row, surface.values[static_cast<std::size_t>(row * surface.columns + column)]);
    }
    // Pale colours, so that the path drawn over them stays easy to read.
    QCPColorGradient gradient;
    gradient.setColorStopAt(0, QColor(222, 235, 247));
    gradient.setColorStopAt(0.5, QColor(199, 233, 192));
    gradient.setColorStopAt(0.8, QColor(254, 230, 160));
    gradient.setColorStopAt(1, QColor(252, 174, 145));
    map->setGradient(gradient);
    map->setInterpolate(true);
    map->rescaleDataRange(true);

    auto* optimum = new QCPCurve(plot.xAxis, plot.yAxis);
    optimum->setData(QVector<double>{surface.optimum.x()}, QVector<double>{surface.optimum.y()});
    optimum->setLineStyle(QCPCurve::lsNone);
    optimum->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssCrossCircle, QPen(Qt::black, 2), Qt::NoBrush, 14));
    optimum->setName(QStringLiteral("True optimum"));
    plot.legend->setVisible(true);
    plot.replot();
}

std::vector<std::size_t> MarkersAt(const QCustomPlot& plot, const std::vector<QPointF>& points, QPointF pixel)
{
    std::vector<std::pair<double, std::size_t>> near;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double distance = std::hypot(plot.xAxis->coordToPixel(points[i].x()) - pixel.x(),
                                           plot.yAxis->coordToPixel(points[i].y()) - pixel.y());
        if (distance <= MarkerReach)
            near.emplace_back(distance, i);
    }
    std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::size_t> markers;
    for (const auto& [distance, index] : near) {
        // Within a pixel of the nearest: drawn on the same spot.
        if (distance <= near.front().first + 1)
            markers.push_back(index);
    }
    return markers;
}

} // namespace zeltomir::simplex
