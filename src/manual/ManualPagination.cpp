#include "ManualPagination.h"

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
#include <optional>

namespace zeltomir::manual {

namespace {

// Stands for a page number while the pages are not known yet: as wide as
// any real number, so filling in the numbers moves no line.
const QString PagePlaceholder = QStringLiteral("000");

constexpr double PageEdgeSlack = 0.5; // device pixels
constexpr double EntryPoints = 10.5;
constexpr double SectionIndent = 24.0; // document pixels

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
    return copy;
}

void BreakBefore(const QTextBlock& block)
{
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
}

bool BreaksBefore(const QTextBlock& block)
{
    return block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

// The contents list goes in front of the first chapter. Returns the block
// number of its first entry; the entries follow one block each.
int InsertContents(QTextDocument& document, const ManualStructure& structure, double textWidth)
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
        line.setTopMargin(entry.chapter ? 8.0 : 1.0);
        line.setTabPositions({QTextOption::Tab(textWidth - line.leftMargin(), QTextOption::RightTab)});
        QTextCharFormat text;
        text.setFontPointSize(EntryPoints);
        text.setFontWeight(entry.chapter ? QFont::Bold : QFont::Normal);
        cursor.insertBlock(line, text);
        cursor.insertText(entry.text + QLatin1Char('\t') + PagePlaceholder, text);
    }
    return firstEntry;
}

bool KeepsWithNext(const QTextBlock& block)
{
    return block.blockFormat().headingLevel() >= 2 || block.blockFormat().boolProperty(KeepWithNextProperty);
}

// The first heading (or picture with a caption) whose following line went
// to the next page, if any, as its block number.
std::optional<int> FirstStrandedBlock(const QTextDocument& laidOut)
{
    for (QTextBlock block = laidOut.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!KeepsWithNext(block) || BreaksBefore(block) || !next.isValid())
            continue;
        if (PageOf(laidOut, block) != PageOf(laidOut, next))
            return block.blockNumber();
    }
    return std::nullopt;
}

// Moving a block to the next page can only push later text down, so the
// blocks are settled in document order, one layout each.
void KeepBlocksWithNext(QTextDocument& source, QPagedPaintDevice& device, const QSizeF& pageSize)
{
    while (const std::optional<int> stranded = FirstStrandedBlock(*LaidOut(source, device, pageSize)))
        BreakBefore(source.findBlockByNumber(*stranded));
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
    double top = laidOut.documentLayout()->blockBoundingRect(block).top();
    // A first line that did not fit at the foot of a page is moved to the
    // next page inside its block, whose top stays behind.
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0)
        top += layout->lineAt(0).y();
    const double pageHeight = laidOut.pageSize().height();
    // A line at the top of a page starts at the page's edge, give or take
    // the rounding of the layout's fixed-point positions.
    return int(std::floor((top + PageEdgeSlack) / pageHeight)) + 1;
}

std::unique_ptr<QTextDocument> PaginateManual(QTextDocument& source, QPagedPaintDevice& device,
                                              const QSizeF& pageSize)
{
    const ManualStructure structure = FindStructure(source);
    if (!structure.hasTitlePage()) {
        KeepBlocksWithNext(source, device, pageSize);
        return LaidOut(source, device, pageSize);
    }

    const double scale = double(device.logicalDpiX()) / 96.0; // tab stops are in document pixels
    const int firstEntry = InsertContents(source, structure, pageSize.width() / scale);
    // The insertion split the first chapter's block: look again.
    for (const Heading& heading : FindStructure(source).headings) {
        if (heading.level == 1)
            BreakBefore(heading.block);
    }
    KeepBlocksWithNext(source, device, pageSize);
    FillPageNumbers(source, *LaidOut(source, device, pageSize), firstEntry);
    return LaidOut(source, device, pageSize);
}

} // namespace zeltomir::manual
