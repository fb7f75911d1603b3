#include "core/HtmlTable.h"

#include <gtest/gtest.h>

namespace zeltomir::core {
namespace {

const QString Text = QStringLiteral(R"(<td sdnum="1033;0;@" style="mso-number-format:'\@'">)");

QString Number(const char* value)
{
    return QStringLiteral(R"(<td sdval="%1" sdnum="1033;0;General" x:num="%1">)").arg(QLatin1String(value));
}

// The row of one cell, between <tr> and </tr>.
QString CellMarkup(const QString& cell, const QLocale& locale)
{
    const QString html = EncodeHtmlTable({{cell}}, locale);
    const qsizetype start = html.indexOf("<tr>") + 4;
    return html.mid(start, html.indexOf("</tr>") - start);
}

// Every cell either a number with its value in the C form or a text a
// spreadsheet must not read as a number or formula.
TEST(HtmlTableTest, MarksNumbersByValueAndEveryOtherCellAsEscapedText)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        const char* what;
        QLocale locale;
        QString cell;
        QString td;
    } cases[] = {
        {"formula", english, "=1+1", Text + "=1+1</td>"},
        {"plus", english, "+A", Text + "+A</td>"},
        {"minus word", english, "-Yield", Text + "-Yield</td>"},
        {"at", english, "@B", Text + "@B</td>"},
        {"markup and quotes", english, R"(Temp "C" <max> & more)",
         Text + "Temp &quot;C&quot; &lt;max&gt; &amp; more</td>"},
        {"line break", english, "two\r\nlines\nhere", Text + "two<br>lines<br>here</td>"},
        {"not a number here", english, "1,5", Text + "1,5</td>"},
        {"one group without a mark", english, "1,000", Text + "1,000</td>"},
        {"German one group without a mark", german, "1.125", Text + "1.125</td>"},
        {"blank", english, " ", Text + " </td>"},
        {"empty", english, "", "<td></td>"},
        {"negative", english, "-5", Number("-5") + "-5</td>"},
        {"grouped", english, "1,234.5", Number("1234.5") + "1,234.5</td>"},
        {"German grouped", german, "1.234,5", Number("1234.5") + "1.234,5</td>"},
        {"German decimal", german, "69,4", Number("69.4") + "69,4</td>"},
        {"exponent", english, "1E-05", Number("1e-05") + "1E-05</td>"},
        {"negative zero", english, "-0.0", Number("0") + "-0.0</td>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(CellMarkup(c.cell, c.locale), c.td);
    }
}

TEST(HtmlTableTest, IsADocumentWithOneRowPerRowBetweenTheFragmentMarks)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(EncodeHtmlTable({{"A", "1"}, {""}}, english),
              "<html xmlns:x=\"urn:schemas-microsoft-com:office:excel\"><head>"
              "<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\"></head>"
              "<body><!--StartFragment--><table>\n<tr>"
                  + Text + "A</td>" + Number("1") + "1</td></tr>\n<tr><td></td></tr>\n"
                  "</table><!--EndFragment--></body></html>\n");
}

} // namespace
} // namespace zeltomir::core
