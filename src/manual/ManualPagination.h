#pragma once

// Breaking the manual into pages: a contents list after the title page,
// each chapter on a new page, the breaks between pages mended
// (ManualPageBreaks.h), and the contents list given the page numbers of the
// headings.

#include <QSizeF>
#include <QString>

#include <memory>

class QPagedPaintDevice;
class QTextBlock;
class QTextDocument;

namespace zeltomir::manual {

inline const QString ContentsTitle = QStringLiteral("Contents");

// Adds the contents list and the page breaks to source, and returns a copy
// of it laid out on pages of pageSize (device pixels) at the device's
// resolution, ready to be painted page by page.
std::unique_ptr<QTextDocument> PaginateManual(QTextDocument& source, QPagedPaintDevice& device,
                                              const QSizeF& pageSize);

// The page (counted from 1) on which the block's first line is printed, in
// a document laid out by PaginateManual.
int PageOf(const QTextDocument& laidOut, const QTextBlock& block);

// The page of one of the block's lines.
int PageOfLine(const QTextDocument& laidOut, const QTextBlock& block, int line);

} // namespace zeltomir::manual
