#include "SimplexTestSupport.h"

#include "simplex/VertexStatus.h"
#include "simplex/VertexWorkbook.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <map>
#include <string>

namespace zeltomir::simplex {
namespace {

// What the sheet holds in one cell: a number's text as written, or a
// string's text, and whether it is a string.
struct SheetCell {
    bool string = false;
    QString text;
};

QString XmlText(QString text)
{
    return text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&amp;", "&");
}

// The cells of a worksheet's XML by reference ("B2"); fails the test on a
// formula or a cell of another form.
std::map<QString, SheetCell> SheetCells(const QString& xml)
{
    EXPECT_FALSE(xml.contains("<f>")) << "a formula in the sheet";
    std::map<QString, SheetCell> cells;
    static const QRegularExpression cell(R"re(<c r="([A-Z]+[0-9]+)"([^>]*)>(.*?)</c>)re");
    static const QRegularExpression number(R"re(^<v>([^<]*)</v>$)re");
    static const QRegularExpression inlineString(R"re(^<is><t(?: xml:space="preserve")?>([^<]*)</t></is>$)re");
    for (const QRegularExpressionMatch& match : cell.globalMatch(xml)) {
        const QString attributes = match.captured(2);
        const QString content = match.captured(3);
        if (attributes.contains(R"(t="inlineStr")")) {
            const QRegularExpressionMatch text = inlineString.match(content);
            EXPECT_TRUE(text.hasMatch()) << content.toStdString();
            cells[match.captured(1)] = {true, XmlText(text.captured(1))};
        } else {
            EXPECT_TRUE(attributes.isEmpty()) << attributes.toStdString();
            const QRegularExpressionMatch value = number.match(content);
            EXPECT_TRUE(value.hasMatch()) << content.toStdString();
            cells[match.captured(1)] = {false, value.captured(1)};
        }
    }
    return cells;
}

// The workbook of the problem, written as a German user writes it where
// that locale is installed: its comma must not reach the sheet.
QByteArray WrittenWorkbook(const core::OptimizationProblem& problem, const QString& path)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* german : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, german))
            break;
    }
    const core::FileStatus written = WriteVertexWorkbook(problem, path);
    std::setlocale(LC_NUMERIC, saved.c_str());
    EXPECT_TRUE(written.ok) << written.error.toStdString();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Unzipped(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    EXPECT_TRUE(unzip.waitForFinished(60000));
    EXPECT_EQ(unzip.exitCode(), 0) << member.toStdString();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// A run with a result typed as 69.4, a factor named like a formula, a
// failed trial and a correction: read back from the zip, the sheet holds
// the CSV file's columns (VertexCsvTest), the names as strings, the numbers as the values
// meant, and nothing in the empty cells.
TEST(VertexWorkbook, HoldsTheCsvColumnsWithNumbersAsValuesAndNamesAsStrings)
{
    if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
        GTEST_SKIP() << "unzip is not installed (scripts/install-deps brings it)";
    core::OptimizationProblem problem =
        test::WithFactors({{"=1+1", "0", "10", "1"}, {"Temp <\"C\"> & more", "5", "15", "2"}});
    test::CommitCorner(problem, {"69.4", "1.125", "-0.1"});
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    SetStatus(problem, 2, VertexStatus::Corrected, 3.3f);
    SetStatus(problem, 3, VertexStatus::Failed);

    QTemporaryDir dir;
    const QString path = dir.filePath("run.xlsx");
    ASSERT_TRUE(WrittenWorkbook(problem, path).startsWith("PK\x03\x04"));
    const std::map<QString, SheetCell> cells = SheetCells(Unzipped(path, "xl/worksheets/sheet1.xml"));
    EXPECT_TRUE(Unzipped(path, "xl/workbook.xml").contains(R"(<sheet name="Vertex Summary")"));

    const char* columns = "ABCDEFGH";
    const QStringList header{"Vertex", "=1+1", "Temp <\"C\"> & more", "Result", "Type", "Times Retained", "Status",
                             "First Result"};
    for (int col = 0; col < 8; ++col) {
        const QString ref = QString(QLatin1Char(columns[col])) + "1";
        SCOPED_TRACE(ref.toStdString());
        ASSERT_EQ(cells.count(ref), 1u);
        EXPECT_TRUE(cells.at(ref).string);
        EXPECT_EQ(cells.at(ref).text, header[col]);
    }

    // Numbers by the value their text reads back to: 69.4 as typed, not the
    // single's 69.4000015258789.
    const struct {
        const char* ref;
        double number;
    } numbers[] = {{"A2", 1}, {"B2", 10}, {"C2", 5}, {"D2", 69.4}, {"F2", 1},
                   {"D3", 1.125}, {"H3", 3.3}, {"D4", -0.1}, {"C3", 15}};
    for (const auto& n : numbers) {
        SCOPED_TRACE(n.ref);
        ASSERT_EQ(cells.count(n.ref), 1u);
        EXPECT_FALSE(cells.at(n.ref).string);
        bool read = false;
        EXPECT_EQ(cells.at(n.ref).text.toDouble(&read), n.number);
        EXPECT_TRUE(read) << cells.at(n.ref).text.toStdString();
    }
    for (const auto& [ref, text] : {std::pair{"E2", "Initial"}, {"G2", "measured"}, {"G3", "corrected"}, {"G4", "failed"}}) {
        SCOPED_TRACE(ref);
        ASSERT_EQ(cells.count(ref), 1u);
        EXPECT_TRUE(cells.at(ref).string);
        EXPECT_EQ(cells.at(ref).text, text);
    }
    for (const char* empty : {"H2", "H4", "A5"})
        EXPECT_EQ(cells.count(empty), 0u) << empty;
}

} // namespace
} // namespace zeltomir::simplex
