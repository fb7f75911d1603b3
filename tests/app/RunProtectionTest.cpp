// A run in progress survives what a user does beside it: limits or goal
// changed mid-run, a save and an open. Through the real windows; each case
// reads the saved problem file back.

#include "ProgramHarness.h"

#include "core/StateFile.h"
#include "shell/GridWidget.h"
#include "simplex/VertexSummary.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

namespace zeltomir::app::test {
namespace {

QStringList TrialLevels(ProgramHarness& h)
{
    const shell::GridWidget& grid = *h.windows().stepsWindow()->grid();
    return {grid.cell(2, 1), grid.cell(2, 2)};
}

QStringList SummaryLevels(const core::OptimizationProblem& problem)
{
    QStringList levels;
    for (const simplex::VertexSummaryRow& row : simplex::BuildVertexSummary(problem).rows)
        levels += row.levels();
    return levels;
}

core::OptimizationProblem SavedAndRead(ProgramHarness& h, QString* stepType = nullptr)
{
    h.dialogs.answerSave(h.path("run.sso"));
    h.triggerMenu("mnufilesave");
    core::OptimizationProblem read;
    EXPECT_TRUE(core::ReadStateFile(h.path("run.sso"), read, stepType).ok);
    return read;
}

TEST(RunProtectionTest, LimitsChangedMidRunKeepEveryLevelRunAndTheNextTrial)
{
    ProgramHarness steady;
    ProgramHarness changed;
    for (ProgramHarness* h : {&steady, &changed}) {
        h->startKnownRun();
        h->nextStep("77.26");
    }
    changed.fillFactors({{"Temp", "0", "100", "2"}, {"Time", "10", "50", "1"}});
    EXPECT_EQ(SummaryLevels(changed.problem()), SummaryLevels(steady.problem()));
    steady.nextStep("74.04");
    changed.nextStep("74.04");
    EXPECT_EQ(TrialLevels(changed), TrialLevels(steady));
    EXPECT_EQ(SummaryLevels(SavedAndRead(changed)), SummaryLevels(steady.problem()));
}

TEST(RunProtectionTest, GoalChangedMidRunScoresTheRunAnewAndUndoBringsItBack)
{
    ProgramHarness h;
    h.startKnownRun();
    h.nextStep("77.26");
    const QStringList trial = TrialLevels(h);
    const QStringList record = RecordLines(h.problem());
    h.windows().setupWindow()->goalOption(1)->click();
    EXPECT_EQ(TrialLevels(h), trial);
    EXPECT_EQ(SavedAndRead(h).Goal.text(), "min");
    // The scoring anew stored the snapshot that Undo brings back.
    h.clickTool("undo_button");
    EXPECT_TRUE(h.windows().setupWindow()->goalOption(0)->isChecked());
    EXPECT_EQ(RecordLines(h.problem()), record);
}

TEST(RunProtectionTest, FixedStepsAndTheTrialOnShowComeBackFromTheFile)
{
    const struct {
        int steps;         // results entered after Begin Optimization
        QStringList trial; // on show, as proposed
    } cases[] = {
        {5, {"35.12", "37.1"}},        // a reflection, rounded to the decimals
        {6, {"38.69140625", "40.21484375"}}, // an extension, unrounded as computed
    };
    const char* results[] = {"77.26", "74.04", "83.33", "80.57", "82.89", "87.28"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        ProgramHarness h;
        h.startKnownRun();
        for (int i = 0; i < c.steps; ++i)
            h.nextStep(QLatin1String(results[i]));
        h.windows().setupWindow()->stepTypeOption(1)->click();
        QString stepType;
        SavedAndRead(h, &stepType);
        EXPECT_EQ(stepType, QStringLiteral("Fixed"));

        h.problem().StepType = QStringLiteral("Variable"); // as in another session
        h.dialogs.answerOpen(h.path("run.sso"));
        h.clickTool("Open_button");
        EXPECT_EQ(TrialLevels(h), c.trial);
        EXPECT_TRUE(h.windows().setupWindowLoaded()->stepTypeOption(1)->isChecked());
    }
}

// A refused command is shown its message and changes nothing at all: not
// the record, the unsaved state, the undo snapshot, the buttons or the
// windows.
TEST(RunProtectionTest, RefusedCommandsChangeNothing)
{
    using shell::MessageAnswer;
    const auto critical = [](const char* title, const char* text) {
        return shell::MessageRequest{title, text, core::MessageIcon::Critical};
    };
    const auto countToThree = [](ProgramHarness& h) {
        ProgramHarness::typeInto(h.windows().setupWindowLoaded()->countBox(), QStringLiteral("3"));
    };
    const char* putBack = "The number of factors has changed since the initial simplex was defined.  Put it back to 2 "
                          "to go on with this run, or define the factors and the initial simplex again.";
    const struct {
        const char* name;
        std::function<void(ProgramHarness&)> prepare;
        std::function<void(ProgramHarness&)> command;
        shell::MessageRequest message;
    } cases[] = {
        {"a level typed beyond the limits", {},
         [](ProgramHarness& h) {
             ProgramHarness::editCell(*h.windows().stepsWindow()->grid(), 2, 1, QStringLiteral("500"));
             h.nextStep(QStringLiteral("70"));
         },
         critical("Data Input Error", "The level of factor Temp is greater than the upper limit you specified.  "
                                      "The upper limit specified was 80.")},
        {"Next Step after the number of factors changed", countToThree,
         [](ProgramHarness& h) { h.nextStep(QStringLiteral("70")); }, critical("Notice", putBack)},
        {"Begin Optimization after the number of factors changed", countToThree,
         [](ProgramHarness& h) { ProgramHarness::click(h.windows().setupWindow()->beginOptimizationButton()); },
         critical("Notice", putBack)},
        {"File > Open over unsaved work answered No", {},
         [](ProgramHarness& h) {
             h.dialogs.answerOpen(h.path("other.sso"));
             h.dialogs.answerMessage(MessageAnswer::No);
             h.clickTool("Open_button");
         },
         {"Warning!", "Your data has not been saved.  Do you want to open another problem?",
          core::MessageIcon::Critical, shell::MessageButtons::YesNo, MessageAnswer::No}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProgramHarness h;
        h.startKnownRun();
        h.dialogs.answerSave(h.path("other.sso"));
        h.triggerMenu("mnufilesave");
        h.nextStep(QStringLiteral("77.26"));
        if (c.prepare)
            c.prepare(h);
        h.dialogs.clear();
        const QStringList record = RecordLines(h.problem());
        const QStringList snapshot = FileLines(h.program().snapshots().undoPath());
        const QStringList windows = h.openWindows();
        const QStringList trial = TrialLevels(h);
        const bool undo = h.undoEnabled();

        if (c.message.buttons == shell::MessageButtons::Ok)
            h.dialogs.answerMessage(MessageAnswer::Ok);
        c.command(h);
        EXPECT_EQ(h.dialogs.messages(), std::vector<shell::MessageRequest>{c.message});
        EXPECT_EQ(RecordLines(h.problem()), record);
        EXPECT_EQ(h.runTime().Modified, "yes");
        EXPECT_EQ(FileLines(h.program().snapshots().undoPath()), snapshot);
        EXPECT_EQ(h.undoEnabled(), undo);
        EXPECT_EQ(h.openWindows(), windows);
        if (c.message.title != "Data Input Error") {
            EXPECT_EQ(TrialLevels(h), trial);
        }
    }
}

} // namespace
} // namespace zeltomir::app::test
