// Undo and Redo through the toolbar: the two-state swap with the snapshot
// files, the window each loaded stage reopens, and the button states.

#include "ProgramHarness.h"

#include "app/DocumentCommands.h"
#include "core/SnapshotFiles.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

namespace zeltomir::app::test {
namespace {

const QList<QStringList> KnownFactors{{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}};

class UndoRedoTest : public testing::Test {
protected:
    QString undoPath() { return h.program().snapshots().undoPath(); }
    QString redoPath() { return h.program().snapshots().redoPath(); }

    void expectButtons(bool undo, bool redo)
    {
        EXPECT_EQ(h.undoEnabled(), undo) << "Undo";
        EXPECT_EQ(h.redoEnabled(), redo) << "Redo";
    }

    void expectTrial(const char* temp, const char* time)
    {
        simplex::StepsWindow* steps = h.windows().stepsWindow();
        ASSERT_NE(steps, nullptr) << "the steps window is closed";
        EXPECT_EQ(steps->grid()->cell(2, 1), QLatin1String(temp));
        EXPECT_EQ(steps->grid()->cell(2, 2), QLatin1String(time));
    }

    static QStringList freshRecord(const core::OptimizationProblem& like)
    {
        core::OptimizationProblem fresh;
        core::ResetToStartup(fresh);
        fresh.StepType = like.StepType;
        return RecordLines(fresh);
    }

    ProgramHarness h;
};

TEST_F(UndoRedoTest, UndoReturnsToTheSnapshotBeforeTheFactorCommit)
{
    expectButtons(false, false);
    h.fillFactors(KnownFactors);
    expectButtons(true, false);
    const QStringList committed = RecordLines(h.problem());

    h.clickTool("undo_button");

    // The snapshot was taken before the commit: the start-up problem.
    EXPECT_EQ(RecordLines(h.problem()), freshRecord(h.problem()));
    EXPECT_EQ(FileLines(redoPath()), committed);
    EXPECT_EQ(h.runTime().StateFilePath, undoPath());
    // Stage "none" reopens the factor window, beside the setup window.
    EXPECT_EQ(h.openWindows(), QStringList({"SeqSimplexInitialize", "frmDefineFactors"}));
    EXPECT_EQ(h.runTime().ActiveWindow, "frmDefineFactors");
    EXPECT_EQ(h.windows().factorWindow()->grid()->cell(1, 1), "A");
    expectButtons(false, true);
    EXPECT_TRUE(h.dialogs.requests().empty());
}

TEST_F(UndoRedoTest, RedoBringsTheCommitBackAndKeepsTheSetupWindowBeforeTheSteps)
{
    h.fillFactors(KnownFactors);
    const QStringList committed = RecordLines(h.problem());
    h.runTime().Modified = QStringLiteral("no"); // as after a save
    h.clickTool("undo_button");
    const QStringList undone = RecordLines(h.problem());
    EXPECT_EQ(h.runTime().Modified, "no");

    h.clickTool("redo_button");
    EXPECT_EQ(h.runTime().Modified, "no");

    EXPECT_EQ(RecordLines(h.problem()), committed);
    EXPECT_EQ(FileLines(undoPath()), undone);
    EXPECT_EQ(h.runTime().StateFilePath, redoPath());
    // The stage left was not "Steps", so the setup window stays; with the
    // first step still pending, the factor window reopened for the loaded
    // stage is closed again.
    EXPECT_EQ(h.openWindows(), QStringList{"SeqSimplexInitialize"});
    expectButtons(true, false);
}

TEST_F(UndoRedoTest, UndoAfterBeginOptimizationClosesTheStepsWindow)
{
    h.startKnownRun();
    ASSERT_EQ(h.problem().FirstStepPending, "yes");
    h.clickTool("undo_button");
    EXPECT_EQ(h.problem().Stage.text(), "SeqSimplexInitialize");
    EXPECT_EQ(h.openWindows(), QStringList{"SeqSimplexInitialize"});
    EXPECT_TRUE(h.windows().setupWindow()->defineInitialSimplexButton()->isEnabled());
    expectButtons(false, true);
}

TEST_F(UndoRedoTest, UndoThenNextStepDiscardsTheRedo)
{
    h.startKnownRun();
    h.nextStep("77.26");
    const QStringList afterFirst = RecordLines(h.problem());
    h.nextStep("74.04");
    expectTrial("36.88", "28.1");

    h.clickTool("undo_button");
    EXPECT_EQ(RecordLines(h.problem()), afterFirst);
    expectTrial("27.5", "22.5");
    EXPECT_EQ(h.runTime().ActiveWindow, "SimplexSteps");
    expectButtons(false, true);

    h.nextStep("74.04");
    expectTrial("36.88", "28.1");
    expectButtons(true, false);
    // The redo file stays on disk, unused.
    EXPECT_TRUE(QFile::exists(redoPath()));
}

TEST_F(UndoRedoTest, RedoFromTheStepsStageClosesTheSetupWindowToo)
{
    h.startKnownRun();
    h.nextStep("77.26");
    h.nextStep("74.04");
    const QStringList afterSecond = RecordLines(h.problem());
    h.clickTool("undo_button");
    ASSERT_EQ(h.problem().Stage.text(), "Steps");
    ASSERT_TRUE(h.openWindows().contains("SeqSimplexInitialize"));

    h.clickTool("redo_button");
    EXPECT_EQ(RecordLines(h.problem()), afterSecond);
    EXPECT_EQ(h.openWindows(), QStringList{"SimplexSteps"});
    // A reopened steps window shows the trial as it was proposed: the
    // reflection after an accepted vertex, rounded to the decimals.
    expectTrial("36.88", "28.1");
    expectButtons(true, false);
}

// Redo at the steps stage closes the setup window; View > Problem Setup
// (Ctrl+U) brings it back with the record's goal, target, step type and
// count, so that they can be changed in mid-run.
TEST_F(UndoRedoTest, ProblemSetupComesBackAfterRedo)
{
    h.fillFactors(KnownFactors);
    simplex::SetupWindow* setup = h.windows().setupWindow();
    setup->goalOption(2)->click();
    ProgramHarness::typeInto(setup->targetBox(), QStringLiteral("70.5"));
    setup->stepTypeOption(1)->click();
    h.fillInitialSimplex({"41.13", "77.65", "53.13"});
    h.beginOptimization();
    h.nextStep("77.26");
    h.clickTool("undo_button");
    h.clickTool("redo_button");
    ASSERT_FALSE(h.openWindows().contains("SeqSimplexInitialize"));

    QTest::keyClick(&h.mainWindow(), Qt::Key_U, Qt::ControlModifier);
    setup = h.windows().setupWindow();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(h.activeWindowName(), "SeqSimplexInitialize");
    EXPECT_EQ(setup->countBox()->text(), "2");
    EXPECT_TRUE(setup->goalOption(2)->isChecked());
    EXPECT_EQ(setup->targetBox()->text(), "70.5");
    EXPECT_TRUE(setup->stepTypeOption(1)->isChecked());
    EXPECT_TRUE(setup->defineInitialSimplexButton()->isEnabled());
    EXPECT_EQ(h.problem().StepType, "Fixed");
    EXPECT_TRUE(h.dialogs.requests().empty());
}

TEST_F(UndoRedoTest, RedoThenUndoReturnsToTheStateBeforeTheRedo)
{
    h.startKnownRun();
    h.nextStep("77.26");
    h.nextStep("74.04");
    h.clickTool("undo_button");
    const QStringList undone = RecordLines(h.problem());
    h.clickTool("redo_button");
    h.clickTool("undo_button");
    EXPECT_EQ(RecordLines(h.problem()), undone);
    expectTrial("27.5", "22.5");
}

TEST_F(UndoRedoTest, ADisabledCommandDoesNothing)
{
    h.fillFactors(KnownFactors);
    h.clickTool("undo_button");
    const QStringList undone = RecordLines(h.problem());
    const QStringList redoFile = FileLines(redoPath());
    const QStringList windows = h.openWindows();

    // A second Undo cannot be clicked; called anyway, it changes nothing.
    h.documents().undoRedo().undoCommand();
    EXPECT_EQ(RecordLines(h.problem()), undone);
    EXPECT_EQ(FileLines(redoPath()), redoFile);
    EXPECT_EQ(h.openWindows(), windows);
    expectButtons(false, true);

    h.clickTool("redo_button");
    const QStringList redone = RecordLines(h.problem());
    h.documents().undoRedo().redoCommand();
    EXPECT_EQ(RecordLines(h.problem()), redone);
    expectButtons(true, false);
}

TEST_F(UndoRedoTest, RestoredLimitsComeBackAsTyped)
{
    h.fillFactors({{"Temp", "0.1", "80", "2"}, {"Time", "10", "50", "1"}});
    ASSERT_EQ(h.problem().Factors.at(1).LowerLimit, 0.1);
    // A second commit: its snapshot holds the limit of 0.1.
    ProgramHarness::click(h.windows().setupWindow()->defineFactorsButton());
    ProgramHarness::editCell(*h.windows().factorWindow()->grid(), 1, 1, "Heat");
    ProgramHarness::click(h.windows().factorWindow()->continueButton());

    h.clickTool("undo_button");
    EXPECT_EQ(h.problem().Factors.at(1).FactorName, "Temp");
    EXPECT_EQ(h.problem().Factors.at(1).LowerLimit, 0.1);
}

TEST_F(UndoRedoTest, NewProblemAndOpenLeaveTheButtons)
{
    h.fillFactors(KnownFactors);
    h.clickTool("undo_button");
    h.dialogs.answerMessage(shell::MessageAnswer::Yes);
    h.clickTool("New_button");
    expectButtons(false, true);
    h.dialogs.answerOpen(std::nullopt);
    h.clickTool("Open_button");
    expectButtons(false, true);
}

// ---- Snapshot files that cannot be read or written ----

struct FailureCase {
    const char* name;
    bool redo;      // the command that fails
    bool breakRead; // the file to load is damaged; otherwise the file to keep cannot be written
};

class SnapshotFailureTest : public UndoRedoTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(SnapshotFailureTest, IsReportedAndChangesNothing)
{
    const FailureCase& c = GetParam();
    h.startKnownRun();
    h.nextStep("77.26");
    h.nextStep("74.04");
    if (c.redo)
        h.clickTool("undo_button");

    const QString load = c.redo ? redoPath() : undoPath();
    const QString keep = c.redo ? undoPath() : redoPath();
    if (c.breakRead) {
        WriteFile(load, "Steps\r\n 2 \r\n");
    } else {
        QFile::remove(keep);
        ASSERT_TRUE(QDir().mkpath(keep));
    }
    const QStringList record = RecordLines(h.problem());
    const QStringList windows = h.openWindows();
    const QString statePath = h.runTime().StateFilePath;
    const bool undo = h.undoEnabled();
    const bool redo = h.redoEnabled();
    const QStringList kept = FileLines(keep);

    h.dialogs.answerMessage(shell::MessageAnswer::Ok);
    h.clickTool(c.redo ? "redo_button" : "undo_button");

    const auto messages = h.dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().title, "Notice");
    EXPECT_EQ(messages.front().icon, core::MessageIcon::Critical);
    EXPECT_EQ(messages.front().buttons, shell::MessageButtons::Ok);
    const QString failed = c.breakRead ? load : keep;
    EXPECT_TRUE(messages.front().text.startsWith(c.redo ? "Redo was not carried out" : "Undo was not carried out"))
        << messages.front().text.toStdString();
    EXPECT_TRUE(messages.front().text.contains(QDir::toNativeSeparators(failed)));
    EXPECT_EQ(RecordLines(h.problem()), record);
    EXPECT_EQ(h.openWindows(), windows);
    EXPECT_EQ(h.runTime().StateFilePath, statePath);
    expectButtons(undo, redo);
    // Nothing was swapped, so the other file is as it was.
    EXPECT_EQ(FileLines(keep), kept);
}

const FailureCase FailureCases[] = {
    {"UndoFileDamaged", false, true},
    {"RedoFileNotWritable", false, false},
    {"RedoFileDamaged", true, true},
    {"UndoFileNotWritable", true, false},
};

INSTANTIATE_TEST_SUITE_P(Files, SnapshotFailureTest, testing::ValuesIn(FailureCases),
                         [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace zeltomir::app::test
