#include "shell/ToolbarIcons.h"

#include "shell/DrawnIconEngine.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace zeltomir::shell {

namespace {

// Every picture is designed on a 24 x 24 grid and drawn in a flat style: a
// dark outline, white paper, and one accent colour per picture.
constexpr qreal DesignGrid = 24.0;

const QColor Outline(0x2e, 0x34, 0x36);
const QColor Paper(0xff, 0xff, 0xff);
const QColor PaperFold(0xd3, 0xd7, 0xcf);
const QColor TextLine(0x88, 0x8a, 0x85);
const QColor Metal(0xc8, 0xcd, 0xd2);
const QColor Gold(0xf5, 0xc2, 0x11);
const QColor FolderBack(0xd9, 0x96, 0x1e);
const QColor FolderFront(0xf6, 0xc3, 0x4a);
const QColor DiskBlue(0x35, 0x72, 0xc8);
const QColor PrinterGrey(0x9a, 0xa4, 0xae);
const QColor LampGreen(0x4c, 0xbb, 0x17);
const QColor HandleRed(0xd8, 0x2e, 0x24);
const QColor CopyBlue(0x35, 0x84, 0xe4);
const QColor CopyBackPage(0xd6, 0xe6, 0xfa);
const QColor BoardBrown(0xb0, 0x74, 0x3c);
const QColor ArrowGreen(0x3f, 0x9c, 0x35);
const QColor HelpBlue(0x35, 0x84, 0xe4);
const QColor ExitRed(0xe0, 0x1b, 0x24);

// Maps the design grid onto the pixmap. Straight edges land on pixel centres
// (or pixel boundaries for even outline widths), so outlines stay sharp at
// any size; curves use the plain scale.
class Sketch {
public:
    Sketch(QPainter& painter, int devicePixels)
        : m_painter(painter)
        , m_scale(devicePixels / DesignGrid)
        , m_line(std::max<qreal>(1.0, std::round(m_scale)))
        , m_offset(std::fmod(m_line, 2.0) == 1.0 ? 0.5 : 0.0)
    {
    }

    QPointF at(qreal x, qreal y) const { return {snap(x), snap(y)}; }
    QRectF box(qreal left, qreal top, qreal right, qreal bottom) const
    {
        return {at(left, top), at(right, bottom)};
    }
    qreal length(qreal units) const { return units * m_scale; }
    qreal line() const { return m_line; }
    QPainter& painter() const { return m_painter; }

    QPainterPath polygon(std::initializer_list<QPointF> designPoints) const
    {
        QPainterPath path;
        bool first = true;
        for (const QPointF& point : designPoints) {
            const QPointF mapped = at(point.x(), point.y());
            first ? path.moveTo(mapped) : path.lineTo(mapped);
            first = false;
        }
        path.closeSubpath();
        return path;
    }

    // A path given in design units, scaled without snapping.
    QPainterPath scaled(const QPainterPath& designPath) const
    {
        return QTransform::fromScale(m_scale, m_scale).map(designPath);
    }

    void shape(const QPainterPath& path, const QColor& fill) const
    {
        m_painter.setPen(QPen(Outline, m_line, Qt::SolidLine, Qt::RoundCap, Qt::MiterJoin));
        m_painter.setBrush(fill);
        m_painter.drawPath(path);
    }

    void rect(qreal left, qreal top, qreal right, qreal bottom, const QColor& fill) const
    {
        QPainterPath path;
        path.addRect(box(left, top, right, bottom));
        shape(path, fill);
    }

    void roundedRect(qreal left, qreal top, qreal right, qreal bottom, qreal radius, const QColor& fill) const
    {
        QPainterPath path;
        path.addRoundedRect(box(left, top, right, bottom), length(radius), length(radius));
        shape(path, fill);
    }

    void circle(qreal x, qreal y, qreal radius, const QColor& fill) const
    {
        QPainterPath path;
        path.addEllipse(QPointF(length(x), length(y)), length(radius), length(radius));
        shape(path, fill);
    }

    // Lines of text on a page: one outline width thick, on whole pixels.
    void textLines(qreal left, qreal right, std::initializer_list<qreal> rows, const QColor& colour) const
    {
        m_painter.setPen(QPen(colour, m_line, Qt::SolidLine, Qt::FlatCap));
        for (qreal row : rows)
            m_painter.drawLine(at(left, row), at(right, row));
    }

    // A thick line without outline, in design units (the "x", the "?").
    void stroke(const QPainterPath& designPath, qreal width, const QColor& colour) const
    {
        m_painter.setPen(QPen(colour, length(width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(scaled(designPath));
    }

private:
    qreal snap(qreal units) const { return std::round(units * m_scale) + m_offset; }

    QPainter& m_painter;
    qreal m_scale;
    qreal m_line;
    qreal m_offset;
};

void DrawNew(const Sketch& sketch)
{
    sketch.shape(sketch.polygon({{6, 2}, {15, 2}, {20, 7}, {20, 22}, {6, 22}}), Paper);
    sketch.shape(sketch.polygon({{15, 2}, {20, 7}, {15, 7}}), PaperFold);
    // A four-pointed sparkle at the top left corner: a page not yet written.
    QPainterPath star;
    const QPointF centre(6.5, 7.0);
    for (int point = 0; point < 8; ++point) {
        const qreal radius = point % 2 == 0 ? 5.2 : 2.0;
        const qreal angle = point * M_PI / 4.0;
        const QPointF corner = centre + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
        point == 0 ? star.moveTo(corner) : star.lineTo(corner);
    }
    star.closeSubpath();
    sketch.shape(sketch.scaled(star), Gold);
}

void DrawOpen(const Sketch& sketch)
{
    sketch.shape(sketch.polygon({{2, 4}, {8.5, 4}, {10.5, 6}, {19, 6}, {19, 20}, {2, 20}}), FolderBack);
    sketch.rect(5, 8, 17, 14, Paper);
    sketch.shape(sketch.polygon({{6.5, 11}, {22.5, 11}, {19, 20}, {2, 20}}), FolderFront);
}

void DrawSave(const Sketch& sketch)
{
    sketch.shape(sketch.polygon({{3, 3}, {18, 3}, {21, 6}, {21, 21}, {3, 21}}), DiskBlue);
    sketch.rect(7, 3, 16, 9, Metal);
    sketch.rect(12, 4.5, 14, 7.5, Outline);
    sketch.rect(6, 13, 18, 21, Paper);
    sketch.textLines(8, 16, {16, 18.5}, TextLine);
}

void DrawPrint(const Sketch& sketch)
{
    sketch.rect(6, 2, 18, 9, Paper);
    sketch.roundedRect(2, 8, 22, 17, 1.5, PrinterGrey);
    sketch.circle(18.5, 11, 1.3, LampGreen);
    sketch.rect(6, 14, 18, 22, Paper);
    sketch.textLines(8, 16, {17, 19.5}, TextLine);
}

// A blade of the scissors: wide where it leaves the handle, pointed at the tip.
void DrawBlade(const Sketch& sketch, QPointF base, QPointF tip)
{
    const QLineF axis(base, tip);
    const QPointF normal = QPointF(-axis.dy(), axis.dx()) / axis.length() * 2.0;
    QPainterPath blade;
    blade.moveTo(base + normal);
    blade.lineTo(tip);
    blade.lineTo(base - normal);
    blade.closeSubpath();
    sketch.shape(sketch.scaled(blade), Metal);
}

// A handle ring: a thick accent-coloured circle with the outline on both sides.
void DrawRing(const Sketch& sketch, QPointF centre)
{
    QPainter& painter = sketch.painter();
    const QPointF mapped(sketch.length(centre.x()), sketch.length(centre.y()));
    const qreal radius = sketch.length(3.3);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Outline, sketch.length(2.2) + 2 * sketch.line()));
    painter.drawEllipse(mapped, radius, radius);
    painter.setPen(QPen(HandleRed, sketch.length(2.2)));
    painter.drawEllipse(mapped, radius, radius);
}

void DrawCut(const Sketch& sketch)
{
    DrawBlade(sketch, {15.5, 15}, {7, 1.5});
    DrawBlade(sketch, {8.5, 15}, {17, 1.5});
    DrawRing(sketch, {6.8, 18.2});
    DrawRing(sketch, {17.2, 18.2});
    sketch.circle(12, 9.7, 1.0, Outline);
}

void DrawCopy(const Sketch& sketch)
{
    sketch.rect(3, 2, 14, 16, CopyBackPage);
    sketch.rect(9, 7, 21, 22, Paper);
    sketch.textLines(11.5, 18.5, {10.5, 13, 15.5, 18}, CopyBlue);
}

void DrawPaste(const Sketch& sketch)
{
    sketch.roundedRect(3, 4, 17, 22, 1.5, BoardBrown);
    sketch.roundedRect(6.5, 2, 13.5, 6.5, 1.0, Metal);
    sketch.rect(10, 9, 21, 22, Paper);
    sketch.textLines(12, 19, {12.5, 15, 17.5}, TextLine);
}

// A U-turn arrow pointing left; Redo draws it mirrored.
void DrawArrow(const Sketch& sketch, bool mirrored)
{
    QPainterPath body;
    body.moveTo(8, 9);
    body.lineTo(13.5, 9);
    body.arcTo(QRectF(8, 9, 11, 11), 90, -180);
    body.lineTo(7, 20);
    QPainterPathStroker stroker;
    stroker.setWidth(4.0);
    stroker.setCapStyle(Qt::FlatCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath head;
    head.moveTo(1.5, 9);
    head.lineTo(9.5, 2);
    head.lineTo(9.5, 16);
    head.closeSubpath();
    QPainterPath arrow = stroker.createStroke(body).united(head).simplified();
    if (mirrored)
        arrow = QTransform(-1, 0, 0, 1, DesignGrid, 0).map(arrow);
    sketch.shape(sketch.scaled(arrow), ArrowGreen);
}

void DrawHelp(const Sketch& sketch)
{
    sketch.circle(12, 12, 10.5, HelpBlue);
    QPainterPath mark;
    mark.arcMoveTo(QRectF(8.6, 5.6, 6.8, 6.8), 165);
    mark.arcTo(QRectF(8.6, 5.6, 6.8, 6.8), 165, -255);
    mark.lineTo(12, 14.5);
    sketch.stroke(mark, 2.5, Paper);
    sketch.painter().setPen(Qt::NoPen);
    sketch.painter().setBrush(Paper);
    sketch.painter().drawEllipse(QPointF(sketch.length(12), sketch.length(18)), sketch.length(1.5),
                                 sketch.length(1.5));
}

void DrawExit(const Sketch& sketch)
{
    sketch.circle(12, 12, 10.5, ExitRed);
    QPainterPath cross;
    cross.moveTo(8, 8);
    cross.lineTo(16, 16);
    cross.moveTo(16, 8);
    cross.lineTo(8, 16);
    sketch.stroke(cross, 2.8, Paper);
}

void Draw(ToolbarIconKind kind, const Sketch& sketch)
{
    switch (kind) {
    case ToolbarIconKind::New:
        return DrawNew(sketch);
    case ToolbarIconKind::Open:
        return DrawOpen(sketch);
    case ToolbarIconKind::Save:
        return DrawSave(sketch);
    case ToolbarIconKind::Print:
        return DrawPrint(sketch);
    case ToolbarIconKind::Cut:
        return DrawCut(sketch);
    case ToolbarIconKind::Copy:
        return DrawCopy(sketch);
    case ToolbarIconKind::Paste:
        return DrawPaste(sketch);
    case ToolbarIconKind::Undo:
        return DrawArrow(sketch, false);
    case ToolbarIconKind::Redo:
        return DrawArrow(sketch, true);
    case ToolbarIconKind::Help:
        return DrawHelp(sketch);
    case ToolbarIconKind::Exit:
        return DrawExit(sketch);
    }
}

} // namespace

QPixmap DrawToolbarPixmap(ToolbarIconKind kind, int size, qreal devicePixelRatio)
{
    const int devicePixels = std::max(1, static_cast<int>(std::lround(size * devicePixelRatio)));
    QPixmap pixmap(devicePixels, devicePixels);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        Draw(kind, Sketch(painter, devicePixels));
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon DrawnToolbarIcon(ToolbarIconKind kind, const QString& themeName)
{
    QList<QSize> sizes;
    for (int size : DrawnToolbarIconSizes)
        sizes.append(QSize(size, size));
    return QIcon(new DrawnIconEngine([kind](int devicePixels) { return DrawToolbarPixmap(kind, devicePixels); },
                                     sizes, themeName));
}

} // namespace zeltomir::shell
