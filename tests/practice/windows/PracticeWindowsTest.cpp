// The practice windows inside a live main window: the Practice menu,
// activation, the window an ActiveWindow code names, and exercise files.

#include "PracticeWindowFixture.h"

#include "practice/windows/PracticeWindows.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

namespace zeltomir::practice::testing {
namespace {

class PracticeWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        main = std::make_unique<shell::MainWindow>(dialogs, runTime);
        main->resize(1400, 1000);
        main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        windows = std::make_unique<PracticeWindows>(*main, runTime, records);
        windows->installPracticeMenu();
    }
    void TearDown() override
    {
        windows.reset();
        main.reset();
        dialogs.expectAllAnswered();
    }
    void choose(const char* item) const { main->menuAction(QLatin1String(item))->trigger(); }
    static void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    testsupport::ScriptedDialogService dialogs;
    core::RunTimeState runTime;
    PracticeRecords records;
    SeededSource source{99};
    ProgramRandomScope random{source};
    std::unique_ptr<shell::MainWindow> main;
    std::unique_ptr<PracticeWindows> windows;
};

TEST_F(PracticeWindowsTest, EachMenuItemOpensItsWindowAtItsLevel)
{
    const struct {
        const char* item;
        ExerciseWindow which;
        const char* name;
        const char* level;
        const char* code;
    } cases[] = {
        {"mnuPracticeTOsimple", ExerciseWindow::Target, "frm_DOE_PBLM_2", "simple", "TOO"},
        {"mnuPracticeTOadvanced", ExerciseWindow::Target, "frm_DOE_PBLM_2", "all", "TOO"},
        {"mnuPracticeVOsim", ExerciseWindow::Variance, "frmVarMinNew", "simple", "VO"},
        {"mnuPracticeVOadv", ExerciseWindow::Variance, "frmVarMinNew", "all", "VO"},
        {"mnuSRsim", ExerciseWindow::Scrap, "frmScrapMin", "simple", "TO5"},
        {"mnuSRadv", ExerciseWindow::Scrap, "frmScrapMin", "all", "TO5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        main->menuAction(QStringLiteral("Menu_paste"))->setEnabled(false);
        choose(c.item);
        PracticeWindow* w = windows->window(c.which);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->objectName(), QLatin1String(c.name));
        EXPECT_EQ(RecordOf(records, c.which).PracticeLevel, QLatin1String(c.level));
        EXPECT_EQ(main->mdiArea()->activeSubWindow(), windows->subWindow(c.which));
        EXPECT_EQ(runTime.ActiveWindow, QLatin1String(c.code));
        EXPECT_TRUE(StatementFits(*w));
        EXPECT_TRUE(main->menuAction(QStringLiteral("Menu_paste"))->isEnabled());
        EXPECT_FALSE(main->toolButton(QStringLiteral("btnPrint"))->isEnabled());
    }
}

// Three large exercise windows open at once all lie inside the MDI area:
// none is placed partly past its right or bottom edge.
TEST_F(PracticeWindowsTest, ExerciseWindowsOpenInsideTheArea)
{
    main->resize(1100, 800);
    QCoreApplication::processEvents();
    const QRect room = main->mdiArea()->viewport()->rect();
    for (const char* item : {"mnuPracticeTOsimple", "mnuPracticeVOadv", "mnuSRsim"}) {
        SCOPED_TRACE(item);
        choose(item);
        QMdiSubWindow* sub = main->mdiArea()->activeSubWindow();
        ASSERT_NE(sub, nullptr);
        EXPECT_TRUE(room.contains(sub->geometry())) << sub->x() << "," << sub->y() << " " << sub->width() << "x"
                                                    << sub->height() << " in " << room.width() << "x"
                                                    << room.height();
    }
}

// A new exercise window is ready for the first level: the focus is in the
// first shown level box, not in the question text above it.
TEST_F(PracticeWindowsTest, NewExerciseWindowPutsTheFocusInTheFirstLevelBox)
{
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    const struct {
        const char* item;
        ExerciseWindow which;
    } cases[] = {
        {"mnuPracticeTOsimple", ExerciseWindow::Target},
        {"mnuPracticeVOadv", ExerciseWindow::Variance},
        {"mnuSRsim", ExerciseWindow::Scrap},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        choose(c.item);
        PracticeWindow* w = windows->window(c.which);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(QApplication::focusWidget(), w->levelBox(QStringLiteral("A")))
            << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString() : "none");
    }
}

TEST_F(PracticeWindowsTest, MenuReopensTheWindowWithAnEmptyGridAndTheSameScore)
{
    choose("mnuPracticeTOsimple");
    QPointer<PracticeWindow> first = windows->window(ExerciseWindow::Target);
    first->levelBox(QStringLiteral("A"))->setText(QStringLiteral("5"));
    ASSERT_TRUE(first->computeResponse());
    records.Target.CorrectCount = 1;
    records.Target.IncorrectCount = 2;

    choose("mnuPracticeTOadvanced");
    PracticeWindow* second = windows->window(ExerciseWindow::Target);
    ASSERT_NE(second, first.data());
    deleteClosedWindows();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(GridRow(*second->grid(), 0), (QStringList{"A", "B", "C", "D", "E", "F", "Result"}));
    EXPECT_EQ(second->grid()->firstEmptyRow(1), 1);
    EXPECT_EQ(second->levelTexts().join(QString()), QString());
    EXPECT_EQ(second->form().correct->text() + second->form().incorrect->text(), QStringLiteral("12"));
    EXPECT_EQ(second->form().percentage->text(), QStringLiteral("33.3%"));
}

TEST_F(PracticeWindowsTest, ActiveWindowCodesNameTheirWindows)
{
    EXPECT_EQ(PracticeWindows::WindowForActiveCode("TOO"), ExerciseWindow::Target);
    EXPECT_EQ(PracticeWindows::WindowForActiveCode("VO"), ExerciseWindow::Variance);
    EXPECT_EQ(PracticeWindows::WindowForActiveCode("TO5"), ExerciseWindow::Scrap);
    EXPECT_EQ(PracticeWindows::WindowForActiveCode("frmProgress"), std::nullopt);
    EXPECT_EQ(windows->windowForActiveCode("SimplexSteps"), nullptr);

    // A reference loads the window; "VO" names the older variance window
    // while that one was activated last.
    PracticeWindow* scrap = windows->windowForActiveCode("TO5");
    ASSERT_NE(scrap, nullptr);
    EXPECT_EQ(scrap, windows->window(ExerciseWindow::Scrap));
    PracticeWindow* older = windows->show(ExerciseWindow::OlderVariance);
    EXPECT_EQ(runTime.ActiveWindow, QStringLiteral("VO"));
    EXPECT_EQ(windows->windowForActiveCode("VO"), older);
    windows->show(ExerciseWindow::Variance);
    EXPECT_EQ(windows->windowForActiveCode("VO"), windows->window(ExerciseWindow::Variance));

    windows->subWindow(ExerciseWindow::Scrap)->close();
    EXPECT_EQ(windows->window(ExerciseWindow::Scrap), nullptr);
}

TEST_F(PracticeWindowsTest, TargetExerciseFileReplacesTheQuestionOfTheOpenWindow)
{
    PracticeWindow* w = windows->show(ExerciseWindow::Target);
    w->levelBox(QStringLiteral("A"))->setText(QStringLiteral("5"));
    ASSERT_TRUE(w->computeResponse());
    records.Target.Answered = 1;
    w->grid()->scrollToRow(w->grid()->maxRows());

    TargetFileContents file;
    file.Model = {"B", "E", 10, -20, 1000, 50, 100, 25, 15, 30};
    file.AnswerText = QStringLiteral("B1.5E2.5");
    EXPECT_EQ(windows->openTargetExercise(file), w);
    EXPECT_EQ(records.Target.Model, file.Model);
    EXPECT_EQ(records.Target.Answered, 0);
    EXPECT_DOUBLE_EQ(records.Target.OptimalResponse, SolveQuadraticOptimum(file.Model).response);
    // At the simple level the loaded letters get the boxes and columns.
    EXPECT_FALSE(w->levelBox(QStringLiteral("B"))->isHidden());
    EXPECT_TRUE(w->levelBox(QStringLiteral("A"))->isHidden());
    EXPECT_EQ(GridRow(*w->grid(), 0), (QStringList{"B", "E", "Result"}));
    EXPECT_EQ(w->grid()->firstEmptyRow(1), 1);
    EXPECT_TRUE(RowInView(*w->grid(), 1));
    EXPECT_TRUE(w->form().statement->toPlainText().contains(QStringLiteral("Two factors, B and E, affect")));
}

TEST_F(PracticeWindowsTest, VarianceExerciseFileOpensTheOlderWindowWithNoRows)
{
    VarianceFileContents file;
    file.FirstFactor = QStringLiteral("A");
    file.SecondFactor = QStringLiteral("D");
    file.c1 = 145;
    file.c2 = 146;
    file.c12 = 15;
    file.c11 = 12;
    file.c22 = 30;
    file.AnswerText = QStringLiteral("A1D2E3H");
    // The level the Practice menu set last decides the boxes shown.
    for (const char* level : {"simple", "all"}) {
        SCOPED_TRACE(level);
        windows->close(ExerciseWindow::OlderVariance);
        records.Variance.PracticeLevel = QLatin1String(level);
        PracticeWindow* w = windows->openVarianceExercise(file);
        ASSERT_EQ(w, windows->window(ExerciseWindow::OlderVariance));
        EXPECT_EQ(main->mdiArea()->activeSubWindow(), windows->subWindow(ExerciseWindow::OlderVariance));
        EXPECT_EQ(runTime.ActiveWindow, QStringLiteral("VO"));
        EXPECT_EQ(records.Variance.Robust.c1, 145.0F);
        EXPECT_EQ(w->grid()->firstEmptyRow(1), 1);
        EXPECT_EQ(w->levelTexts().join(QString()), QString());
        EXPECT_TRUE(StatementFits(*w));
    }
}

} // namespace
} // namespace zeltomir::practice::testing
