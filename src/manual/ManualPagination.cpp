#include "ManualPagination.h"

#include "ManualPageBreaks.h"
#include "ManualStructure.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QList>
#include <QPagedPaintDevice>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace zeltomir::manual {

namespace {

// Stands for a page number while the pages are not known yet: as wide as
// any real number, so filling in the numbers moves no line.
const QString PagePlaceholder = QStringLiteral("000");

constexpr double PageEdgeSlack = 0.5; // device pixels
constexpr double EntryPoints = 10.5;
constexpr double SectionIndent = 24.0; // device pixels, as the layout takes a left margin
// Space above a chapter's entry in the contents list, in document pixels,
// and how far it may be closed up to keep the list on one page.
constexpr double ChapterGap = 8.0;
constexpr double SmallestChapterGap = 3.0;

int PageAt(const QTextDocument& laidOut, double y)
{
    // A line at the top of a page starts at the page's edge, give or take
    // the rounding of the layout's fixed-point positions.
    return int(std::floor((y + PageEdgeSlack) / laidOut.pageSize().height())) + 1;
}

// Every measurement is taken on a fresh copy laid out from scratch: the
// text layout's incremental update after a format change has been seen to
// leave later paragraphs without lines in a long document with tables.
std::unique_ptr<QTextDocument> LaidOut(const QTextDocument& source, QPagedPaintDevice& device,
                                       const QSizeF& pageSize)
{
    std::unique_ptr<QTextDocument> copy(source.clone());
    copy->documentLayout()->setPaintDevice(&device);
    copy->setDocumentMargin(0);
    copy->setPageSize(pageSize);
    // The layout is done lazily, as far as asked for; the lines of the
    // blocks are read directly, so it is done in full first.
    copy->pageCount();
    return copy;
}

// The contents list goes in front of the first chapter. Returns the block
// number of its first entry; the entries follow one block each. The text
// width is in device pixels, scale of them to a document pixel.
int InsertContents(QTextDocument& document, const ManualStructure& structure, double textWidth, double scale)
{
    // The texts are taken first: the split below moves the first chapter's
    // heading to another block.
    struct Entry {
        QString text;
        bool chapter;
    };
    QList<Entry> entries;
    for (const Heading& heading : structure.contentsEntries())
        entries.append({heading.block.text().simplified(), heading.level == 1});
    const QTextBlock firstChapter = structure.headings.first().block;
    const QTextBlockFormat chapterFormat = firstChapter.blockFormat();
    const QTextCharFormat chapterCharFormat = firstChapter.charFormat();

    // Splitting the chapter's block at its start leaves an empty block in
    // front of it, which becomes the contents heading.
    QTextCursor cursor(&document);
    cursor.setPosition(firstChapter.position());
    cursor.insertBlock(chapterFormat, chapterCharFormat);
    cursor.movePosition(QTextCursor::PreviousBlock);

    QTextBlockFormat heading;
    heading.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    heading.setBottomMargin(18.0);
    QTextCharFormat headingText;
    headingText.setFontPointSize(20.0);
    headingText.setFontWeight(QFont::Bold);
    cursor.setBlockFormat(heading);
    cursor.setBlockCharFormat(headingText);
    cursor.insertText(ContentsTitle, headingText);
    const int firstEntry = cursor.block().blockNumber() + 1;

    for (const Entry& entry : entries) {
        QTextBlockFormat line;
        line.setLeftMargin(entry.chapter ? 0.0 : SectionIndent);
        line.setTopMargin(entry.chapter ? ChapterGap : 1.0);
        // A tab stop is in document pixels from the start of the text,
        // inside the margin, so that every page number ends at the right
        // edge; a pixel short of it, as a stop that the rounding puts a
        // hair past the end of the line sends the number to a line of its
        // own.
        const double stop = textWidth - line.leftMargin() - 1.0;
        line.setTabPositions({QTextOption::Tab(stop / scale, QTextOption::RightTab)});
        QTextCharFormat text;
        text.setFontPointSize(EntryPoints);
        text.setFontWeight(entry.chapter ? QFont::Bold : QFont::Normal);
        cursor.insertBlock(line, text);
        cursor.insertText(entry.text + QLatin1Char('\t') + PagePlaceholder, text);
    }
    return firstEntry;
}

// A contents list a little longer than a page is kept to one by closing
// up the space above its chapters.
void FitContents(QTextDocument& source, QPagedPaintDevice& device, const QSizeF& pageSize, int firstEntry,
                 int entries)
{
    // Measured on pages too tall to break inside the list.
    const double tallHeight = 4 * pageSize.height();
    const std::unique_ptr<QTextDocument> tall = LaidOut(source, device, QSizeF(pageSize.width(), tallHeight));
    const QAbstractTextDocumentLayout& layout = *tall->documentLayout();
    const double top = layout.blockBoundingRect(tall->findBlockByNumber(firstEntry - 1)).top();
    const double bottom = layout.blockBoundingRect(tall->findBlockByNumber(firstEntry + entries - 1)).bottom();
    const double excess = bottom + PageEdgeSlack - std::floor(top / tallHeight) * tallHeight - pageSize.height();
    if (excess <= 0)
        return;
    // The space above the first entry is taken up by the larger one below
    // the title.
    QList<QTextBlock> chapters;
    for (int i = 1; i < entries; ++i) {
        const QTextBlock entry = source.findBlockByNumber(firstEntry + i);
        if (entry.blockFormat().topMargin() == ChapterGap)
            chapters.append(entry);
    }
    if (chapters.isEmpty())
        return;
    const double scale = double(device.logicalDpiY()) / 96.0;
    const double gap = ChapterGap - excess / scale / double(chapters.size());
    if (gap < SmallestChapterGap)
        return;
    QTextBlockFormat closer;
    closer.setTopMargin(gap);
    for (const QTextBlock& chapter : chapters)
        QTextCursor(chapter).mergeBlockFormat(closer);
}

void FillPageNumbers(QTextDocument& source, const QTextDocument& laidOut, int firstEntry)
{
    const QList<Heading> headings = FindStructure(laidOut).contentsEntries();
    for (qsizetype i = 0; i < headings.size(); ++i) {
        const QTextBlock entry = source.findBlockByNumber(firstEntry + int(i));
        QTextCursor cursor(entry);
        cursor.movePosition(QTextCursor::EndOfBlock);
        cursor.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, int(PagePlaceholder.size()));
        cursor.insertText(QString::number(PageOf(laidOut, headings[i].block)));
    }
}

} // namespace

int PageOf(const QTextDocument& laidOut, const QTextBlock& block)
{
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0)
        return PageOfLine(laidOut, block, 0);
    return PageAt(laidOut, laidOut.documentLayout()->blockBoundingRect(block).top());
}

int PageOfLine(const QTextDocument& laidOut, const QTextBlock& block, int line)
{
    // A line that did not fit at the foot of a page is moved to the next
    // page inside its block, whose top stays behind.
    return PageAt(laidOut, laidOut.documentLayout()->blockBoundingRect(block).top() + block.layout()->lineAt(line).y());
}

std::unique_ptr<QTextDocument> PaginateManual(QTextDocument& source, QPagedPaintDevice& device,
                                              const QSizeF& pageSize)
{
    const auto layOut = [&source, &device, &pageSize] { return LaidOut(source, device, pageSize); };
    const ManualStructure structure = FindStructure(source);
    if (!structure.hasTitlePage()) {
        MendPageBreaks(source, layOut);
        return layOut();
    }

    const int firstEntry
        = InsertContents(source, structure, pageSize.width(), double(device.logicalDpiX()) / 96.0);
    // The insertion split the first chapter's block: look again.
    for (const Heading& heading : FindStructure(source).headings) {
        if (heading.level == 1)
            BreakPageBefore(heading.block);
    }
    FitContents(source, device, pageSize, firstEntry, int(structure.contentsEntries().size()));
    FitContents(source, device, pageSize, firstEntry, int(structure.contentsEntries().size()));
    MendPageBreaks(source, layOut);
    FillPageNumbers(source, *layOut(), firstEntry);
    return layOut();
}

} // namespace zeltomir::manual
