#include "ManualPageBreaks.h"

#include "ManualExamples.h"
#include "ManualPagination.h"

#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <optional>

namespace zeltomir::manual {

namespace {

// Where a new page must begin: before a block (or its table) together with
// the blocks before it that keep with it, when line is 0; else at that line
// of a paragraph, which is split there.
struct PageBreak {
    int block;
    int line;
};

QTextTable* TableOf(const QTextBlock& block)
{
    return QTextCursor(block).currentTable();
}

// The first block of the table the block is in, or the block itself: what
// moves to another page as one.
QTextBlock PartStart(const QTextBlock& block)
{
    if (const QTextTable* table = TableOf(block))
        return block.document()->findBlock(table->cellAt(0, 0).firstPosition());
    return block;
}

bool BreaksBefore(const QTextBlock& block)
{
    const QTextFormat::PageBreakFlags policy
        = TableOf(block) ? TableOf(block)->format().pageBreakPolicy() : block.blockFormat().pageBreakPolicy();
    return policy & QTextFormat::PageBreak_AlwaysBefore;
}

bool KeepsWithNext(const QTextBlock& block)
{
    return block.blockFormat().headingLevel() >= 2 || block.blockFormat().boolProperty(KeepWithNextProperty);
}

// An empty block prints nothing, so it neither holds a page's line nor
// keeps anything on its page.
bool Prints(const QTextBlock& block)
{
    return block.length() > 1;
}

QTextBlock PreviousPrinted(QTextBlock block)
{
    do
        block = block.previous();
    while (block.isValid() && !Prints(block));
    return block;
}

QTextBlock NextPrinted(QTextBlock block)
{
    do
        block = block.next();
    while (block.isValid() && !Prints(block));
    return block;
}

// The page of each of the block's lines, in order.
QList<int> LinePages(const QTextDocument& laidOut, const QTextBlock& block)
{
    QList<int> pages;
    const QTextLayout* layout = block.layout();
    for (int line = 0; layout && line < layout->lineCount(); ++line)
        pages.append(PageOfLine(laidOut, block, line));
    return pages;
}

int LastPageOf(const QTextDocument& laidOut, const QTextBlock& block)
{
    const QList<int> pages = LinePages(laidOut, block);
    return pages.isEmpty() ? PageOf(laidOut, block) : pages.last();
}

// A paragraph or list item may be split between lines; an example line, a
// heading or a table cell only goes over whole.
bool Splits(const QTextBlock& block)
{
    return !IsExampleLine(block) && block.blockFormat().headingLevel() == 0 && !TableOf(block)
        && !block.text().contains(QChar::ObjectReplacementCharacter);
}

bool BeginsPage(const QTextDocument& laidOut, const QTextBlock& start)
{
    if (BreaksBefore(start))
        return true;
    const QTextBlock before = PreviousPrinted(start);
    return !before.isValid() || LastPageOf(laidOut, before) < PageOf(laidOut, start);
}

// The block (or its table) to the next page, with what keeps with it.
std::optional<PageBreak> Whole(const QTextDocument& laidOut, const QTextBlock& block)
{
    QTextBlock start = PartStart(block);
    while (!BreaksBefore(start)) {
        const QTextBlock before = PreviousPrinted(start);
        if (!before.isValid() || TableOf(before) || !KeepsWithNext(before))
            break;
        start = before;
    }
    if (BeginsPage(laidOut, start))
        return std::nullopt;
    return PageBreak{start.blockNumber(), 0};
}

// The block's last line to the next page, and with it the line before, so
// that neither stands alone; a block of three lines or fewer, or one that
// is not split, goes whole.
std::optional<PageBreak> End(const QTextDocument& laidOut, const QTextBlock& block)
{
    const QList<int> pages = LinePages(laidOut, block);
    const int from = int(pages.size()) - 2;
    if (Splits(block) && from >= 2 && pages[from - 2] == pages[from])
        return PageBreak{block.blockNumber(), from};
    return Whole(laidOut, block);
}

std::optional<PageBreak> MendTable(const QTextDocument& laidOut, const QTextTable& table)
{
    QList<int> rowPages;
    for (int row = 0; row < table.rows(); ++row)
        rowPages.append(PageOf(laidOut, laidOut.findBlock(table.cellAt(row, 0).firstPosition())));
    if (rowPages.first() == rowPages.last())
        return std::nullopt;
    const int header = std::min(table.format().headerRowCount(), table.rows());
    const auto onFirstPage = std::count(rowPages.begin() + header, rowPages.end(), rowPages.first());
    const auto onLastPage = std::count(rowPages.begin(), rowPages.end(), rowPages.last());
    if (onFirstPage > 1 && onLastPage > 1)
        return std::nullopt;
    return Whole(laidOut, laidOut.findBlock(table.cellAt(0, 0).firstPosition()));
}

std::optional<PageBreak> MendBlock(const QTextDocument& laidOut, const QTextBlock& block)
{
    const QList<int> pages = LinePages(laidOut, block);
    if (pages.isEmpty() || !Prints(block))
        return std::nullopt;
    const qsizetype lines = pages.size();
    // Its first line alone at the foot of a page.
    if (lines >= 2 && pages[0] != pages[1])
        return Whole(laidOut, block);
    // Its last line alone at the top of a page.
    if (lines >= 2 && pages[lines - 1] != pages[lines - 2])
        return End(laidOut, block);

    const QTextBlock next = NextPrinted(block);
    const bool chapterEnds = !next.isValid() || BreaksBefore(PartStart(next));
    // Parted from what it leads to.
    if (!chapterEnds && KeepsWithNext(block) && pages.last() != PageOf(laidOut, next))
        return End(laidOut, block);
    // The only line on the last page of a chapter.
    if (chapterEnds && lines == 1 && !BreaksBefore(block)) {
        const QTextBlock before = PreviousPrinted(block);
        if (before.isValid() && LastPageOf(laidOut, before) < pages.last())
            return TableOf(before) ? Whole(laidOut, before) : End(laidOut, before);
    }
    return std::nullopt;
}

// The first place, in the text's order, where a page breaks badly and
// moving text to the next page mends it.
std::optional<PageBreak> FirstFault(const QTextDocument& laidOut)
{
    for (QTextBlock block = laidOut.begin(); block.isValid(); block = block.next()) {
        std::optional<PageBreak> mend;
        if (const QTextTable* table = TableOf(block)) {
            if (block == PartStart(block))
                mend = MendTable(laidOut, *table);
        } else {
            mend = MendBlock(laidOut, block);
        }
        if (mend)
            return mend;
    }
    return std::nullopt;
}

// A paragraph goes on at the top of the next page from the given line, as
// a block of its own; the rest of a list item carries no second bullet.
void SplitAt(QTextDocument& source, const QTextDocument& laidOut, const PageBreak& at)
{
    const QTextBlock block = source.findBlockByNumber(at.block);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + laidOut.findBlockByNumber(at.block).layout()->lineAt(at.line).textStart());
    cursor.insertBlock();
    const QTextBlock rest = cursor.block();
    if (QTextList* list = rest.textList())
        list->remove(rest);
    QTextBlockFormat format;
    format.setTopMargin(0);
    QTextCursor(rest).mergeBlockFormat(format);
    BreakPageBefore(rest);
}

} // namespace

void BreakPageBefore(const QTextBlock& block)
{
    if (QTextTable* table = TableOf(block)) {
        QTextTableFormat format = table->format();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
        return;
    }
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
}

// Moving text to the next page only ever pushes later text down, so the
// faults are mended in the text's order, one layout each. Each mend starts
// a page with a block that did not begin one, so the mending ends.
void MendPageBreaks(QTextDocument& source, const std::function<std::unique_ptr<QTextDocument>()>& layOut)
{
    for (;;) {
        const std::unique_ptr<QTextDocument> laidOut = layOut();
        const std::optional<PageBreak> fault = FirstFault(*laidOut);
        if (!fault)
            return;
        if (fault->line > 0)
            SplitAt(source, *laidOut, *fault);
        else
            BreakPageBefore(source.findBlockByNumber(fault->block));
    }
}

} // namespace zeltomir::manual
