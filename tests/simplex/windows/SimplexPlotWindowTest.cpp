#include "WindowHarness.h"

#include "simplex/ResponseSetup.h"
#include "simplex/windows/SimplexPlotWindow.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QtEndian>
#include <QHelpEvent>
#include <QTextBrowser>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zeltomir::simplex::test {
namespace {

// The vertices the response plot shows as markers.
int MarkedVertices(QCustomPlot& plot)
{
    int points = 0;
    for (int i = 0; i < plot.graphCount(); ++i)
        if (plot.graph(i)->lineStyle() == QCPGraph::lsNone)
            points += plot.graph(i)->dataCount();
    return points;
}

// The streams of a PDF that Qt wrote, those it compressed inflated.
std::vector<QByteArray> PdfStreams(const QByteArray& pdf)
{
    std::vector<QByteArray> streams;
    for (qsizetype at = pdf.indexOf(">>\nstream\n"); at >= 0; at = pdf.indexOf(">>\nstream\n", at + 1)) {
        const qsizetype start = at + 10;
        const QByteArray bytes = pdf.mid(start, pdf.indexOf("endstream", start) - start);
        if (!pdf.mid(pdf.lastIndexOf("<<", at), at - pdf.lastIndexOf("<<", at)).contains("/FlateDecode")) {
            streams.push_back(bytes);
            continue;
        }
        QByteArray zlib(4, '\0');
        qToBigEndian(quint32(bytes.size() * 16), zlib.data()); // a first guess of the size
        streams.push_back(qUncompress(zlib + bytes));
    }
    return streams;
}

// The painting operators of a page's content that paint no path, or fill
// one that encloses nothing, as "op at token N". Curves count by their end
// points, enough to tell a shape from a line or a point.
QStringList EmptyPaints(const QByteArray& content)
{
    static const QRegularExpression token(R"re(\[[^\]]*\]|\([^)]*\)|<[^>]*>|/[^\s/\[\]()<>]+|[^\s\[\]()<>/]+)re");
    static const QStringList fills{"f", "F", "f*", "B", "B*", "b", "b*"};
    QStringList found;
    std::vector<double> numbers;
    std::vector<std::vector<QPointF>> shapes;
    int index = 0;
    for (const QRegularExpressionMatch& match : token.globalMatch(QString::fromLatin1(content))) {
        const QString t = match.captured();
        ++index;
        bool isNumber = false;
        numbers.push_back(t.toDouble(&isNumber));
        if (isNumber)
            continue;
        numbers.pop_back();
        const auto at = [&numbers](std::size_t fromEnd) { return numbers.at(numbers.size() - fromEnd); };
        if (t == "m")
            shapes.push_back({{at(2), at(1)}});
        else if ((t == "l" || t == "c" || t == "v" || t == "y") && !shapes.empty())
            shapes.back().emplace_back(at(2), at(1));
        else if (t == "re")
            shapes.push_back({{0, 0}, {at(2), 0}, {at(2), at(1)}, {0, at(1)}});
        if (fills.contains(t) || t == "S" || t == "s" || t == "n") {
            double area = 0; // twice, by the shoelace formula
            for (const std::vector<QPointF>& points : shapes) {
                double twice = 0;
                for (std::size_t i = 0; i < points.size(); ++i) {
                    const QPointF& a = points[i];
                    const QPointF& b = points[(i + 1) % points.size()];
                    twice += a.x() * b.y() - b.x() * a.y();
                }
                area += std::abs(twice);
            }
            if (shapes.empty() || (fills.contains(t) && area < 1e-6))
                found.append(QStringLiteral("%1 at token %2").arg(t).arg(index));
            shapes.clear();
        }
        numbers.clear();
    }
    return found;
}

TEST(SimplexPlotWindowTest, ShowsTheRunFollowsEachStepAndSavesItsPicture)
{
    WindowHarness h;
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    h.beginOptimization();
    h.mainWindow().menuAction(QStringLiteral("mnuSimplexPlot"))->trigger();
    SimplexPlotWindow* plot = h.windows().simplexPlotWindow();
    ASSERT_NE(plot, nullptr);
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("frmSimplexPlot"));
    EXPECT_EQ(MarkedVertices(*plot->responsePlot()), 3);
    EXPECT_EQ(std::pair(plot->xFactorBox()->currentText(), plot->yFactorBox()->currentText()),
              std::pair(QStringLiteral("Temp"), QStringLiteral("Time")));

    h.windows().showSimplexSteps();
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("77.26"));
    h.click(h.steps().nextStepButton());
    EXPECT_EQ(MarkedVertices(*plot->responsePlot()), 4);
    EXPECT_TRUE(plot->progressPanel()->toPlainText().startsWith(QStringLiteral("Vertices: 4")));

    const struct {
        const char* name;
        QByteArray start;
    } pictures[] = {{"run.png", "\x89PNG"}, {"run.svg", "<?xml"}, {"run.pdf", "%PDF"}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const QString path = QDir(h.folder()).filePath(QLatin1String(picture.name));
        h.dialogs.answerSave(path);
        h.click(plot->savePictureButton());
        EXPECT_TRUE(FileBytes(path).startsWith(picture.start));
    }
    const QString csv = QDir(h.folder()).filePath(QStringLiteral("run.csv"));
    h.dialogs.answerSave(csv);
    h.click(plot->exportVerticesButton());
    EXPECT_TRUE(FileBytes(csv).startsWith("Vertex,Temp,Time,Result,Type,Times Retained,Status,First Result\r\n1,80,10,"));
    EXPECT_TRUE(h.dialogs.messages().empty());
}

bool HasGraphNamed(QCustomPlot& plot, const QString& name)
{
    for (int i = 0; i < plot.graphCount(); ++i)
        if (plot.graph(i)->name() == name)
            return true;
    return false;
}

// Temp (20 to 80, 2 decimals) and Time (10 to 50, 1 decimal), an initial
// simplex typed well inside the limits, (40, 20), (50, 20) and (40, 30):
// the first trial reflects the first vertex to (50, 30). The plot is open.
class PlotOfARun : public testing::Test {
protected:
    void SetUp() override
    {
        h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
        h.click(h.setup().defineInitialSimplexButton());
        shell::GridWidget& grid = *h.initialSimplex().grid();
        const char* rows[3][3] = {{"40", "20", "41.13"}, {"50", "20", "77.65"}, {"40", "30", "53.13"}};
        for (int row = 1; row <= 3; ++row)
            for (int col = 1; col <= 3; ++col)
                WindowHarness::editCell(grid, col, row, QLatin1String(rows[row - 1][col - 1]));
        h.click(h.initialSimplex().continueButton());
        h.beginOptimization();
        h.mainWindow().menuAction(QStringLiteral("mnuSimplexPlot"))->trigger();
        plot = h.windows().simplexPlotWindow();
        ASSERT_NE(plot, nullptr);
    }

    QCPRange across() const { return plot->pathPlot()->xAxis->range(); }
    QCPRange up() const { return plot->pathPlot()->yAxis->range(); }

    WindowHarness h;
    SimplexPlotWindow* plot = nullptr;
};

// The workbook is the first choice; the name's ending decides the file, so
// a name the dialog gave no ending keeps the CSV file of before.
TEST_F(PlotOfARun, ExportVerticesWritesAWorkbookForAnXlsxNameAndCsvOtherwise)
{
    const QDir folder(h.folder());
    ASSERT_TRUE(folder.mkdir("taken.xlsx"));
    const struct {
        const char* name;
        QByteArray start; // empty: refused with a message
    } exports[] = {
        {"run.XLSX", "PK\x03\x04"},
        {"run", "Vertex,Temp,Time,Result,"},
        {"taken.xlsx", ""},
    };
    for (const auto& e : exports) {
        SCOPED_TRACE(e.name);
        h.dialogs.clear();
        const QString path = folder.filePath(QLatin1String(e.name));
        h.dialogs.answerSave(path);
        if (e.start.isEmpty())
            h.dialogs.answerMessage(shell::MessageAnswer::Ok);
        h.click(plot->exportVerticesButton());
        ASSERT_EQ(h.dialogs.fileDialogs().size(), 1u);
        EXPECT_EQ(h.dialogs.fileDialogs().front().nameFilters,
                  QStringList({"Excel workbook (*.xlsx)", "CSV Files (*.csv)", "All Files (*)"}));
        EXPECT_EQ(h.dialogs.fileDialogs().front().selectedFilter, 0);
        if (e.start.isEmpty()) {
            ASSERT_EQ(h.dialogs.messages().size(), 1u);
            EXPECT_EQ(h.dialogs.messages().front().text,
                      QStringLiteral("The file %1 could not be saved: The name is that of a folder, not a file.")
                          .arg(QDir::toNativeSeparators(path)));
            continue;
        }
        EXPECT_TRUE(h.dialogs.messages().empty());
        const QByteArray bytes = FileBytes(path);
        EXPECT_TRUE(bytes.startsWith(e.start));
        if (e.start.startsWith("PK")) { // a zip, with the sheet among its members
            EXPECT_TRUE(bytes.contains("xl/worksheets/sheet1.xml"));
        }
    }
}

// A PDF reader takes a ligature glyph for one character, and the search for
// "Reflection" fails on its "fl": the picture's text is drawn without them,
// while the screen keeps them. Nor does the picture paint a path that holds
// nothing, which readers warn of.
TEST_F(PlotOfARun, SavedPdfHasNoLigaturesAndPaintsNoEmptyPath)
{
    const QFont onScreen = plot->responsePlot()->legend->item(1)->font();
    const QString path = QDir(h.folder()).filePath(QStringLiteral("run.pdf"));
    h.dialogs.answerSave(path);
    h.click(plot->savePictureButton());
    const std::vector<QByteArray> streams = PdfStreams(FileBytes(path));
    int cmaps = 0;
    int pages = 0;
    static const QRegularExpression code("<([0-9A-Fa-f]+)>");
    for (const QByteArray& stream : streams) {
        ASSERT_FALSE(stream.isEmpty());
        if (stream.contains("begincmap")) {
            ++cmaps;
            // Every glyph stands for one character, none a ligature (U+FB00
            // to U+FB06).
            const QString cmap = QString::fromLatin1(stream.mid(stream.indexOf("endcodespacerange")));
            for (const QRegularExpressionMatch& match : code.globalMatch(cmap)) {
                const QString hex = match.captured(1);
                EXPECT_EQ(hex.size(), 4) << hex.toStdString();
                const uint character = hex.toUInt(nullptr, 16);
                EXPECT_FALSE(character >= 0xFB00 && character <= 0xFB06) << hex.toStdString();
            }
        } else if (stream.contains(" Tj")) {
            ++pages;
            EXPECT_EQ(EmptyPaints(stream), QStringList());
        }
    }
    EXPECT_EQ(cmaps, 1);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(plot->responsePlot()->legend->item(1)->font(), onScreen);
}

TEST_F(PlotOfARun, ZoomsToTheRegionVisitedUnlessTheWholeRangeIsAskedFor)
{
    EXPECT_TRUE(across().lower > 35 && across().upper < 55) << across().lower << " " << across().upper;
    EXPECT_TRUE(up().lower > 15 && up().upper < 35) << up().lower << " " << up().upper;
    WindowHarness::clickOption(plot->wholeRangeBox());
    EXPECT_TRUE(across().lower < 20 && across().upper > 80) << across().lower << " " << across().upper;
    EXPECT_TRUE(up().lower < 10 && up().upper > 50) << up().lower << " " << up().upper;
    WindowHarness::clickOption(plot->wholeRangeBox());
    EXPECT_LT(across().upper, 55);
}

TEST_F(PlotOfARun, AcrossAndUpSwapRatherThanNameOneFactorTwice)
{
    QTest::keyClick(plot->xFactorBox(), Qt::Key_Down);
    EXPECT_EQ(std::pair(plot->xFactorBox()->currentText(), plot->yFactorBox()->currentText()),
              std::pair(QStringLiteral("Time"), QStringLiteral("Temp")));
    EXPECT_EQ(std::pair(plot->pathPlot()->xAxis->label(), plot->pathPlot()->yAxis->label()),
              std::pair(QStringLiteral("Time"), QStringLiteral("Temp")));
}

TEST_F(PlotOfARun, FollowsAGoalChangeInTheSetupWindowAtOnce)
{
    QCustomPlot& response = *plot->responsePlot();
    WindowHarness::clickOption(h.setup().goalOption(2));
    EXPECT_TRUE(HasGraphNamed(response, QStringLiteral("Target = 0")));
    WindowHarness::typeInto(h.setup().targetBox(), QStringLiteral("60"));
    QTest::keyClick(h.setup().targetBox(), Qt::Key_Return);
    EXPECT_TRUE(HasGraphNamed(response, QStringLiteral("Target = 60")));
    EXPECT_EQ(h.problem.TargetValue, 60);
    WindowHarness::clickOption(h.setup().goalOption(0));
    EXPECT_FALSE(HasGraphNamed(response, QStringLiteral("Target = 60")));
}

// With several responses the plot shows D, or the response chosen in the
// box; without them the box is hidden.
TEST_F(PlotOfARun, PlotsDOrTheResponseChosen)
{
    EXPECT_TRUE(plot->plottedBox()->isHidden());
    EXPECT_EQ(plot->responsePlot()->yAxis->label(), QStringLiteral("Result"));
    ASSERT_TRUE(DefineResponses(h.problem, {{"Yield", core::ResponseGoal::Maximize, 0, 100},
                                            {"Hardness", core::ResponseGoal::Target, 50, 90, 70}})
                    .ok);
    plot->refresh();
    EXPECT_FALSE(plot->plottedBox()->isHidden());
    EXPECT_EQ(plot->responsePlot()->yAxis->label(), QStringLiteral("D"));
    QTest::keyClick(plot->plottedBox(), Qt::Key_Down);
    QTest::keyClick(plot->plottedBox(), Qt::Key_Down);
    EXPECT_EQ(plot->responsePlot()->yAxis->label(), QStringLiteral("Hardness"));
    EXPECT_TRUE(HasGraphNamed(*plot->responsePlot(), QStringLiteral("Target = 70")));
    plot->refresh();
    EXPECT_EQ(plot->plottedBox()->currentText(), QStringLiteral("Hardness"));
}

TEST_F(PlotOfARun, TheMouseOverAMarkerNamesItsVertex)
{
    QCustomPlot& path = *plot->pathPlot();
    const struct {
        QPointF at;
        const char* tip;
    } markers[] = {
        {{40, 20}, "Vertex 1: Initial\nTemp = 40.00\nTime = 20.0\nResult = 41.13"},
        {{50, 30}, "Vertex 4 (trial on show): Reflection\nTemp = 50.00\nTime = 30.0"},
    };
    for (const auto& marker : markers) {
        SCOPED_TRACE(marker.tip);
        const QPoint pixel(qRound(path.xAxis->coordToPixel(marker.at.x())), qRound(path.yAxis->coordToPixel(marker.at.y())));
        QHelpEvent help(QEvent::ToolTip, pixel + QPoint(2, 1), path.mapToGlobal(pixel));
        QApplication::sendEvent(&path, &help);
        EXPECT_EQ(QToolTip::text(), QLatin1String(marker.tip));
    }
}

} // namespace
} // namespace zeltomir::simplex::test
