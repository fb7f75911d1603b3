// The façade that the program and the document commands use: closing sets
// of windows, reopening the window of a loaded stage, the commit before a
// save, the grids and text boxes by ActiveWindow, and the undo snapshot.

#include "WindowHarness.h"

#include "core/StateFile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

QStringList OpenWindows(WindowHarness& h)
{
    QStringList names;
    for (QMdiSubWindow* frame : h.mainWindow().mdiArea()->subWindowList(QMdiArea::CreationOrder)) {
        auto* window = qobject_cast<SimplexChildWindow*>(frame->widget());
        if (window && !window->isClosed())
            names << window->objectName();
    }
    names.sort();
    return names;
}

// All five windows open, the setup window's count box holding a count the
// factor window's close check would refuse.
void OpenAll(WindowHarness& h)
{
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    h.beginOptimization();
    h.windows().showVertexSummary();
    h.windows().openFactorWindow();
    h.click(h.setup().defineInitialSimplexButton());
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.setup().countBox()->setText(QStringLiteral("150"));
    h.dialogs.clear();
}

TEST(SimplexWindowsTest, ClosingSetsOfWindowsSkipsTheCountCheck)
{
    const struct {
        const char* name;
        bool problemWindows;
        QStringList left;
    } cases[] = {
        {"problem windows", true, {}},
        {"work windows", false, {"SeqSimplexInitialize"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        OpenAll(h);
        EXPECT_EQ(OpenWindows(h).size(), 5);
        if (c.problemWindows)
            h.windows().closeProblemWindows();
        else
            h.windows().closeWorkWindows();
        EXPECT_EQ(OpenWindows(h), c.left);
        EXPECT_TRUE(h.dialogs.messages().empty());
        QApplication::processEvents();
        EXPECT_EQ(h.windows().factorWindow(), nullptr);
    }
}

TEST(SimplexWindowsTest, ReopenStageWindowAfterAStateFileIsRead)
{
    const struct {
        const char* stage;
        const char* window;
        const char* activeWindow;
    } cases[] = {
        {"none", "frmDefineFactors", "frmDefineFactors"},
        {"DefineFactors", "frmDefineFactors", "frmDefineFactors"},
        {"SeqSimplexInitialize", "SeqSimplexInitialize", "SeqSimplexInitialize"},
        {"Steps", "SimplexSteps", "SimplexSteps"},
        {"Elsewhere", "SimplexSteps", "SimplexSteps"}, // any other text, kept as read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stage);
        WindowHarness h;
        h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}, {"Feed", "1", "3", "2"}});
        h.commitInitialSimplex({"41.13", "77.65", "53.13", "60"});
        h.beginOptimization();
        const QString file = QDir(h.folder()).filePath(QStringLiteral("problem.sso"));
        h.problem.Stage = core::Choice<core::Stage>::FromText(QLatin1String(c.stage));
        h.problem.Instruction = QStringLiteral("Use the Reflection");
        ASSERT_TRUE(core::WriteStateFile(h.problem, file).ok);

        // What the open command does around the read: close, read, reopen.
        h.windows().closeProblemWindows();
        core::ResetToStartup(h.problem);
        ASSERT_TRUE(core::ReadStateFile(file, h.problem).ok);
        h.windows().reopenStageWindow();

        EXPECT_EQ(h.problem.Stage.text(), QLatin1String(c.stage));
        EXPECT_EQ(h.activeTitle(), QLatin1String(c.window));
        EXPECT_EQ(h.runTime.ActiveWindow, QLatin1String(c.activeWindow));
        if (QLatin1String(c.window) == QLatin1String("frmDefineFactors")) {
            EXPECT_EQ(h.factors().grid()->maxRows(), 3);
            EXPECT_EQ(h.factors().grid()->cell(1, 3), QStringLiteral("Feed"));
        } else if (QLatin1String(c.window) == QLatin1String("SeqSimplexInitialize")) {
            EXPECT_TRUE(h.setup().defineInitialSimplexButton()->isEnabled());
            // The loaded count, so a later check of the box keeps it.
            EXPECT_EQ(h.setup().countBox()->text(), QStringLiteral("3"));
            EXPECT_EQ(h.problem.NumFactors, 3);
        } else {
            const shell::GridWidget& grid = *h.steps().grid();
            EXPECT_EQ(grid.maxRows(), 3);
            EXPECT_EQ(grid.cell(1, 3), QStringLiteral("Feed"));
            EXPECT_FALSE(grid.cell(2, 3).isEmpty());
            EXPECT_EQ(h.steps().instructionLabel()->text(), QStringLiteral("Use the Reflection"));
            // The next thing to type is the result, not a factor name.
            EXPECT_TRUE(h.steps().resultBox()->hasFocus());
        }
        EXPECT_TRUE(h.dialogs.messages().empty());
    }
}

// A factor window reopened after a problem was loaded closes with the
// loaded count, not with a stale one from a setup window made afresh.
TEST(SimplexWindowsTest, FactorWindowOfALoadedProblemKeepsItsCountOnContinue)
{
    WindowHarness h;
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}, {"Feed", "1", "3", "2"}});
    const QString file = QDir(h.folder()).filePath(QStringLiteral("factors.sso"));
    ASSERT_TRUE(core::WriteStateFile(h.problem, file).ok);
    h.windows().closeProblemWindows();
    core::ResetToStartup(h.problem);
    ASSERT_TRUE(core::ReadStateFile(file, h.problem).ok);
    h.windows().reopenStageWindow();
    ASSERT_EQ(h.windows().setupWindow(), nullptr);

    h.click(h.factors().continueButton());
    EXPECT_EQ(h.problem.NumFactors, 3);
    // Define Initial Simplex is where the user goes next.
    ASSERT_NE(h.windows().setupWindow(), nullptr);
    EXPECT_TRUE(h.setup().defineInitialSimplexButton()->isEnabled());
    EXPECT_EQ(h.setup().countBox()->text(), QStringLiteral("3"));
}

TEST(SimplexWindowsTest, CommitBeforeSaveRunsForTheActiveGridWindow)
{
    const struct {
        const char* name;
        bool factorWindow;
        QString message; // empty: none expected
        bool ok;
    } cases[] = {
        {"factor window with a bad cell", true, "The Factor in row 2 does not have a name.", false},
        {"initial simplex with a bad cell", false, "The result in row 1 is not numeric.", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
        if (c.factorWindow) {
            h.click(h.setup().defineFactorsButton());
            WindowHarness::editCell(*h.factors().grid(), 1, 2, QString());
        } else {
            h.click(h.setup().defineInitialSimplexButton());
            WindowHarness::editCell(*h.initialSimplex().grid(), 3, 1, QStringLiteral("?"));
        }
        h.mainWindow().setUndoEnabled(false);
        h.dialogs.answerMessage(MessageAnswer::Ok);
        EXPECT_EQ(h.windows().commitActiveWindowBeforeSave(), c.ok);
        ASSERT_EQ(h.dialogs.messages().size(), 1u);
        EXPECT_EQ(h.dialogs.messages().front(),
                  (MessageRequest{"Data Input Error", c.message, core::MessageIcon::Critical}));
        // No snapshot and the window stays open.
        EXPECT_FALSE(h.undoEnabled());
        EXPECT_EQ(OpenWindows(h).size(), 2);
    }
}

// All responses zero: Continue refuses, the commit before a save takes them.
TEST(SimplexWindowsTest, CommitBeforeSaveHasNoZeroCheck)
{
    WindowHarness h;
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    h.click(h.setup().defineInitialSimplexButton());
    EXPECT_TRUE(h.windows().commitActiveWindowBeforeSave());
    EXPECT_TRUE(h.dialogs.messages().empty());
    EXPECT_EQ(h.problem.InitialSimplexDefined, QStringLiteral("no"));
    EXPECT_EQ(h.problem.Simplex.value(1, 1), 1.0);
    // Any other window: nothing to commit.
    h.windows().openSetupWindow();
    EXPECT_TRUE(h.windows().commitActiveWindowBeforeSave());

    // With a trial recorded, the window opened to look neither cuts the run
    // short nor lets a save replace it.
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    h.beginOptimization();
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("60"));
    h.click(h.steps().nextStepButton());
    h.click(h.setup().defineInitialSimplexButton());
    EXPECT_TRUE(h.windows().commitActiveWindowBeforeSave());
    EXPECT_EQ(h.problem.NumVertices, 4);
}

TEST(SimplexWindowsTest, GridsAndBoxesByActiveWindow)
{
    WindowHarness h;
    OpenAll(h);
    SimplexWindows& windows = h.windows();
    EXPECT_EQ(windows.gridOf(QStringLiteral("frmDefineFactors")), h.factors().grid());
    EXPECT_EQ(windows.gridOf(QStringLiteral("frmInitialSimplex")), h.initialSimplex().grid());
    EXPECT_EQ(windows.gridOf(QStringLiteral("SimplexSteps")), h.steps().grid());
    EXPECT_EQ(windows.gridOf(QStringLiteral("frmProgress")), h.summary().grid());
    EXPECT_EQ(windows.gridOf(QStringLiteral("SeqSimplexInitialize")), nullptr);
    EXPECT_EQ(windows.gridOf(QStringLiteral("TOO")), nullptr);
    EXPECT_EQ(windows.setupCountBox(), h.setup().countBox());
    EXPECT_EQ(windows.setupTargetBox(), h.setup().targetBox());
    EXPECT_EQ(windows.stepsResultBox(), h.steps().resultBox());
    for (const char* name : {"frmDefineFactors", "frmInitialSimplex", "SimplexSteps", "frmProgress"})
        EXPECT_EQ(windows.gridOf(QLatin1String(name))->objectName(), QStringLiteral("ss"));
    windows.closeProblemWindows();
    EXPECT_EQ(windows.gridOf(QStringLiteral("SimplexSteps")), nullptr);
    EXPECT_EQ(windows.setupCountBox(), nullptr);
    EXPECT_EQ(windows.stepsResultBox(), nullptr);
}

// Every confirming command writes the state before its change to the undo
// file and offers Undo (and no longer Redo).
TEST(SimplexWindowsTest, ConfirmingCommandsStoreAnUndoSnapshot)
{
    enum class Command { FactorContinue, InitialContinue, Begin, NextStep };
    const struct {
        const char* name;
        Command command;
        const char* stageInFile; // line 1 of the snapshot
        const char* definedInFile; // the last field, InitialSimplexDefined, before the step type
    } cases[] = {
        {"factor Continue", Command::FactorContinue, "none", "no"},
        {"initial simplex Continue", Command::InitialContinue, "SeqSimplexInitialize", "no"},
        {"Begin Optimization", Command::Begin, "SeqSimplexInitialize", "yes"},
        // Next Step stores after it has set the stage.
        {"Next Step", Command::NextStep, "Steps", "yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        if (c.command != Command::FactorContinue)
            h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
        if (c.command == Command::Begin || c.command == Command::NextStep)
            h.commitInitialSimplex({"41.13", "77.65", "53.13"});
        if (c.command == Command::NextStep)
            h.beginOptimization();
        if (c.command == Command::FactorContinue)
            h.click(h.setup().defineFactorsButton());
        if (c.command == Command::InitialContinue) {
            h.click(h.setup().defineInitialSimplexButton());
            WindowHarness::editCell(*h.initialSimplex().grid(), 3, 1, QStringLiteral("1"));
        }
        if (c.command == Command::NextStep)
            WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("50"));
        // As after an Undo.
        h.mainWindow().setUndoEnabled(false);
        h.mainWindow().setRedoEnabled(true);
        QFile(h.snapshots().undoPath()).remove();

        switch (c.command) {
        case Command::FactorContinue: h.click(h.factors().continueButton()); break;
        case Command::InitialContinue: h.click(h.initialSimplex().continueButton()); break;
        case Command::Begin: h.click(h.setup().beginOptimizationButton()); break;
        case Command::NextStep: h.click(h.steps().nextStepButton()); break;
        }
        EXPECT_TRUE(h.dialogs.messages().empty());
        QFile file(h.snapshots().undoPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines.first(), QByteArray(c.stageInFile) + "\r");
        ASSERT_GE(lines.size(), 3);
        EXPECT_EQ(lines.at(lines.size() - 3), QByteArray(c.definedInFile) + "\r");
        EXPECT_EQ(lines.at(lines.size() - 2), QByteArray("Variable\r"));
        EXPECT_TRUE(h.undoEnabled());
        EXPECT_FALSE(h.redoEnabled());
        EXPECT_EQ(h.runTime.StateFilePath, h.snapshots().undoPath());
    }
}

// A snapshot that cannot be written is reported once, naming the file, and
// offers no Undo; the command itself goes on.
TEST(SimplexWindowsTest, UnwritableSnapshotIsReportedAndOffersNoUndo)
{
    WindowHarness h;
    // A folder where the snapshot file belongs cannot be replaced by a file.
    const QString undoPath = h.snapshots().undoPath();
    ASSERT_TRUE(QFile::remove(undoPath));
    ASSERT_TRUE(QDir().mkpath(undoPath + QStringLiteral("/blocked")));

    h.click(h.setup().defineFactorsButton());
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(h.factors().continueButton());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    const MessageRequest notice = h.dialogs.messages().front();
    EXPECT_EQ(notice.title, QStringLiteral("Notice"));
    EXPECT_TRUE(notice.text.contains(QDir::toNativeSeparators(undoPath))) << notice.text.toStdString();
    EXPECT_FALSE(h.undoEnabled());
    EXPECT_EQ(h.windows().factorWindow(), nullptr);
    EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("DefineFactors"));
}

} // namespace
} // namespace zeltomir::simplex::test
