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

#include <QRadioButton>

#include <gtest/gtest.h>

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
    h.windows().setupWindow()->goalOption(1)->click();
    EXPECT_EQ(TrialLevels(h), trial);
    // Vertex 2 (77.65) is the best result when maximising and now the worst:
    // the highest of the retained rows 2..3 comes first.
    const core::OptimizationProblem read = SavedAndRead(h);
    EXPECT_EQ(read.VertexHistory.value(6, 2), -read.VertexHistory.value(3, 2));
    EXPECT_EQ(read.Simplex.value(5, 2), 2);

    h.clickTool("undo_button");
    EXPECT_TRUE(h.windows().setupWindow()->goalOption(0)->isChecked());
    EXPECT_EQ(h.problem().VertexHistory.value(6, 2), h.problem().VertexHistory.value(3, 2));
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

} // namespace
} // namespace zeltomir::app::test
