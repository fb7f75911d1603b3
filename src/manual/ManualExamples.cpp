#include "ManualExamples.h"

#include "ManualPageBreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFontMetricsF>
#include <QList>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace zeltomir::manual {

namespace {

constexpr double ExamplePoints = 8.5;
// Smaller than this, a fixed font is hard to read on paper; a line that
// would need it wraps instead.
constexpr double SmallestExamplePoints = 7.0;
constexpr double SizeStep = 0.25;

// In points. The shade starts this far inside the text's edges, and
// continuation lines are indented by Hang more than the first. The layout
// takes a block's left and right margins in the device's pixels, unlike its
// space above and below, so these are set once the device is known.
constexpr double ShadeInset = 3.0;
constexpr double Hang = 14.0;

double DevicePixels(double points, const QPaintDevice& device)
{
    return points * device.logicalDpiX() / 72.0;
}

// The Markdown reader marks the lines of a fenced code block, and keeps
// every code line unbroken.
bool IsCodeFromReader(const QTextBlock& block)
{
    if (!block.isValid() || block.blockFormat().headingLevel() > 0)
        return false;
    return block.blockFormat().hasProperty(QTextFormat::BlockCodeFence) || block.blockFormat().nonBreakableLines();
}

void SetExampleSize(const QTextBlock& block, double points)
{
    QTextCharFormat size;
    size.setFontPointSize(points);
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(size);
    cursor.mergeBlockCharFormat(size);
}

// The example's lines, from its first.
QList<QTextBlock> ExampleFrom(QTextBlock block)
{
    QList<QTextBlock> lines;
    for (; IsExampleLine(block); block = block.next())
        lines.append(block);
    return lines;
}

QFont FontOf(const QTextBlock& block)
{
    const QTextCharFormat format = block.begin().atEnd() ? block.charFormat() : block.begin().fragment().charFormat();
    return format.font().resolve(block.document()->defaultFont());
}

bool FitsAt(const QList<QTextBlock>& lines, double points, const QPaintDevice& device, double width)
{
    for (const QTextBlock& line : lines) {
        QFont font = FontOf(line);
        font.setPointSizeF(points);
        if (QFontMetricsF(font, &device).horizontalAdvance(line.text()) > width)
            return false;
    }
    return true;
}

// A hooked arrow in the indent before a continuation line: down from the
// line above, then across to the text.
void PaintMark(QPainter& painter, const QRectF& line, double hang)
{
    const double size = line.height();
    const double right = line.left() - hang * 0.2;
    const double left = right - std::min(hang * 0.6, size * 0.6);
    const double top = line.top() + size * 0.1;
    const double across = line.top() + size * 0.55;
    const double head = size * 0.18;
    QPainterPath hook;
    hook.moveTo(left, top);
    hook.lineTo(left, across);
    hook.lineTo(right, across);
    hook.moveTo(right - head, across - head);
    hook.lineTo(right, across);
    hook.lineTo(right - head, across + head);
    painter.drawPath(hook);
}

} // namespace

bool IsExampleLine(const QTextBlock& block)
{
    return block.isValid() && block.blockFormat().boolProperty(ExampleLineProperty);
}

void StyleExamples(QTextDocument& document)
{
    // Marked first: the look set below clears what the reader marked them by.
    QList<QTextBlock> marked;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (IsCodeFromReader(block))
            marked.append(block);
    }
    for (const QTextBlock& block : marked) {
        QTextBlockFormat mark;
        mark.setProperty(ExampleLineProperty, true);
        QTextCursor(block).mergeBlockFormat(mark);
    }

    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!IsExampleLine(block) || IsExampleLine(block.previous()))
            continue;
        const QList<QTextBlock> lines = ExampleFrom(block);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QTextBlockFormat shade;
            shade.setBackground(QColor(0xf2, 0xf2, 0xf2));
            shade.setNonBreakableLines(false);
            // Space goes only above the first line and below the last.
            shade.setTopMargin(i == 0 ? 4.0 : 0.0);
            shade.setBottomMargin(i + 1 == lines.size() ? 8.0 : 0.0);
            // The first line is kept with the second, and the last but one
            // with the last.
            if (i + 1 < lines.size() && (i == 0 || i + 2 == lines.size()))
                shade.setProperty(KeepWithNextProperty, true);
            QTextCursor(lines[i]).mergeBlockFormat(shade);
            SetExampleSize(lines[i], ExamplePoints);
        }
    }
}

void FitExamples(QTextDocument& document, const QPaintDevice& device, double textWidth)
{
    const double inset = DevicePixels(ShadeInset, device);
    const double hang = DevicePixels(Hang, device);
    // The room of a first line, and of a whole line that does not wrap.
    const double width = textWidth - 2 * inset;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (!IsExampleLine(block) || IsExampleLine(block.previous()))
            continue;
        const QList<QTextBlock> lines = ExampleFrom(block);
        QTextBlockFormat indents;
        indents.setLeftMargin(inset + hang);
        indents.setTextIndent(-hang);
        indents.setRightMargin(inset);
        for (const QTextBlock& line : lines)
            QTextCursor(line).mergeBlockFormat(indents);
        if (FitsAt(lines, ExamplePoints, device, width))
            continue;
        for (double points = ExamplePoints - SizeStep; points >= SmallestExamplePoints; points -= SizeStep) {
            if (FitsAt(lines, points, device, width)) {
                for (const QTextBlock& line : lines)
                    SetExampleSize(line, points);
                break;
            }
        }
    }
}

void PaintContinuationMarks(QPainter& painter, const QTextDocument& laidOut, const QRectF& view)
{
    const double hang = DevicePixels(Hang, *painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), hang * 0.06, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (QTextBlock block = laidOut.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (!IsExampleLine(block) || !layout || layout->lineCount() < 2)
            continue;
        const QPointF origin = laidOut.documentLayout()->blockBoundingRect(block).topLeft();
        for (int i = 1; i < layout->lineCount(); ++i) {
            const QRectF line = layout->lineAt(i).rect().translated(origin);
            if (view.intersects(line))
                PaintMark(painter, line, hang);
        }
    }
    painter.restore();
}

} // namespace zeltomir::manual
