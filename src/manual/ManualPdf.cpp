#include "ManualPdf.h"

#include "ManualExamples.h"
#include "ManualFigures.h"
#include "ManualPagination.h"
#include "ManualStructure.h"
#include "ManualStyle.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace zeltomir::manual {

namespace {

constexpr int Resolution = 300; // dots per inch of the page coordinates

// Margins of the printed text in millimetres; the footer sits in the bottom one.
constexpr double LeftMm = 22.0;
constexpr double RightMm = 20.0;
constexpr double TopMm = 20.0;
constexpr double BottomMm = 24.0;
constexpr double FooterBaselineMm = 13.0; // above the paper's lower edge
constexpr double FooterPoints = 8.5;

double Dots(double millimetres)
{
    return millimetres * Resolution / 25.4;
}

struct PageFrame {
    QRectF paper; // the whole sheet, in dots
    QRectF text;  // where the document's pages go
};

PageFrame FrameOf(const QPdfWriter& writer)
{
    const QRectF paper(0, 0, writer.width(), writer.height());
    const QRectF text = paper.adjusted(Dots(LeftMm), Dots(TopMm), -Dots(RightMm), -Dots(BottomMm));
    return {paper, text};
}

void PaintFooter(QPainter& painter, const PageFrame& frame, const QFont& font, const QString& title, int page)
{
    painter.save();
    QFont small = font;
    small.setPointSizeF(FooterPoints);
    painter.setFont(small);
    painter.setPen(QColor(0x50, 0x50, 0x50));
    const double baseline = frame.paper.height() - Dots(FooterBaselineMm);
    const QString number = QString::number(page);
    painter.drawText(QPointF(frame.text.left(), baseline), title);
    painter.drawText(QPointF(frame.text.right() - painter.fontMetrics().horizontalAdvance(number), baseline), number);
    painter.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), Dots(0.2)));
    const double rule = baseline - painter.fontMetrics().ascent() - Dots(1.5);
    painter.drawLine(QPointF(frame.text.left(), rule), QPointF(frame.text.right(), rule));
    painter.restore();
}

void PaintPage(QPainter& painter, QTextDocument& document, const PageFrame& frame, int index)
{
    const double height = frame.text.height();
    painter.save();
    painter.translate(frame.text.left(), frame.text.top() - index * height);
    const QRectF view(0, index * height, frame.text.width(), height);
    painter.setClipRect(view);
    QAbstractTextDocumentLayout::PaintContext context;
    // The layout draws every block that touches the clip; a block that starts
    // a hair above the next page's edge would otherwise be drawn (though
    // clipped away) on this page too, and turn up twice in a text search.
    context.clip = view.adjusted(0, 0, 0, -1.0);
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&painter, context);
    PaintContinuationMarks(painter, document, view);
    painter.restore();
}

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// The PDF writer dates the document at the moment it is written. A build
// that sets SOURCE_DATE_EPOCH (seconds since 1970, UTC) gets that moment
// instead, so that two builds of one commit give the same manual. The date
// keeps its length ("Z" or "+00'00'" for UTC), and with it every offset of
// the file's cross-reference table.
void DateAsTheBuildAsks(QByteArray& pdf)
{
    bool number = false;
    const qint64 seconds = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&number);
    const QByteArray key = "/CreationDate (D:";
    const qsizetype at = pdf.indexOf(key);
    if (!number || at < 0)
        return;
    const qsizetype digits = at + key.size();
    const QByteArray stamp = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(u"yyyyMMddHHmmss").toLatin1();
    const qsizetype zone = digits + stamp.size();
    if (stamp.size() != 14 || zone >= pdf.size())
        return;
    pdf.replace(digits, stamp.size(), stamp);
    if (pdf[zone] != 'Z' && pdf.mid(zone + 3, 1) == "'")
        pdf.replace(zone, 7, "+00'00'");
}

} // namespace

ManualPages LayOutManual(const QString& markdown, const QString& sourceFolder, QPdfWriter& writer)
{
    ManualPages result;
    const FigureSource figures = TakeFigures(markdown, QDir(sourceFolder));
    if (!figures.ok()) {
        result.error = figures.error;
        return result;
    }

    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    const PageFrame frame = FrameOf(writer);

    QTextDocument document;
    document.setMarkdown(figures.markdown);
    result.error = PlaceFigures(document, figures, frame.text.size(), Resolution);
    if (!result.ok())
        return result;
    const ManualStructure structure = FindStructure(document);
    ApplyManualStyle(document, structure);
    FitExamples(document, writer, frame.text.width());
    result.title = structure.title;
    result.titlePage = structure.hasTitlePage();
    result.document = PaginateManual(document, writer, frame.text.size());
    return result;
}

PdfResult WriteManualPdf(const QString& markdown, const QString& sourceFolder, const QString& outputPath)
{
    // The output is written to a temporary file, which a picture that
    // cannot be read leaves uncommitted.
    QSaveFile file(outputPath);
    if (QFileInfo(outputPath).isDir())
        return {0, QStringLiteral("%1: the name is that of a folder, not a file.").arg(Shown(outputPath))};
    if (!file.open(QIODevice::WriteOnly))
        return {0, QStringLiteral("%1: the file cannot be created (%2).").arg(Shown(outputPath), file.errorString())};

    // Made in memory first, for its date to be set before it is written.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setCreator(QStringLiteral("zeltomir-manual"));
    const ManualPages laidOut = LayOutManual(markdown, sourceFolder, writer);
    if (!laidOut.ok())
        return {0, laidOut.error};
    writer.setTitle(laidOut.title);
    QTextDocument& pages = *laidOut.document;
    const PageFrame frame = FrameOf(writer);
    const int pageCount = pages.pageCount();

    QPainter painter;
    if (!painter.begin(&writer))
        return {0, QStringLiteral("%1: the PDF could not be started.").arg(Shown(outputPath))};
    for (int index = 0; index < pageCount; ++index) {
        if (index > 0)
            writer.newPage();
        PaintPage(painter, pages, frame, index);
        // The title page carries no footer.
        if (index > 0 || !laidOut.titlePage)
            PaintFooter(painter, frame, pages.defaultFont(), laidOut.title, index + 1);
    }
    if (!painter.end())
        return {0, QStringLiteral("%1: the PDF could not be finished.").arg(Shown(outputPath))};
    DateAsTheBuildAsks(pdf.buffer());
    if (file.write(pdf.buffer()) != pdf.buffer().size() || !file.commit())
        return {0, QStringLiteral("%1: the file could not be written (%2).").arg(Shown(outputPath), file.errorString())};
    return {pageCount, QString()};
}

} // namespace zeltomir::manual
