#pragma once

// Where the manual's pages may break. The layout breaks a page wherever the
// next line does not fit; the text is then mended, in its order, until no
// page has
// - at its foot a heading, a paragraph that ends in a colon, a picture with
//   a caption, or the first or the last but one line of an example, without
//   the line after it;
// - at its foot only the first line of a paragraph, or at its top only the
//   last (a paragraph's last two lines go over together, a short one whole);
// - at its foot only the header and the first row of a table, or at its top
//   only the last row (the table goes over whole);
// - a single line before a new chapter (the lines before it come with it).
// What begins a page already is left where it is: moving it would only
// leave a page blank.

#include <QTextFormat>

#include <functional>
#include <memory>

class QTextBlock;
class QTextDocument;

namespace zeltomir::manual {

// A block format property: true keeps the block on the page of the block
// after it, as a section heading is kept with its text.
inline constexpr int KeepWithNextProperty = QTextFormat::UserProperty + 1;

// Starts a new page with the block, or with the table it is in.
void BreakPageBefore(const QTextBlock& block);

// Mends source, laying it out again after each change with layOut.
void MendPageBreaks(QTextDocument& source, const std::function<std::unique_ptr<QTextDocument>()>& layOut);

} // namespace zeltomir::manual
