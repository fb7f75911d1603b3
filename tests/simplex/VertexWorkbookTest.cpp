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

// The cells of a worksheet's XML by reference ("B2"): "s:" and the text of
// a string, "n:" and the text of a number; "?" and the XML for any other.
std::map<QString, QString> SheetCells(const QString& xml)
{
    static const QRegularExpression cell(R"re(<c r="([A-Z]+[0-9]+)"( t="inlineStr")?>(.*?)</c>)re");
    static const QRegularExpression text(R"re(^<is><t>([^<]*)</t></is>$|^<v>([^<]*)</v>$)re");
    std::map<QString, QString> cells;
    for (const QRegularExpressionMatch& c : cell.globalMatch(xml)) {
        const QRegularExpressionMatch content = text.match(c.captured(3));
        const bool string = !c.captured(2).isEmpty() && content.hasCaptured(1);
        const bool number = c.captured(2).isEmpty() && content.hasCaptured(2);
        cells[c.captured(1)] = string ? "s:" + content.captured(1).replace("&quot;", "\"").replace("&amp;", "&")
                               : number ? "n:" + content.captured(2)
                                        : "?" + c.captured(0);
    }
    return cells;
}

QString Unzipped(const QString& archive, const QString& member)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", archive, member});
    EXPECT_TRUE(unzip.waitForFinished(60000) && unzip.exitCode() == 0) << member.toStdString();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// A run with results typed as 69.4 and 1.125, a factor named like a
// formula, a failed trial and a correction, written as a German user
// writes it where that locale is installed (its comma must not reach the
// sheet) and read back from the zip: the CSV file's columns (VertexCsvTest),
// names as strings, numbers as the values meant, nothing in empty cells.
TEST(VertexWorkbook, HoldsTheCsvColumnsWithNumbersAsValuesAndNamesAsStrings)
{
    if (QStandardPaths::findExecutable("unzip").isEmpty())
        GTEST_SKIP() << "unzip is not installed (scripts/install-deps brings it)";
    core::OptimizationProblem problem = test::WithFactors({{"=1+1", "0", "10", "1"}, {"T \"C\" & more", "5", "15", "2"}});
    test::CommitCorner(problem, {"69.4", "1.125", "-0.1"});
    ASSERT_TRUE(BeginOptimization(problem).outcome.ok);
    SetStatus(problem, 2, VertexStatus::Corrected, 3.3f);
    SetStatus(problem, 3, VertexStatus::Failed);

    QTemporaryDir dir;
    const QString path = dir.filePath("run.xlsx");
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* german : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_NUMERIC, german))
            break;
    }
    const core::FileStatus written = WriteVertexWorkbook(problem, path);
    std::setlocale(LC_NUMERIC, saved.c_str());
    ASSERT_TRUE(written.ok) << written.error.toStdString();

    EXPECT_TRUE(Unzipped(path, "xl/workbook.xml").contains(R"(<sheet name="Vertex Summary")"));
    const QString sheet = Unzipped(path, "xl/worksheets/sheet1.xml");
    EXPECT_FALSE(sheet.contains("<f>")) << "a formula in the sheet";
    const std::map<QString, QString> cells = SheetCells(sheet);
    const std::map<QString, QString> strings{
        {"A1", "Vertex"}, {"B1", "=1+1"}, {"C1", "T \"C\" & more"}, {"D1", "Result"}, {"E1", "Type"},
        {"F1", "Times Retained"}, {"G1", "Status"}, {"H1", "First Result"}, {"E2", "Initial"},
        {"G2", "measured"}, {"G3", "corrected"}, {"G4", "failed"}};
    // Numbers by the value their text reads back to: 69.4 as typed, not the
    // single's 69.4000015258789.
    const std::map<QString, double> numbers{{"A2", 1},     {"B2", 10},      {"C2", 5},   {"D2", 69.4}, {"F2", 1},
                                            {"C3", 15},    {"D3", 1.125},   {"H3", 3.3}, {"D4", -0.1}};
    for (const auto& [ref, content] : cells) {
        SCOPED_TRACE(ref.toStdString() + " " + content.toStdString());
        if (strings.count(ref))
            EXPECT_EQ(content, "s:" + strings.at(ref));
        else if (numbers.count(ref))
            EXPECT_EQ(content.startsWith("n:") ? content.mid(2).toDouble() : -1, numbers.at(ref));
        else
            EXPECT_TRUE(content.startsWith("n:") || content.startsWith("s:")) << "a cell of another form";
    }
    for (const auto& [ref, text] : strings)
        EXPECT_EQ(cells.count(ref), 1u) << ref.toStdString();
    for (const auto& [ref, value] : numbers)
        EXPECT_EQ(cells.count(ref), 1u) << ref.toStdString();
    for (const char* empty : {"H2", "H4", "A5", "I1"})
        EXPECT_EQ(cells.count(empty), 0u) << empty;
}

} // namespace
} // namespace zeltomir::simplex
