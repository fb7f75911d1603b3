#include "core/HtmlTable.h"

#include "core/NumberText.h"

#include <optional>

namespace zeltomir::core {

namespace {

// The General number format and the Text format "@", as LibreOffice writes
// them: the language (1033, English) names the format's keyword.
const QString NumberMarks = QStringLiteral(" sdnum=\"1033;0;General\"");
const QString TextMarks = QStringLiteral(" sdnum=\"1033;0;@\" style=\"mso-number-format:'\\@'\"");

void AppendEscaped(QString& out, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'"')
            out += QLatin1String("&quot;");
        else if (c == u'\r' || c == u'\n') {
            out += QLatin1String("<br>");
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else
            out += c;
    }
}

void AppendCell(QString& out, const QString& cell, const QLocale& locale)
{
    if (cell.isEmpty()) {
        out += QLatin1String("<td></td>");
        return;
    }
    out += QLatin1String("<td");
    if (const std::optional<double> value = ParseNumber(cell, locale)) {
        const QString point = ShortestForm(*value);
        out += QLatin1String(" sdval=\"") + point + QLatin1Char('"') + NumberMarks + QLatin1String(" x:num=\"")
             + point + QLatin1Char('"');
    } else {
        out += TextMarks;
    }
    out += QLatin1Char('>');
    AppendEscaped(out, cell);
    out += QLatin1String("</td>");
}

} // namespace

QString EncodeHtmlTable(const TabRows& rows, const QLocale& locale)
{
    QString out = QStringLiteral("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><head>"
                                 "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"></head>"
                                 "<body><!--StartFragment--><table>\n");
    for (const QStringList& row : rows) {
        out += QLatin1String("<tr>");
        for (const QString& cell : row)
            AppendCell(out, cell, locale);
        out += QLatin1String("</tr>\n");
    }
    out += QLatin1String("</table><!--EndFragment--></body></html>\n");
    return out;
}

} // namespace zeltomir::core
