#pragma once

// Pictures in the manual. A paragraph that is nothing but a Markdown image,
// ![Caption text](images/name.png), is a figure: the picture, with the path
// taken from the manual source's folder, across the middle of the text and
// its caption centred below it in the body style, the two on one page. The
// picture is scaled down to the text width (and to a share of the page's
// height, to leave room for the caption), never up: at most one image pixel
// to one dot of the page.
//
// Qt's Markdown reader loses an image whose alternative text is empty or
// splits one whose text is formatted, so figures never reach it as images:
// each paragraph is swapped for marker paragraphs first, and the markers for
// the picture and its caption once the document is built.

#include <QDir>
#include <QImage>
#include <QList>
#include <QSizeF>
#include <QString>

class QTextDocument;

namespace zeltomir::manual {

struct Figure {
    QString caption; // Markdown inline text; may be empty
    QString file;    // the picture's path, as the error messages name it
    QImage image;
};

struct FigureSource {
    QString markdown;      // the text with each figure replaced by its markers
    QList<Figure> figures; // in the order of the text
    QDir folder;           // where image paths start
    QString error;         // empty when every picture could be read

    bool ok() const { return error.isEmpty(); }
};

// Finds the figures and reads their pictures; a picture that is missing or
// cannot be read is refused with a message that names its file. Fenced code
// is left alone, so an example may show the image syntax.
FigureSource TakeFigures(const QString& markdown, const QDir& sourceFolder);

// Puts the pictures and captions in place of the markers in the document
// built from FigureSource::markdown. textSize is the page's text area in
// dots at `resolution` dots per inch. Refuses an image that is not a figure
// (one inside a paragraph of text, or with a title), naming its file.
QString PlaceFigures(QTextDocument& document, const FigureSource& source, const QSizeF& textSize, int resolution);

} // namespace zeltomir::manual
