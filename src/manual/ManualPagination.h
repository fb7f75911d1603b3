#pragma once

// Breaking the manual into pages: a contents list after the title page,
// each chapter on a new page, no heading left alone at the foot of a page,
// no picture parted from its caption, and the contents list given the page
// numbers of the headings.

#include <QSizeF>
#include <QString>
#include <QTextFormat>

#include <memory>

class QPagedPaintDevice;
class QTextBlock;
class QTextDocument;

namespace zeltomir::manual {

inline const QString ContentsTitle = QStringLiteral("Contents");

// A block format property: true keeps the block on the page of the block
// after it, as a section heading is kept with its text.
inline constexpr int KeepWithNextProperty = QTextFormat::UserProperty + 1;

// Adds the contents list and the page breaks to source, and returns a copy
// of it laid out on pages of pageSize (device pixels) at the device's
// resolution, ready to be painted page by page.
std::unique_ptr<QTextDocument> PaginateManual(QTextDocument& source, QPagedPaintDevice& device,
                                              const QSizeF& pageSize);

// The page (counted from 1) on which the block's first line is printed, in
// a document laid out by PaginateManual.
int PageOf(const QTextDocument& laidOut, const QTextBlock& block);

} // namespace zeltomir::manual
