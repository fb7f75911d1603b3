#pragma once

// Examples: what the user types or sees on a terminal, one block per line,
// set apart from the prose in a smaller fixed font on a light shade. No line
// of an example is cut off at the edge of the text. An example with a line
// too wide for it is set smaller, down to a size that still reads well, so
// that a command stays on one line and can be copied whole; a line too long
// even then wraps, at a space where it has one, and each of its continuation
// lines is indented and marked by an arrow that is drawn, not written, so
// that copying the text does not pick it up.

#include <QRectF>
#include <QTextFormat>

class QPaintDevice;
class QPainter;
class QTextBlock;
class QTextDocument;

namespace zeltomir::manual {

// A block format property: true on each line of an example.
inline constexpr int ExampleLineProperty = QTextFormat::UserProperty + 2;

bool IsExampleLine(const QTextBlock& block);

// Shades the examples that the Markdown reader made of code blocks, and
// keeps two lines of an example together at the foot and at the top of a
// page.
void StyleExamples(QTextDocument& document);

// Sets each example's indents and size for the device, in whose pixels
// textWidth is given.
void FitExamples(QTextDocument& document, const QPaintDevice& device, double textWidth);

// Draws the marks of the wrapped example lines that lie in view, a part of
// the laid-out document, with the painter placed as for drawing the document.
void PaintContinuationMarks(QPainter& painter, const QTextDocument& laidOut, const QRectF& view);

} // namespace zeltomir::manual
