#include "ManualStyle.h"

#include "ManualExamples.h"
#include "ManualPageBreaks.h"
#include "ManualStructure.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace zeltomir::manual {

namespace {

// Sizes in points, spacing in the document's pixels (1/96 inch, scaled to
// the printer by the layout).
constexpr double BodyPoints = 10.0;
constexpr double TitlePoints = 30.0;
constexpr double TitlePagePoints = 13.0;
constexpr double TitleTopSpace = 260.0;

struct HeadingLook {
    double points;
    double spaceAbove;
    double spaceBelow;
};

HeadingLook LookOf(int level)
{
    switch (level) {
    case 1:
        return {20.0, 0.0, 18.0};
    case 2:
        return {14.0, 18.0, 6.0};
    case 3:
        return {11.5, 12.0, 4.0};
    default:
        return {BodyPoints, 10.0, 2.0};
    }
}

QFont BodyFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Sans Serif")});
    font.setPointSizeF(BodyPoints);
    // No ligatures: a reader searching the PDF for "file" or "Define" must
    // find the letters, not one fi glyph.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

bool IsFixedPitch(const QTextCharFormat& format)
{
    return format.fontFixedPitch() || format.font().fixedPitch()
        || format.fontFamilies().toStringList().join(QLatin1Char(' ')).contains(QLatin1String("Mono"));
}

struct Run {
    int position;
    int length;
    QTextCharFormat format;
};

// The block's runs of equally formatted text, taken before any of them is
// changed: a format change may merge neighbouring runs under an iterator.
QList<Run> RunsOf(const QTextBlock& block)
{
    QList<Run> runs;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        runs.append({it.fragment().position(), it.fragment().length(), it.fragment().charFormat()});
    return runs;
}

void SetRunFormat(const QTextBlock& block, const Run& run, const QTextCharFormat& format)
{
    QTextCursor cursor(block);
    cursor.setPosition(run.position);
    cursor.setPosition(run.position + run.length, QTextCursor::KeepAnchor);
    cursor.setCharFormat(format);
}

// Sets the size of every piece of text in the block. The reader gives
// headings a relative size; an absolute one keeps the printed sizes exact.
void SetBlockTextSize(const QTextBlock& block, double points, bool bold)
{
    for (const Run& run : RunsOf(block)) {
        QTextCharFormat format = run.format;
        format.clearProperty(QTextFormat::FontSizeAdjustment);
        format.setFontPointSize(points);
        if (bold)
            format.setFontWeight(QFont::Bold);
        SetRunFormat(block, run, format);
    }
    QTextCursor cursor(block);
    QTextCharFormat blockChar = block.charFormat();
    blockChar.clearProperty(QTextFormat::FontSizeAdjustment);
    blockChar.setFontPointSize(points);
    cursor.setPosition(block.position());
    cursor.setBlockCharFormat(blockChar);
}

void StyleHeadings(const ManualStructure& structure)
{
    for (const Heading& heading : structure.headings) {
        const HeadingLook look = LookOf(heading.level);
        SetBlockTextSize(heading.block, look.points, true);
        QTextBlockFormat format;
        format.setTopMargin(look.spaceAbove);
        format.setBottomMargin(look.spaceBelow);
        QTextCursor(heading.block).mergeBlockFormat(format);
    }
}

void StyleTitlePage(const ManualStructure& structure)
{
    if (!structure.hasTitlePage())
        return;
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignHCenter);
    title.setTopMargin(TitleTopSpace);
    title.setBottomMargin(36.0);
    QTextCursor(structure.titleBlock).mergeBlockFormat(title);
    SetBlockTextSize(structure.titleBlock, TitlePoints, true);

    const QTextBlock firstChapter = structure.headings.isEmpty() ? QTextBlock() : structure.headings.first().block;
    QTextBlockFormat line;
    line.setAlignment(Qt::AlignHCenter);
    line.setBottomMargin(10.0);
    for (QTextBlock block = structure.titleBlock.next(); block.isValid() && block != firstChapter;
         block = block.next()) {
        QTextCursor(block).mergeBlockFormat(line);
        SetBlockTextSize(block, TitlePagePoints, false);
    }
}

void StyleTable(QTextTable& table)
{
    QTextTableFormat format = table.format();
    format.setBorder(0.5);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QBrush(QColor(0x80, 0x80, 0x80)));
    // Separate cell borders: with collapsed ones the lines come from the
    // cells, which the Markdown reader leaves without any.
    format.setBorderCollapse(false);
    format.setCellSpacing(0);
    format.setCellPadding(4);
    format.setHeaderRowCount(1);
    format.setTopMargin(4);
    format.setBottomMargin(10);
    table.setFormat(format);
    // Cell paragraphs keep no space below them; the padding is enough.
    for (int row = 0; row < table.rows(); ++row) {
        for (int column = 0; column < table.columns(); ++column) {
            const QTextTableCell cell = table.cellAt(row, column);
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                const QTextBlock block = it.currentBlock();
                if (!block.isValid())
                    continue;
                QTextBlockFormat tight;
                tight.setTopMargin(0);
                tight.setBottomMargin(0);
                QTextCursor(block).mergeBlockFormat(tight);
            }
        }
    }
    for (int column = 0; column < table.columns(); ++column) {
        QTextTableCell cell = table.cellAt(0, column);
        QTextTableCellFormat header = cell.format().toTableCellFormat();
        header.setBackground(QColor(0xe8, 0xe8, 0xe8));
        header.setFontWeight(QFont::Bold);
        cell.setFormat(header);
    }
}

void StyleTables(QTextDocument& document)
{
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame))
            StyleTable(*table);
    }
}

// Inline code keeps nearly the body size, so it does not shrink inside a line.
void StyleInlineCode(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (IsExampleLine(block))
            continue;
        for (const Run& run : RunsOf(block)) {
            if (!IsFixedPitch(run.format) || run.format.hasProperty(QTextFormat::FontPointSize))
                continue;
            QTextCharFormat format = run.format;
            format.setFontPointSize(BodyPoints - 0.5);
            SetRunFormat(block, run, format);
        }
    }
}

void StyleParagraphs(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 || QTextCursor(block).currentTable())
            continue;
        QTextBlockFormat format = block.blockFormat();
        if (format.nonBreakableLines())
            continue; // a line of an example
        if (format.bottomMargin() < 6.0 && !block.textList())
            format.setBottomMargin(6.0);
        // A paragraph or list item that ends in a colon introduces the list,
        // table or example after it, and is not printed apart from it.
        if (block.text().trimmed().endsWith(QLatin1Char(':')))
            format.setProperty(KeepWithNextProperty, true);
        QTextCursor(block).setBlockFormat(format);
    }
}

} // namespace

void ApplyManualStyle(QTextDocument& document, const ManualStructure& structure)
{
    document.setDefaultFont(BodyFont());
    StyleParagraphs(document);
    StyleTables(document);
    StyleExamples(document);
    StyleInlineCode(document);
    StyleHeadings(structure);
    StyleTitlePage(structure);
}

} // namespace zeltomir::manual
