#include "ManualFigures.h"

#include "ManualPageBreaks.h"

#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace zeltomir::manual {

namespace {

// Private-use characters, which no manual text holds, open the marker
// paragraphs: the picture's is followed by the figure's index, the caption's
// by the caption's own Markdown.
constexpr char16_t PictureMarker = u'\uE000';
constexpr char16_t CaptionMarker = u'\uE001';
const QString ResourcePrefix = QStringLiteral("zeltomir-figure:");

// The share of the text height a picture may take: its page keeps room for
// a section heading above it and a caption of a few lines below.
constexpr double MaxHeightShare = 0.75;

// Image sizes are set in the document's pixels, 1/96 inch, which the layout
// scales to the page.
constexpr double DocumentDpi = 96.0;

constexpr double SpaceAbove = 6.0; // document pixels
constexpr double CaptionSpaceBelow = 12.0;

QString Failed(const QString& path, const QString& why)
{
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why);
}

QString ReadPicture(const QString& path, QImage& image)
{
    const QFileInfo info(path);
    if (!info.exists())
        return Failed(path, QStringLiteral("the file does not exist."));
    if (info.isDir())
        return Failed(path, QStringLiteral("the name is that of a folder, not a file."));
    QImageReader reader(path);
    image = reader.read();
    if (image.isNull())
        return Failed(path, QStringLiteral("the file cannot be read as a picture (%1).").arg(reader.errorString()));
    return {};
}

bool BlankLine(const QStringList& lines, qsizetype i)
{
    return i < 0 || i >= lines.size() || lines[i].trimmed().isEmpty();
}

void SetBlockLook(QTextCursor& cursor, double above, double below, bool keepWithNext)
{
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    format.setTopMargin(above);
    format.setBottomMargin(below);
    if (keepWithNext)
        format.setProperty(KeepWithNextProperty, true);
    cursor.mergeBlockFormat(format);
}

void PlacePicture(QTextDocument& document, const QTextBlock& block, int index, const Figure& figure,
                  const QSizeF& textSize, int resolution)
{
    const QImage& image = figure.image;
    const double scale = std::min({1.0, textSize.width() / image.width(),
                                   textSize.height() * MaxHeightShare / image.height()});
    // Rounded down: the layout rounds the size to whole document pixels, and
    // up could take the picture past the text width.
    const double toDocument = scale * DocumentDpi / resolution;
    const QString name = ResourcePrefix + QString::number(index);
    document.addResource(QTextDocument::ImageResource, QUrl(name), image);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(std::floor(image.width() * toDocument));
    format.setHeight(std::floor(image.height() * toDocument));

    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertImage(format);
    const bool captioned = !figure.caption.isEmpty();
    SetBlockLook(cursor, SpaceAbove, captioned ? 0.0 : CaptionSpaceBelow, captioned);
}

void PlaceCaption(const QTextBlock& block)
{
    QTextCursor cursor(block);
    cursor.deleteChar(); // the marker
    SetBlockLook(cursor, 4.0, CaptionSpaceBelow, false);
}

// The first image that is not a placed figure, by the name it was written with.
std::optional<QString> StrayImage(const QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isImageFormat() && !format.toImageFormat().name().startsWith(ResourcePrefix))
                return format.toImageFormat().name();
        }
    }
    return std::nullopt;
}

} // namespace

FigureSource TakeFigures(const QString& markdown, const QDir& sourceFolder)
{
    static const QRegularExpression figureLine(QStringLiteral(R"(^ {0,3}!\[(.*)\]\(([^\s()]+)\)\s*$)"));
    static const QRegularExpression fenceLine(QStringLiteral(R"(^ {0,3}(`{3,}|~{3,}))"));

    FigureSource source;
    source.folder = sourceFolder;
    QStringList lines = markdown.split(QLatin1Char('\n'));
    QString fence; // the fence that opened the code block the line is in
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (const QRegularExpressionMatch mark = fenceLine.match(lines[i]); mark.hasMatch()) {
            const QString opened = mark.captured(1);
            if (fence.isEmpty())
                fence = opened;
            else if (opened.front() == fence.front() && opened.size() >= fence.size())
                fence.clear();
            continue;
        }
        // A paragraph of its own: blank lines (or the text's ends) around it.
        if (!fence.isEmpty() || !BlankLine(lines, i - 1) || !BlankLine(lines, i + 1))
            continue;
        const QRegularExpressionMatch image = figureLine.match(lines[i]);
        if (!image.hasMatch())
            continue;
        Figure figure{image.captured(1).trimmed(), sourceFolder.filePath(image.captured(2)), QImage()};
        if (const QString error = ReadPicture(figure.file, figure.image); !error.isEmpty()) {
            source.error = error;
            return source;
        }
        QString markers = QChar(PictureMarker) + QString::number(source.figures.size());
        if (!figure.caption.isEmpty())
            markers += QStringLiteral("\n\n") + QChar(CaptionMarker) + figure.caption;
        lines[i] = markers;
        source.figures.append(figure);
    }
    source.markdown = lines.join(QLatin1Char('\n'));
    return source;
}

QString PlaceFigures(QTextDocument& document, const FigureSource& source, const QSizeF& textSize, int resolution)
{
    // Markers are replaced inside their blocks, so the blocks themselves
    // stay as the walk found them.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (text.startsWith(QChar(CaptionMarker))) {
            PlaceCaption(block);
            continue;
        }
        if (!text.startsWith(QChar(PictureMarker)))
            continue;
        bool isNumber = false;
        const int index = text.mid(1).toInt(&isNumber);
        if (isNumber && index >= 0 && index < source.figures.size())
            PlacePicture(document, block, index, source.figures[index], textSize, resolution);
    }
    if (const std::optional<QString> stray = StrayImage(document))
        return Failed(source.folder.filePath(*stray),
                      QStringLiteral("a picture is shown only as a paragraph of its own, written "
                                     "![Caption](path/name.png)."));
    return {};
}

} // namespace zeltomir::manual
