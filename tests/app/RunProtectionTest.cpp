// A run in progress survives what a user does next to it: limits or goal
// changed mid-run, a save and an open. Each case drives the real windows and
// reads the saved problem file back.

#include "ProgramHarness.h"

#include "core/StateFile.h"
#include "shell/GridWidget.h"
#include "simplex/VertexSummary.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"

#include <QRadioButton>

#include <gtest/gtest.h>

namespace zeltomir::app::test {
namespace {

// The known run (Temp 20..80, Time 10..50) after two more results.
void RunTwoSteps(ProgramHarness& h)
{
    h.startKnownRun();
    h.nextStep("77.26");
    h.nextStep("74.04");
}

QStringList TrialLevels(ProgramHarness& h)
{
    const shell::GridWidget& grid = *h.windows().stepsWindow()->grid();
    return {grid.cell(2, 1), grid.cell(2, 2)};
}

QStringList SummaryLevels(const core::OptimizationProblem& problem)
{
    QStringList levels;
    for (const simplex::VertexSummaryRow& row : simplex::BuildVertexSummary(problem).rows)
        levels += row.levels;
    return levels;
}

core::OptimizationProblem SavedAndRead(ProgramHarness& h, QString* stepType = nullptr)
{
    const QString path = h.path("run.sso");
    h.dialogs.answerSave(path);
    h.triggerMenu("mnufilesave");
    core::OptimizationProblem read;
    core::ResetToStartup(read);
    EXPECT_TRUE(core::ReadStateFile(path, read, stepType).ok);
    return read;
}

TEST(RunProtectionTest, LimitsChangedMidRunKeepEveryLevelRunAndTheNextTrial)
{
    ProgramHarness steady;
    ProgramHarness changed;
    RunTwoSteps(steady);
    RunTwoSteps(changed);
    changed.fillFactors({{"Temp", "0", "100", "2"}, {"Time", "10", "50", "1"}});
    EXPECT_EQ(SummaryLevels(changed.problem()), SummaryLevels(steady.problem()));

    steady.nextStep("83.33");
    changed.nextStep("83.33");
    EXPECT_EQ(TrialLevels(changed), TrialLevels(steady));
    EXPECT_EQ(SummaryLevels(SavedAndRead(changed)), SummaryLevels(steady.problem()));
}

TEST(RunProtectionTest, GoalChangedMidRunScoresTheRunAnewAndUndoBringsItBack)
{
    ProgramHarness h;
    RunTwoSteps(h);
    const QStringList trial = TrialLevels(h);
    simplex::SetupWindow& setup = *h.windows().setupWindow();
    setup.goalOption(1)->click();
    EXPECT_TRUE(h.undoEnabled());
    EXPECT_EQ(TrialLevels(h), trial);

    // Every objective is the negative result, and the retained rows rank
    // from the highest result (the worst when minimising) up.
    const core::OptimizationProblem read = SavedAndRead(h);
    for (int v = 1; v <= read.NumVertices; ++v)
        EXPECT_EQ(read.VertexHistory.value(6, v), -read.VertexHistory.value(3, v)) << "vertex " << v;
    EXPECT_GE(read.Simplex.value(3, 2), read.Simplex.value(3, 3));

    h.clickTool("undo_button");
    EXPECT_EQ(h.problem().Goal, QStringLiteral("max"));
    EXPECT_TRUE(h.windows().setupWindow()->goalOption(0)->isChecked());
    EXPECT_EQ(h.problem().VertexHistory.value(6, 4), h.problem().VertexHistory.value(3, 4));
}

TEST(RunProtectionTest, FixedStepsAndTheTrialOnShowComeBackFromTheFile)
{
    const struct {
        int steps;           // results entered after Begin Optimization
        QStringList trial;   // on show, as proposed
    } cases[] = {
        {5, {"35.12", "37.1"}},           // a reflection, rounded to the decimals
        {6, {"38.69141", "40.21484"}},    // an extension, at the precision the file holds
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
        EXPECT_EQ(h.problem().StepType, QStringLiteral("Fixed"));
        EXPECT_EQ(TrialLevels(h), c.trial);
        EXPECT_TRUE(h.windows().setupWindowLoaded()->stepTypeOption(1)->isChecked());
    }
}

} // namespace
} // namespace zeltomir::app::test
