// The manual's pages as a reader sees them: no line runs past the edge of
// the text, no page holds only a heading or a single line, no page ends
// with a heading or with a paragraph that introduces what follows, and no
// paragraph, example or table leaves one line (or row) alone at the foot or
// the top of a page. Checked on the manual the build rendered, and on small
// texts that put each kind of part at every height around a page's end.

#include "manual/ManualExamples.h"
#include "manual/ManualPdf.h"
#include "manual/ManualSource.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QFileInfo>
#include <QGlyphRun>
#include <QImage>
#include <QPdfWriter>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>

namespace zeltomir::app {
namespace {

constexpr double Slack = 0.5; // device pixels

struct PrintedLine {
    int page;   // from 1
    double top; // device pixels from the top of its page
    double right; // where its text ends, from the left edge of the text
    bool heading;
    bool endsBlock;
    QString text;
};

// The layout keeps measuring on the writer it was made for.
struct LaidOutManual {
    QBuffer pdf;
    QPdfWriter writer{&pdf};
    manual::ManualPages pages;
};

std::unique_ptr<LaidOutManual> LayOut(const QString& markdown, const QString& folder = QString())
{
    auto manual = std::make_unique<LaidOutManual>();
    manual->pdf.open(QIODevice::WriteOnly);
    manual->pages = manual::LayOutManual(markdown, folder, manual->writer);
    return manual;
}

QList<PrintedLine> LinesOf(const QTextDocument& pages, const QTextBlock& block)
{
    QList<PrintedLine> lines;
    const QTextLayout* layout = block.layout();
    if (block.length() <= 1 || !layout)
        return lines; // an empty block prints nothing
    const QRectF box = pages.documentLayout()->blockBoundingRect(block);
    const double pageHeight = pages.pageSize().height();
    for (int i = 0; i < layout->lineCount(); ++i) {
        const QTextLine line = layout->lineAt(i);
        const double top = box.top() + line.y();
        // A line is on the page that holds its middle.
        const int page = int(std::floor((top + line.height() / 2) / pageHeight));
        lines.append({page + 1, top - page * pageHeight, box.left() + line.x() + line.naturalTextWidth(),
                      block.blockFormat().headingLevel() > 0, i + 1 == layout->lineCount(),
                      block.text().mid(line.textStart(), line.textLength()).trimmed()});
    }
    return lines;
}

// What should not leave a single line alone on a page: a paragraph, an
// example (its lines), a table (its rows below the header).
QList<QList<PrintedLine>> PartsOf(const QTextDocument& pages)
{
    QList<QList<PrintedLine>> parts;
    for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
        if (const QTextTable* table = QTextCursor(block).currentTable()) {
            if (block.position() != table->cellAt(0, 0).firstPosition())
                continue;
            QList<PrintedLine> rows;
            for (int row = table->format().headerRowCount(); row < table->rows(); ++row)
                rows.append(LinesOf(pages, pages.findBlock(table->cellAt(row, 0).firstPosition())).value(0));
            parts.append(rows);
        } else if (manual::IsExampleLine(block) && manual::IsExampleLine(block.previous())) {
            parts.last().append(LinesOf(pages, block));
        } else {
            parts.append(LinesOf(pages, block));
        }
    }
    return parts;
}

QString Quoted(const PrintedLine& line)
{
    return QLatin1Char('"') + line.text.left(40) + QLatin1Char('"');
}

QStringList PageFaults(const manual::ManualPages& manual)
{
    const QTextDocument& pages = *manual.document;
    QStringList faults;
    std::map<int, QList<PrintedLine>> byPage;
    for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
        for (const PrintedLine& line : LinesOf(pages, block)) {
            byPage[line.page].append(line);
            if (line.right > pages.pageSize().width() + Slack)
                faults << QStringLiteral("page %1: %2 runs past the edge").arg(line.page).arg(Quoted(line));
        }
    }
    for (auto& [page, lines] : byPage) {
        std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.top < b.top; });
        // The cells of a table row share one line of the page.
        int rows = 1;
        for (qsizetype i = 1; i < lines.size(); ++i)
            rows += lines[i].top > lines[i - 1].top + 2 * Slack ? 1 : 0;
        if (rows == 1)
            faults << QStringLiteral("page %1 holds only %2").arg(page).arg(Quoted(lines.first()));
        else if (std::all_of(lines.begin(), lines.end(), [](const auto& line) { return line.heading; }))
            faults << QStringLiteral("page %1 holds only headings").arg(page);
        const PrintedLine& foot = lines.last();
        const bool leadsOn = foot.heading || (foot.endsBlock && foot.text.endsWith(QLatin1Char(':')));
        if (leadsOn && page < pages.pageCount())
            faults << QStringLiteral("page %1 ends with %2").arg(page).arg(Quoted(foot));
    }
    for (const QList<PrintedLine>& part : PartsOf(pages)) {
        if (part.isEmpty() || part.first().page == part.last().page)
            continue;
        const auto onPage = [&part](int page) {
            return std::count_if(part.begin(), part.end(), [page](const auto& line) { return line.page == page; });
        };
        const PrintedLine& first = part.first();
        const PrintedLine& last = part.last();
        if (onPage(first.page) == 1)
            faults << QStringLiteral("page %1 ends with the single line %2").arg(first.page).arg(Quoted(first));
        if (onPage(last.page) == 1)
            faults << QStringLiteral("page %1 begins with the single line %2").arg(last.page).arg(Quoted(last));
    }
    return faults;
}

// The part after the picture begins on the picture's page if three of its
// lines fit below it: what would be left alone on either page is two lines.
void ExpectBeginsBelow(const manual::ManualPages& manual, const QString& picture)
{
    const QTextDocument& pages = *manual.document;
    QTextBlock block = pages.begin();
    while (block.isValid() && !block.text().contains(QChar::ObjectReplacementCharacter))
        block = block.next();
    ASSERT_TRUE(block.isValid()) << picture.toStdString();
    const PrintedLine below = LinesOf(pages, block.next()).value(0);
    const double pictureFoot = pages.documentLayout()->blockBoundingRect(block).bottom();
    const double room = pages.pageSize().height() - std::fmod(pictureFoot, pages.pageSize().height());
    const double lineHeight = block.next().layout()->lineAt(0).height();
    if (room >= 3 * lineHeight) {
        EXPECT_EQ(below.page, LinesOf(pages, block).value(0).page) << "room for " << room / lineHeight << " lines";
    }
}

TEST(ManualLayoutTest, TheBuiltManualPrintsEveryLineWholeOnPagesThatBreakCleanly)
{
    const QString staged = QStringLiteral(ZELTOMIR_MANUAL_STAGE "/manual.md");
    if (!QFileInfo::exists(staged))
        GTEST_SKIP() << "the manual is not built in this build folder";
    const manual::ManualSource source = manual::ReadManualSource(staged);
    ASSERT_TRUE(source.ok()) << source.error.toStdString();
    const std::unique_ptr<LaidOutManual> manual = LayOut(source.markdown, QFileInfo(staged).absolutePath());
    ASSERT_TRUE(manual->pages.ok()) << manual->pages.error.toStdString();
    const QStringList faults = PageFaults(manual->pages);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
}

TEST(ManualLayoutTest, EachKindOfPartBreaksCleanlyWhereverThePageEnds)
{
    const QString sentence = QStringLiteral("A sentence of ordinary words that fills a part of a line. ");
    const QString paragraph = sentence.repeated(8); // about five lines
    struct Kind {
        const char* what;
        QString markdown;
        bool splits; // goes over only in part when the page has room for three of its lines
    };
    const Kind kinds[] = {
        {"paragraph", paragraph, true},
        {"section heading", QStringLiteral("## Section\n\n") + sentence.repeated(3), false},
        {"lead-in to a list", QStringLiteral("The choices:\n\n- one\n- two\n- three"), false},
        {"list item", QStringLiteral("- ") + paragraph + QStringLiteral("\n- A short item."), true},
        {"example", QStringLiteral("```\nfirst line\nsecond line\nthird line\nfourth line\n```"), false},
        {"table", QStringLiteral("| A | B |\n|---|---|\n| 1 | 2 |\n| 3 | 4 |\n| 5 | 6 |\n| 7 | 8 |"), false},
        {"chapter's last line", QStringLiteral("Last words."), false},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A picture of a growing height moves the part after it, which ends the
    // first chapter, through the foot of the page in steps of half a line.
    for (int spacer = 1700; spacer <= 2180; spacer += 24) {
        const QString picture = QStringLiteral("spacer%1.png").arg(spacer);
        ASSERT_TRUE(QImage(10, spacer, QImage::Format_RGB32).save(folder.filePath(picture)));
        for (const Kind& kind : kinds) {
            SCOPED_TRACE(std::string(kind.what) + " after " + std::to_string(spacer) + " dots");
            const QString markdown = QStringLiteral("# Guide\n\nA subtitle.\n\n# One\n\n")
                + QStringLiteral("Filler.\n\n").repeated(10) + QStringLiteral("![](%1)\n\n").arg(picture)
                + kind.markdown + QStringLiteral("\n\n# Two\n\nThe end.\n");
            const std::unique_ptr<LaidOutManual> manual = LayOut(markdown, folder.path());
            ASSERT_TRUE(manual->pages.ok()) << manual->pages.error.toStdString();
            const QStringList faults = PageFaults(manual->pages);
            EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
            if (kind.splits)
                ExpectBeginsBelow(manual->pages, picture);
        }
    }
}

TEST(ManualLayoutTest, AnExampleLineIsSetSmallerToStayWholeAndWrapsOnlyWhenItMust)
{
    const QString command = QStringLiteral("$ zeltomir-cli optimize --factor Temperature=100..200/1 --factor "
                                           "Time=10..30/1 --save run.sso < results.txt");
    const QString record = QStringLiteral(R"({"event":"advice","vertex":14,"advice":[{"rule":"no-improvement",)"
                                          R"("text":"No better result in the last 6 trials."},{"rule":"vertex-kept",)"
                                          R"("text":"Vertex 6 has been kept."}]})");
    const QString markdown = QStringLiteral("# Notes\n\nRun:\n\n```\n%1\n```\n\nIt writes:\n\n```\n%2\n```\n");
    const std::unique_ptr<LaidOutManual> manual = LayOut(markdown.arg(command, record));
    ASSERT_TRUE(manual->pages.ok()) << manual->pages.error.toStdString();
    const QStringList faults = PageFaults(manual->pages);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    QStringList printed;
    const QTextDocument& pages = *manual->pages.document;
    for (QTextBlock block = pages.begin(); block.isValid(); block = block.next()) {
        for (const PrintedLine& line : LinesOf(pages, block))
            printed << line.text;
    }
    // A command that fits at a size still easy to read can be copied whole.
    EXPECT_TRUE(printed.contains(command)) << printed.join(QLatin1Char('\n')).toStdString();
    // A longer line wraps, and nothing of it is lost.
    EXPECT_FALSE(printed.contains(record));
    const qsizetype start = printed.indexOf(QStringLiteral("It writes:")) + 1;
    EXPECT_EQ(printed.mid(start).join(QLatin1Char(' ')), record);
}

// A PDF reader takes a ligature glyph for one character, so a search for
// "file" would miss a "fi" drawn as one: every letter of the manual's text
// gets a glyph of its own, in body text, headings and examples alike.
TEST(ManualLayoutTest, EveryLetterIsAGlyphOfItsOwn)
{
    const std::unique_ptr<LaidOutManual> manual =
        LayOut(QStringLiteral("# Define files\n\nThe first reflection.\n\n```\nfile office\n```\n"));
    ASSERT_TRUE(manual->pages.ok()) << manual->pages.error.toStdString();
    int blocks = 0;
    for (QTextBlock block = manual->pages.document->begin(); block.isValid(); block = block.next()) {
        manual->pages.document->documentLayout()->blockBoundingRect(block); // lays the block out
        qsizetype glyphs = 0;
        for (int i = 0; i < block.layout()->lineCount(); ++i) {
            for (const QGlyphRun& run : block.layout()->lineAt(i).glyphRuns())
                glyphs += run.glyphIndexes().size();
        }
        EXPECT_EQ(glyphs, block.text().size()) << block.text().toStdString();
        ++blocks;
    }
    EXPECT_EQ(blocks, 3);
}

} // namespace
} // namespace zeltomir::app
