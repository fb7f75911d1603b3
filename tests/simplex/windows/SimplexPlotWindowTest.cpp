#include "WindowHarness.h"

#include "simplex/windows/SimplexPlotWindow.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QTextBrowser>

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
    EXPECT_TRUE(FileBytes(csv).startsWith("Vertex,Temp,Time,Result,Type,Times Retained\r\n1,80,10,"));
    EXPECT_TRUE(h.dialogs.messages().empty());
}

} // namespace
} // namespace zeltomir::simplex::test
