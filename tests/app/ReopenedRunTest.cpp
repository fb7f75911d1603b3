// A run taken away from memory and brought back, through the real windows:
// saved and opened again it goes on as the run that never stopped; opened
// over unsaved work, Undo brings that work back as it was.

#include "ProgramHarness.h"

#include "core/StateFile.h"
#include "shell/GridWidget.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace zeltomir::app::test {
namespace {

using shell::MessageAnswer;

struct Shown {
    QStringList levels;
    QString instruction;
    friend bool operator==(const Shown&, const Shown&) = default;
};

void PrintTo(const Shown& shown, std::ostream* out)
{
    *out << shown.levels.join(' ').toStdString() << " / " << shown.instruction.toStdString();
}

Shown TrialShown(ProgramHarness& h)
{
    simplex::StepsWindow* steps = h.windows().stepsWindow();
    if (!steps)
        return {};
    const shell::GridWidget& grid = *steps->grid();
    QStringList levels;
    for (int row = 1; row <= grid.maxRows(); ++row)
        levels << grid.cell(2, row);
    return {levels, steps->findChild<QLabel*>(QStringLiteral("Label2"))->text()};
}

struct RecordedRun {
    const char* name;
    QList<QStringList> factors;
    const char* target; // goal "mid" when given, else maximise
    QList<QStringList> initial;
    QStringList results;
    int reopenAfter; // steps
};

// The problem saved, cleared by File > New and opened from its file again.
void SaveAndOpenAgain(ProgramHarness& h)
{
    h.dialogs.answerSave(h.path("run.sso"));
    h.triggerMenu("mnufilesave");
    h.dialogs.answerMessage(MessageAnswer::Yes);
    h.triggerMenu("mnufilenew");
    h.dialogs.answerOpen(h.path("run.sso"));
    h.clickTool("Open_button");
}

void Start(ProgramHarness& h, const RecordedRun& run)
{
    h.fillFactors(run.factors);
    if (run.target) {
        simplex::SetupWindow* setup = h.windows().setupWindow();
        ProgramHarness::typeInto(setup->targetBox(), QLatin1String(run.target));
        setup->goalOption(2)->click();
    }
    h.fillInitialSimplexRows(run.initial);
    h.beginOptimization();
}

TEST(ReopenedRunTest, ASavedRunOpenedAgainGoesOnAsTheRunInMemory)
{
    const RecordedRun runs[] = {
        // Run at 9.5, the level would come back as 9.49999928474426.
        {"levels of one decimal",
         {{"Heat", "-10", "20", "1"}, {"Flow", "100", "200", "0"}},
         nullptr,
         {{"9.5", "150", "10"}, {"15.5", "150", "12"}, {"9.5", "185", "11"}},
         {"14", "15", "13", "16", "17", "12", "18"},
         2},
        // The objective 1/3 of the result 7 would come back larger than 1/3:
        // "Contract in the Reverse Direction" instead of "Use the Reflection".
        {"a target",
         {{"A", "40", "50", "2"}, {"B", "40", "50", "2"}},
         "10",
         {{"42", "41", "7"}, {"45", "41", "4"}, {"42", "44", "12"}},
         {"4", "13", "7", "11", "9.5"},
         1},
    };
    for (const RecordedRun& run : runs) {
        SCOPED_TRACE(run.name);
        ProgramHarness steady;
        ProgramHarness reopened;
        Start(steady, run);
        Start(reopened, run);
        for (int step = 0; step < run.results.size(); ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step + 1);
            if (step == run.reopenAfter) {
                SaveAndOpenAgain(reopened);
                EXPECT_EQ(TrialShown(reopened), TrialShown(steady));
            }
            steady.nextStep(run.results[step]);
            reopened.nextStep(run.results[step]);
            ASSERT_EQ(TrialShown(reopened), TrialShown(steady));
        }
        reopened.triggerMenu("mnuVertexSummary");
        steady.triggerMenu("mnuVertexSummary");
        const shell::GridWidget& summary = *reopened.windows().vertexSummaryWindow()->grid();
        EXPECT_EQ(summary.cell(2, 1), steady.windows().vertexSummaryWindow()->grid()->cell(2, 1));
        EXPECT_EQ(RecordLines(reopened.problem()), RecordLines(steady.problem()));
    }
    // What the first run shows of its first vertex, as it was typed.
    ProgramHarness h;
    Start(h, runs[0]);
    SaveAndOpenAgain(h);
    h.triggerMenu("mnuVertexSummary");
    EXPECT_EQ(h.windows().vertexSummaryWindow()->grid()->cell(2, 1), "9.5");
}

TEST(ReopenedRunTest, UndoAfterOpeningOverUnsavedWorkBringsItBackAsItWas)
{
    ProgramHarness h;
    h.startKnownRun();
    h.nextStep("77.26");
    const QString other = h.path("other.sso");
    h.dialogs.answerSave(other);
    h.triggerMenu("mnufilesave");
    const QStringList otherLines = FileLines(other);
    h.dialogs.answerMessage(MessageAnswer::Yes);
    h.triggerMenu("mnufilenew");

    // The work of the day: fixed steps, three results entered, unsaved.
    h.fillFactors({{"Heat", "-10", "20", "1"}, {"Flow", "100", "200", "1"}});
    h.windows().setupWindow()->stepTypeOption(1)->click();
    h.fillInitialSimplexRows({{"9.5", "150", "10"}, {"15.5", "150", "12"}, {"9.5", "185", "11"}});
    h.beginOptimization();
    for (const char* result : {"14", "15", "13"})
        h.nextStep(QLatin1String(result));
    ASSERT_EQ(h.runTime().Modified, "yes");
    const QByteArray work = core::StateFileBytes(h.problem());
    const Shown trial = TrialShown(h);
    h.dialogs.clear();

    h.dialogs.answerOpen(other);
    h.dialogs.answerMessage(MessageAnswer::Yes);
    h.clickTool("Open_button");
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front(),
              (shell::MessageRequest{"Warning!", "Your data has not been saved.  Do you want to open another problem?",
                                     core::MessageIcon::Critical, shell::MessageButtons::YesNo, MessageAnswer::No}));
    EXPECT_EQ(RecordLines(h.problem()), otherLines);
    EXPECT_EQ(h.runTime().Modified, "no");
    EXPECT_EQ(h.problem().StepType, "Variable");
    EXPECT_TRUE(h.undoEnabled());

    h.clickTool("undo_button");
    EXPECT_EQ(core::StateFileBytes(h.problem()), work);
    EXPECT_EQ(h.problem().StepType, "Fixed");
    EXPECT_EQ(h.runTime().Modified, "yes");
    EXPECT_EQ(TrialShown(h), trial);

    h.clickTool("redo_button");
    EXPECT_EQ(RecordLines(h.problem()), otherLines);
    EXPECT_EQ(h.problem().StepType, "Variable");
    EXPECT_EQ(h.runTime().Modified, "no");
}

} // namespace
} // namespace zeltomir::app::test
