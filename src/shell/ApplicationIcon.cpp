#include "shell/ApplicationIcon.h"

#include "shell/DrawnIconEngine.h"

#include "shell/ToolbarIcons.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace zeltomir::shell {

namespace {

// Designed on a 24 x 24 grid in the toolbar pictures' flat style: a dark
// outline and a few plain colours.
constexpr qreal DesignGrid = 24.0;

const QColor Outline(0x2e, 0x34, 0x36);
const QColor Tile(0xe6, 0xef, 0xfa);
const QColor SimplexFill(0x35, 0x84, 0xe4, 0x70);
const QColor ReflectedFill(0xf5, 0xc2, 0x11, 0x50);
const QColor Vertex(0x1c, 0x71, 0xd8);
const QColor WorstVertex(0xa0, 0xa4, 0xa0);
const QColor ReflectedVertex(0xf5, 0xc2, 0x11);
const QColor Move(0xe6, 0x61, 0x00);

// Where the simplex lies: the worst vertex at the lower left, the two it
// keeps, and the worst vertex reflected through the middle of the opposite
// side. Small pictures leave out the tile and the reflected simplex and
// draw the rest larger, or a title bar would show a smudge; their triangle
// is filled with the tile's light colour instead, which stands out on a
// coloured title bar as well as on a grey one.
struct Layout {
    bool detailed;
    QColor simplexFill;
    QPointF worst;
    QPointF kept1;
    QPointF kept2;
    qreal dotRadius;
    qreal shaftWidth;
    qreal headLength;
    qreal headHalfWidth;

    QPointF reflected() const { return kept1 + kept2 - worst; }
};

constexpr int SmallestDetailedSize = 32;

Layout LayoutFor(int devicePixels)
{
    if (devicePixels >= SmallestDetailedSize)
        return {true, SimplexFill, {5.0, 17.5}, {9.5, 5.5}, {13.5, 18.5}, 2.3, 1.7, 4.2, 2.6};
    return {false, Tile, {3.5, 19.5}, {8.0, 4.0}, {13.5, 20.0}, 3.0, 2.6, 6.0, 3.8};
}

class Canvas {
public:
    Canvas(QPainter& painter, int devicePixels)
        : m_painter(painter)
        , m_scale(devicePixels / DesignGrid)
        // One pixel at the small sizes, growing slowly with the picture so
        // that large ones do not look drawn with a marker.
        , m_line(std::max<qreal>(1.0, devicePixels / 32.0))
    {
    }

    QPointF at(QPointF design) const { return design * m_scale; }
    qreal length(qreal units) const { return units * m_scale; }

    void fill(const QPainterPath& path, const QColor& colour, bool outlined) const
    {
        m_painter.setPen(outlined ? QPen(Outline, m_line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin) : QPen(Qt::NoPen));
        m_painter.setBrush(colour);
        m_painter.drawPath(path);
    }

    void triangle(QPointF a, QPointF b, QPointF c, const QColor& colour, bool outlined) const
    {
        QPainterPath path;
        path.addPolygon(QPolygonF{at(a), at(b), at(c), at(a)});
        fill(path, colour, outlined);
    }

    void dot(QPointF centre, qreal radius, const QColor& colour) const
    {
        QPainterPath path;
        path.addEllipse(at(centre), length(radius), length(radius));
        fill(path, colour, true);
    }

    void tile() const
    {
        // Straight edges on pixel centres for an odd line width, so the
        // border stays sharp.
        const qreal inset = std::round(length(1.0)) + (std::fmod(std::round(m_line), 2.0) == 1.0 ? 0.5 : 0.0);
        const qreal far = length(DesignGrid) - inset;
        QPainterPath path;
        path.addRoundedRect(QRectF(QPointF(inset, inset), QPointF(far, far)), length(4.0), length(4.0));
        fill(path, Tile, true);
    }

    // A straight arrow from `from` to the tip `to`, with an outlined head.
    void arrow(QPointF from, QPointF to, const Layout& layout) const
    {
        const QLineF axis(at(from), at(to));
        const QPointF unit = (axis.p2() - axis.p1()) / axis.length();
        const QPointF normal(-unit.y(), unit.x());
        const QPointF headBase = axis.p2() - unit * length(layout.headLength);
        const qreal halfWidth = length(layout.headHalfWidth);
        m_painter.setPen(QPen(Move, std::max<qreal>(1.5, length(layout.shaftWidth)), Qt::SolidLine, Qt::FlatCap));
        m_painter.drawLine(axis.p1(), headBase + unit * m_line);
        QPainterPath head;
        head.addPolygon(QPolygonF{axis.p2(), headBase + normal * halfWidth, headBase - normal * halfWidth, axis.p2()});
        fill(head, Move, true);
    }

private:
    QPainter& m_painter;
    qreal m_scale;
    qreal m_line;
};

void DrawIcon(const Canvas& canvas, const Layout& layout)
{
    const QPointF reflected = layout.reflected();
    if (layout.detailed) {
        canvas.tile();
        canvas.triangle(layout.kept1, layout.kept2, reflected, ReflectedFill, false);
    }
    canvas.triangle(layout.worst, layout.kept1, layout.kept2, layout.simplexFill, true);
    // The arrow runs on the line from the worst to the reflected vertex,
    // from the worst vertex's dot to the reflected one's.
    const QLineF move(layout.worst, reflected);
    const QPointF unit = (move.p2() - move.p1()) / move.length();
    canvas.arrow(layout.worst + unit * (layout.dotRadius + 1.0), reflected - unit * (layout.dotRadius + 0.6), layout);
    canvas.dot(layout.worst, layout.dotRadius, WorstVertex);
    canvas.dot(layout.kept1, layout.dotRadius, Vertex);
    canvas.dot(layout.kept2, layout.dotRadius, Vertex);
    canvas.dot(reflected, layout.dotRadius, ReflectedVertex);
}

} // namespace

void PaintApplicationIcon(QPainter& painter, int devicePixels)
{
    DrawIcon(Canvas(painter, devicePixels), LayoutFor(devicePixels));
}

QPixmap DrawApplicationPixmap(int size, qreal devicePixelRatio)
{
    const int devicePixels = std::max(1, static_cast<int>(std::lround(size * devicePixelRatio)));
    QPixmap pixmap(devicePixels, devicePixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        PaintApplicationIcon(painter, devicePixels);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon DrawnApplicationIcon()
{
    QList<QSize> sizes;
    for (int size : DrawnApplicationIconSizes)
        sizes.append(QSize(size, size));
    return QIcon(new DrawnIconEngine([](int devicePixels) { return DrawApplicationPixmap(devicePixels); }, sizes));
}

} // namespace zeltomir::shell
