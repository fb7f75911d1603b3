#pragma once

// Writes the manual as an A4 PDF: the Markdown laid out on pages with
// margins, its figures (ManualFigures.h) in place, a footer with the manual's title and the page number on every
// page after the title page.

#include <QString>

#include <memory>

class QPdfWriter;
class QTextDocument;

namespace zeltomir::manual {

struct PdfResult {
    int pages = 0;
    QString error; // empty when the file was written

    bool ok() const { return error.isEmpty(); }
};

// The file is replaced only once the whole PDF has been written: a failure
// leaves an earlier manual at the path as it was. Pictures are found from
// sourceFolder, the folder of the manual's text.
PdfResult WriteManualPdf(const QString& markdown, const QString& sourceFolder, const QString& outputPath);

struct ManualPages {
    // Laid out on pages the size of the text area, in the writer's dots:
    // page n (from 0) is the part from n times the page height down. The
    // layout measures its text on the writer, which must outlive it.
    std::unique_ptr<QTextDocument> document;
    QString title;
    bool titlePage = false; // the first page, which carries no footer
    QString error;          // empty when the pictures could be placed

    bool ok() const { return error.isEmpty(); }
};

// What WriteManualPdf prints, laid out for the writer's pages, which it sets
// to A4 first.
ManualPages LayOutManual(const QString& markdown, const QString& sourceFolder, QPdfWriter& writer);

} // namespace zeltomir::manual
