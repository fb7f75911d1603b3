// A learner's run on a simulated process through the real windows: the
// dialog of the Practice menu, Run Trial on the initial simplex and on the
// steps window, the reveal in the plot, and the save.

#include "ProgramHarness.h"

#include "simplex/SimulatedRun.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexPlotWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/SimulationDialog.h"
#include "simplex/windows/StepsWindow.h"

#include "core/TextFile.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <qcustomplot.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace zeltomir::app::test {
namespace {

using testsupport::Click;
using testsupport::TypeInto;

// Chooses the process as a user does, by clicking its title in the list.
void ChooseProcess(simplex::SimulationDialog& dialog, const QString& name)
{
    QListWidget* list = dialog.processList();
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->data(Qt::UserRole).toString() == name)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    }
}

bool SimulatedRunDialog(QDialog& shown)
{
    auto& dialog = dynamic_cast<simplex::SimulationDialog&>(shown);
    ChooseProcess(dialog, QStringLiteral("peak"));
    EXPECT_EQ(dialog.descriptionLabel()->text(), simplex::FindSimulatedProcess(u"peak")->description);
    const QString drawn = dialog.seedBox()->text();
    Click(dialog.newSeedButton());
    EXPECT_NE(dialog.seedBox()->text(), drawn);
    TypeInto(dialog.noiseBox(), QStringLiteral("-1"));
    Click(dialog.buttons()->button(QDialogButtonBox::Ok));
    EXPECT_TRUE(dialog.isVisible()) << "a negative noise is refused";
    EXPECT_EQ(dialog.errorLabel()->text(), "The noise must be a number no smaller than 0.");
    TypeInto(dialog.noiseBox(), QStringLiteral("0.5"));
    TypeInto(dialog.seedBox(), QStringLiteral("12345"));
    QTest::mouseClick(dialog.fixedOption(), Qt::LeftButton);
    Click(dialog.buttons()->button(QDialogButtonBox::Ok));
    return dialog.result() == QDialog::Accepted;
}

QStringList Levels(const shell::GridWidget& grid, int column, int row, int count, bool across)
{
    QStringList levels;
    for (int i = 0; i < count; ++i)
        levels << (across ? grid.cell(column + i, row) : grid.cell(column, row + i));
    return levels;
}

TEST(SimulatedRunWindows, ALearnerRunsRevealsAndSavesARunOnASimulatedProcess)
{
    ProgramHarness h;
    h.dialogs.answerDialog(SimulatedRunDialog);
    h.triggerMenu("mnuPracticeSimulated");
    core::OptimizationProblem& problem = h.problem();
    ASSERT_EQ(problem.SimulatedProcess, "peak");
    EXPECT_EQ(problem.SimulationNoise, 0.5);
    EXPECT_EQ(problem.SimulationSeed, 12345u);
    EXPECT_EQ(problem.StepType, "Fixed");

    simplex::SetupWindow* setup = h.windows().setupWindow();
    ASSERT_NE(setup, nullptr);
    Click(setup->defineInitialSimplexButton());
    simplex::InitialSimplexWindow* initial = h.windows().initialSimplexWindow();
    ASSERT_NE(initial, nullptr);
    ASSERT_TRUE(initial->runTrialButton()->isVisible());
    Click(initial->runTrialButton());
    shell::GridWidget& rows = *initial->grid();
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(rows.cell(3, row), simplex::MeasureTrial(problem, Levels(rows, 1, row, 2, true), row)) << row;
    Click(initial->continueButton());
    h.beginOptimization();

    simplex::StepsWindow* steps = h.windows().stepsWindow();
    ASSERT_TRUE(steps->runTrialButton()->isVisible());
    for (int trial = 4; trial <= 15; ++trial) {
        Click(steps->runTrialButton());
        const QStringList levels = Levels(*steps->grid(), 2, 1, 2, false);
        EXPECT_EQ(steps->resultBox()->text(), simplex::MeasureTrial(problem, levels, trial)) << trial;
        Click(steps->nextStepButton());
        ASSERT_EQ(problem.NumVertices, trial);
    }
    // The learner's own value is taken as typed.
    Click(steps->runTrialButton());
    h.nextStep(QStringLiteral("12.5"));
    EXPECT_FLOAT_EQ(static_cast<float>(problem.VertexHistory.value(3, 16)), 12.5f);

    h.triggerMenu("mnuSimplexPlot");
    simplex::SimplexPlotWindow* plot = h.windows().simplexPlotWindow();
    ASSERT_NE(plot, nullptr);
    ASSERT_TRUE(plot->showTrueProcessButton()->isVisible());
    Click(plot->showTrueProcessButton());
    bool colourMap = false;
    for (int i = 0; i < plot->pathPlot()->plottableCount(); ++i)
        colourMap = colourMap || qobject_cast<QCPColorMap*>(plot->pathPlot()->plottable(i));
    EXPECT_TRUE(colourMap);
    EXPECT_TRUE(plot->trueProcessPanel()->isVisible());
    EXPECT_TRUE(plot->trueProcessPanel()->toPlainText().contains("Trials so far: 16"));

    const QString path = h.path("peak.sso");
    h.dialogs.answerSave(path);
    h.clickTool("Save_button");
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().endsWith("[Simulation]\r\npeak\r\n 0.5 \r\n 12345 \r\n"));
}

} // namespace
} // namespace zeltomir::app::test
