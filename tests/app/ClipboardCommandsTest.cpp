// Cut, Copy and Paste through the toolbar and the Edit menu, one test for
// each window of the routing: the grids act on the user's selection, the
// text boxes on the box the user worked in, with the selection it had.

#include "ProgramHarness.h"

#include "app/DocumentCommands.h"
#include "practice/windows/PracticeForm.h"
#include "practice/windows/PracticeWindow.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/CommandHandlers.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace zeltomir::app::test {
namespace {

const QList<QStringList> KnownFactors{{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}};

QString Clipboard()
{
    return QApplication::clipboard()->text();
}

void SetClipboard(const QString& text)
{
    QApplication::clipboard()->setText(text);
}

class ClipboardCommandsTest : public testing::Test {
protected:
    void SetUp() override { SetClipboard(QStringLiteral("(before)")); }

    // A grid's cells as rows of text, for comparing before and after.
    static QList<QStringList> Cells(const shell::GridWidget& grid)
    {
        QList<QStringList> rows;
        for (int row = 0; row <= grid.maxRows(); ++row) {
            QStringList cells;
            for (int col = 1; col <= grid.maxCols(); ++col)
                cells << grid.cell(col, row);
            rows << cells;
        }
        return rows;
    }

    ProgramHarness h;
};

TEST_F(ClipboardCommandsTest, FactorGridCutCopyAndPasteWorkOnTheSelection)
{
    h.fillFactors(KnownFactors, false);
    shell::GridWidget& grid = *h.windows().factorWindow()->grid();
    ASSERT_EQ(h.runTime().ActiveWindow, "frmDefineFactors");

    // The toolbar takes the focus away first; the selection stays.
    const shell::GridBlock limits{2, 1, 3, 2};
    grid.selectBlock(limits);
    h.clickTool("copy_button");
    EXPECT_EQ(Clipboard(), "20\t80\n10\t50\n");
    EXPECT_TRUE(grid.hasFocus());

    const shell::GridBlock names{1, 1, 1, 2};
    grid.selectBlock(names);
    h.triggerMenu("Menu_cut");
    EXPECT_EQ(Clipboard(), "Temp\nTime\n");
    EXPECT_EQ(grid.cell(1, 1), "");
    EXPECT_EQ(grid.cell(1, 2), "");
    EXPECT_EQ(grid.cell(2, 1), "20");
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(grid.selectedBlock(), names);
    EXPECT_EQ(h.runTime().Modified, "yes");

    // Paste at the current cell, rows and columns as on the clipboard.
    SetClipboard("Heat\t5\nTime\t6\n");
    grid.setCurrentCell(1, 1);
    h.clickTool("Paste_button");
    EXPECT_EQ(grid.cell(1, 1), "Heat");
    EXPECT_EQ(grid.cell(2, 1), "5");
    EXPECT_EQ(grid.cell(1, 2), "Time");
    EXPECT_EQ(grid.cell(2, 2), "6");
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(ClipboardCommandsTest, InitialSimplexResultsArePastedAndCopied)
{
    h.fillFactors(KnownFactors);
    h.fillInitialSimplex({}, false);
    shell::GridWidget& grid = *h.windows().initialSimplexWindow()->grid();
    ASSERT_EQ(h.runTime().ActiveWindow, "frmInitialSimplex");

    // A column of results from a spreadsheet.
    SetClipboard("41.13\r\n77.65\r\n53.13\r\n");
    grid.setCurrentCell(3, 1);
    h.triggerMenu("Menu_paste");
    EXPECT_EQ(grid.cell(3, 1), "41.13");
    EXPECT_EQ(grid.cell(3, 2), "77.65");
    EXPECT_EQ(grid.cell(3, 3), "53.13");

    grid.selectBlock({1, 1, 3, 2});
    h.triggerMenu("Menu_copy");
    EXPECT_EQ(Clipboard(), "80\t10\t41.13\n20\t50\t77.65\n");

    grid.selectBlock({3, 2, 3, 3});
    h.clickTool("cut_button");
    EXPECT_EQ(Clipboard(), "77.65\n53.13\n");
    EXPECT_EQ(grid.cell(3, 2), "");
    EXPECT_EQ(grid.cell(3, 1), "41.13");
}

TEST_F(ClipboardCommandsTest, TheVertexSummaryIsOnlyCopied)
{
    h.startKnownRun();
    h.nextStep("77.26");
    h.triggerMenu("mnuVertexSummary");
    shell::GridWidget& grid = *h.windows().vertexSummaryWindow()->grid();
    ASSERT_EQ(h.runTime().ActiveWindow, "frmProgress");
    EXPECT_FALSE(h.mainWindow().menuAction("Menu_cut")->isEnabled());
    EXPECT_FALSE(h.mainWindow().menuAction("Menu_paste")->isEnabled());

    grid.selectBlock({2, 1, 3, 2});
    const QList<QStringList> before = Cells(grid);
    h.triggerMenu("Menu_copy");
    EXPECT_EQ(Clipboard(), grid.blockText({2, 1, 3, 2}));
    EXPECT_TRUE(Clipboard().startsWith("80.00\t10.0\n"));

    // Even when reached, Cut and Paste do nothing here.
    SetClipboard("1\t2\n");
    h.mainWindow().handlers().cut();
    h.mainWindow().handlers().paste();
    EXPECT_EQ(Cells(grid), before);
    EXPECT_EQ(Clipboard(), "1\t2\n");
}

TEST_F(ClipboardCommandsTest, SetupWindowPastesIntoTheCountBoxLastFocused)
{
    simplex::SetupWindow* setup = h.windows().setupWindow();
    ASSERT_NE(setup, nullptr);
    QLineEdit* count = setup->countBox();
    count->setFocus(Qt::OtherFocusReason);
    count->selectAll();
    ASSERT_EQ(h.runTime().FocusedTextBox, "text1");
    SetClipboard("3");
    h.triggerMenu("Menu_paste");
    EXPECT_EQ(count->text(), "3");

    // Through the toolbar, the selection the box had is used.
    count->setFocus(Qt::OtherFocusReason);
    count->selectAll();
    SetClipboard("(before)");
    h.clickTool("copy_button");
    EXPECT_EQ(Clipboard(), "3");
    EXPECT_TRUE(count->hasFocus());
}

TEST_F(ClipboardCommandsTest, SetupWindowTargetBoxKeepsItsSelectionThroughTheToolbar)
{
    simplex::SetupWindow* setup = h.windows().setupWindow();
    ASSERT_NE(setup, nullptr);
    QTest::mouseClick(setup->goalOption(2), Qt::LeftButton, {}, QPoint(5, 5));
    QLineEdit* target = setup->targetBox();
    ASSERT_TRUE(target->isEnabled());
    ProgramHarness::typeInto(target, "17.5");
    ASSERT_EQ(h.runTime().FocusedTextBox, "text2");
    target->setSelection(0, 2);

    h.clickTool("cut_button");
    EXPECT_EQ(Clipboard(), "17");
    EXPECT_EQ(target->text(), ".5");
    EXPECT_TRUE(target->hasFocus());

    target->setCursorPosition(2);
    h.clickTool("Paste_button");
    EXPECT_EQ(target->text(), ".517");
}

TEST_F(ClipboardCommandsTest, ADisabledTargetBoxTakesNothing)
{
    simplex::SetupWindow* setup = h.windows().setupWindow();
    ASSERT_NE(setup, nullptr);
    ASSERT_FALSE(setup->targetBox()->isEnabled()); // the goal is a maximum
    h.runTime().FocusedTextBox = QStringLiteral("text2");
    const QString before = setup->targetBox()->text();
    SetClipboard("99");
    h.triggerMenu("Menu_paste");
    EXPECT_EQ(setup->targetBox()->text(), before);
}

TEST_F(ClipboardCommandsTest, StepsWindowActsOnTheResultBoxOrTheGrid)
{
    h.startKnownRun();
    simplex::StepsWindow* steps = h.windows().stepsWindow();
    QLineEdit* result = steps->resultBox();
    ProgramHarness::typeInto(result, "77.26");
    ASSERT_EQ(h.runTime().FocusTarget, "text");
    result->selectAll();
    h.clickTool("copy_button");
    EXPECT_EQ(Clipboard(), "77.26");
    h.clickTool("cut_button");
    EXPECT_EQ(result->text(), "");
    h.clickTool("Paste_button");
    EXPECT_EQ(result->text(), "77.26");
    EXPECT_TRUE(result->hasFocus());

    // After a click into the grid, Copy copies the selected cells, not the
    // result box.
    shell::GridWidget& grid = *steps->grid();
    grid.setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(h.runTime().FocusTarget, "ss");
    grid.selectBlock({1, 1, 2, 2});
    h.clickTool("copy_button");
    EXPECT_EQ(Clipboard(), "Temp\t50\nTime\t20\n");
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(result->text(), "77.26");
}

// ---- The practice windows ----

struct PracticeCase {
    const char* name;
    const char* menuItem; // nullptr: a variance exercise file opens the window
    practice::ExerciseWindow window;
    const char* code;
};


class PracticeClipboardTest : public ClipboardCommandsTest, public testing::WithParamInterface<PracticeCase> {};

TEST_P(PracticeClipboardTest, LevelBoxesTakeAllThreeAndTheGridOnlyCopy)
{
    const PracticeCase& c = GetParam();
    if (c.menuItem)
        h.triggerMenu(c.menuItem);
    else
        h.program().practiceWindows().openVarianceExercise({"A", "D", 0, 0, 145, 146, 15, 12, 30, "A1D2E3H", {}});
    practice::PracticeWindow* window = h.program().practiceWindows().window(c.window);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(h.runTime().ActiveWindow, QLatin1String(c.code));
    // The older variance window leaves FocusTarget as the window before it
    // left it; here that window had the focus in a level box, later in its grid.
    const bool setsFocusTarget = window->config().setsFocusTarget;

    QLineEdit* box = window->levelBox("A");
    ASSERT_NE(box, nullptr);
    ProgramHarness::typeInto(box, "12");
    if (!setsFocusTarget)
        h.runTime().FocusTarget = QStringLiteral("text");
    ASSERT_EQ(h.runTime().FocusTarget, "text");
    ASSERT_TRUE(window->computeResponse());
    window->form().computeResponse->setFocus(Qt::OtherFocusReason);

    // The box worked in last takes the command, its whole text selected.
    h.triggerMenu("Menu_copy");
    EXPECT_EQ(Clipboard(), "12");
    h.triggerMenu("Menu_cut");
    EXPECT_EQ(box->text(), "");
    EXPECT_EQ(Clipboard(), "12");
    SetClipboard("7");
    h.triggerMenu("Menu_paste");
    EXPECT_EQ(box->text(), "7");

    shell::GridWidget& grid = *window->grid();
    grid.setFocus(Qt::OtherFocusReason);
    if (!setsFocusTarget)
        h.runTime().FocusTarget = QStringLiteral("ss");
    ASSERT_EQ(h.runTime().FocusTarget, "ss");
    const shell::GridBlock row{1, 1, grid.maxCols(), 1};
    grid.selectBlock(row);
    const QList<QStringList> before = Cells(grid);
    SetClipboard("(unchanged)");
    h.triggerMenu("Menu_cut");
    h.triggerMenu("Menu_paste");
    EXPECT_EQ(Cells(grid), before);
    EXPECT_EQ(Clipboard(), "(unchanged)");
    EXPECT_EQ(box->text(), "7");

    h.triggerMenu("Menu_copy");
    EXPECT_EQ(Clipboard(), grid.blockText(row));
    EXPECT_TRUE(Clipboard().startsWith("12\t"));
}

const PracticeCase PracticeCases[] = {
    {"Target", "mnuPracticeTOsimple", practice::ExerciseWindow::Target, "TOO"},
    {"Variance", "mnuPracticeVOsim", practice::ExerciseWindow::Variance, "VO"},
    {"OlderVariance", nullptr, practice::ExerciseWindow::OlderVariance, "VO"},
    {"Scrap", "mnuSRadv", practice::ExerciseWindow::Scrap, "TO5"},
};

INSTANTIATE_TEST_SUITE_P(EachKind, PracticeClipboardTest, testing::ValuesIn(PracticeCases),
                         [](const testing::TestParamInfo<PracticeCase>& info) { return std::string(info.param.name); });

TEST_F(ClipboardCommandsTest, ABlockCopiedFromOneGridPastesIntoAnother)
{
    h.triggerMenu("mnuPracticeTOsimple");
    practice::PracticeWindow* practice = h.program().practiceWindows().window(practice::ExerciseWindow::Target);
    ProgramHarness::typeInto(practice->levelBox("A"), "12");
    ProgramHarness::typeInto(practice->levelBox("D"), "-7");
    ASSERT_TRUE(practice->computeResponse());
    practice->grid()->setFocus(Qt::OtherFocusReason);
    practice->grid()->selectBlock({1, 1, 2, 1});
    h.triggerMenu("Menu_copy");

    ProgramHarness::click(h.windows().setupWindow()->defineFactorsButton());
    shell::GridWidget& factors = *h.windows().factorWindow()->grid();
    ASSERT_EQ(h.runTime().ActiveWindow, "frmDefineFactors");
    factors.setCurrentCell(2, 1);
    h.triggerMenu("Menu_paste");
    EXPECT_EQ(factors.cell(2, 1), "12");
    EXPECT_EQ(factors.cell(3, 1), "-7");
}

TEST_F(ClipboardCommandsTest, AnyOtherWindowCodeOrAClosedWindowDoesNothing)
{
    simplex::SetupWindow* setup = h.windows().setupWindow();
    const QString count = setup->countBox()->text();
    for (const char* code : {"", "About", "frmdefinefactors", "frmDefineFactors", "frmInitialSimplex", "frmProgress",
                             "SimplexSteps"}) {
        SCOPED_TRACE(code);
        h.runTime().ActiveWindow = QLatin1String(code);
        h.runTime().FocusedTextBox = QStringLiteral("text1");
        SetClipboard("5");
        h.mainWindow().handlers().cut();
        h.mainWindow().handlers().copy();
        h.mainWindow().handlers().paste();
        EXPECT_EQ(Clipboard(), "5");
        EXPECT_EQ(setup->countBox()->text(), count);
    }
    EXPECT_TRUE(h.dialogs.requests().empty());
}

} // namespace
} // namespace zeltomir::app::test
