#include "core/HtmlTable.h"

#include "core/NumberText.h"

#include <algorithm>
#include <optional>

namespace zeltomir::core {

namespace {

// A text cell: LibreOffice's Text format "@" and Excel's. A number cell
// gets the General format; the language (1033, English) names the
// format's keyword.
constexpr QLatin1String TextStart(R"(<td sdnum="1033;0;@" style="mso-number-format:'\@'">)");

bool NeedsEscape(QChar c)
{
    return c == u'<' || c == u'>' || c == u'&' || c == u'"' || c == u'\r' || c == u'\n';
}

void AppendEscaped(QString& out, const QString& text)
{
    // Most cells hold nothing to escape: they go in whole.
    if (std::none_of(text.begin(), text.end(), NeedsEscape)) {
        out += text;
        return;
    }
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

void AppendCell(QString& out, const QString& cell, const NumberReader& reader)
{
    if (cell.isEmpty()) {
        out += QLatin1String("<td></td>");
        return;
    }
    if (const std::optional<double> value = reader.number(cell)) {
        const QString point = ShortestForm(*value);
        out += QLatin1String("<td sdval=\"");
        out += point;
        out += QLatin1String("\" sdnum=\"1033;0;General\" x:num=\"");
        out += point;
        out += QLatin1String("\">");
    } else {
        out += TextStart;
    }
    AppendEscaped(out, cell);
    out += QLatin1String("</td>");
}

} // namespace

QString EncodeHtmlTable(const TabRows& rows, const QLocale& locale)
{
    qsizetype cells = 0;
    for (const QStringList& row : rows)
        cells += row.size();
    QString out;
    // About the marks of a number cell each, to spare the copies of growing.
    out.reserve(200 + cells * 80);
    out += QLatin1String("<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><head>"
                         "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"></head>"
                         "<body><!--StartFragment--><table>\n");
    const NumberReader reader(locale);
    for (const QStringList& row : rows) {
        out += QLatin1String("<tr>");
        for (const QString& cell : row)
            AppendCell(out, cell, reader);
        out += QLatin1String("</tr>\n");
    }
    out += QLatin1String("</table><!--EndFragment--></body></html>\n");
    return out;
}

} // namespace zeltomir::core
