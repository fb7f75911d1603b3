#pragma once

// Writes the manual as an A4 PDF: the Markdown laid out on pages with
// margins, its figures (ManualFigures.h) in place, a footer with the manual's title and the page number on every
// page after the title page.

#include <QString>

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

} // namespace zeltomir::manual
