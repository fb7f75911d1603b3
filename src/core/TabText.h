#pragma once

// Blocks of cells as the tab-separated text that spreadsheets and statistics
// packages put on and take from the clipboard: cells separated by a tab, rows
// by a line end. A cell holding a tab, a line break or a leading double quote
// is written in double quotes with its quotes doubled, so that it reads back
// as one cell; a quote inside a cell otherwise stays as it is ("5\" pipe").

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zeltomir::core {

// One inner list per row. Rows may differ in length.
using TabRows = QList<QStringList>;

// Each row ends with "\n", the last one included, as spreadsheets write it.
// No rows give an empty text. A row without cells reads back as one empty
// cell, since a blank line cannot tell the two apart.
QString EncodeTabText(const TabRows& rows);

// Accepts "\r\n", "\n" or a lone "\r" as line end, with or without a line
// end after the last row; an empty text gives no rows. A quoted cell runs to
// its closing quote (line ends and tabs inside belong to the cell, "" is one
// quote); text between the closing quote and the next tab or line end is
// kept. An opening quote that is never closed is taken as a plain character,
// so one stray quote cannot swallow the rest of the text.
TabRows DecodeTabText(QStringView text);

} // namespace zeltomir::core
