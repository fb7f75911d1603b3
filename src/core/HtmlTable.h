#pragma once

// Blocks of cells as an HTML table, put on the clipboard beside their tab
// text. A spreadsheet pastes HTML cell by cell by the marks on each cell,
// where it reads tab text by its own language rules and takes "=1+1" for a
// formula, "-x" or "@x" for the start of one, and "1,234.5" for whatever
// its locale makes of it.
//
// A cell that is a number in the given locale (as the grids show numbers)
// carries its value with "." as the mark, and arrives as that number in a
// spreadsheet of any language; every other cell is marked as text and
// arrives as typed. LibreOffice reads the marks sdval and sdnum, Excel
// x:num and mso-number-format; the cell's text is escaped, its line breaks
// become <br>. An empty cell stays empty.

#include "core/TabText.h"

#include <QLocale>
#include <QString>

namespace zeltomir::core {

// A whole HTML document, UTF-8, with the table between the fragment marks
// that the Windows clipboard format asks for.
QString EncodeHtmlTable(const TabRows& rows, const QLocale& locale);

} // namespace zeltomir::core
