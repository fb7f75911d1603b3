#include "WindowHarness.h"

#include "simplex/ResponseSetup.h"

#include <QLabel>
#include <QMdiSubWindow>
#include <QTableView>
#include <QToolButton>

#include <cmath>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

// Temp 20..80 and Time 10..50, results 41.13, 77.65, 53.13: the first trial
// is the reverse contraction at Temp 50, Time 20.
void StartSteps(WindowHarness& h)
{
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    h.commitInitialSimplex({"41.13", "77.65", "53.13"});
    h.beginOptimization();
}

TEST(StepsWindowTest, BeginOptimizationFillsTheWindow)
{
    WindowHarness h;
    StartSteps(h);
    StepsWindow& steps = h.steps();
    EXPECT_EQ(steps.windowTitle(), QStringLiteral("Simplex Optimization"));
    EXPECT_EQ(steps.grid()->cell(1, 0), QStringLiteral("Factor"));
    EXPECT_EQ(steps.grid()->cell(2, 0), QStringLiteral("Level"));
    EXPECT_EQ(steps.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Result:"));
    EXPECT_EQ(steps.nextStepButton()->text(), QStringLiteral("Next Step"));
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(h.problem.FirstStepPending, QStringLiteral("yes"));
    EXPECT_TRUE(steps.resultBox()->hasFocus());
    EXPECT_FALSE(steps.responseGrid()->isVisible());
    EXPECT_EQ(h.runTime.FocusTarget, QStringLiteral("text"));
    steps.grid()->setFocus();
    EXPECT_EQ(h.runTime.FocusTarget, QStringLiteral("ss"));
}

// A result that is no number is refused, and nothing changes: above all the
// snapshot that undoes the last real step stays as it was.
TEST(StepsWindowTest, ResultMustBeNumeric)
{
    const char* results[] = {"", "abc", "1,5", "   "};
    for (const char* result : results) {
        SCOPED_TRACE(result);
        WindowHarness h;
        StartSteps(h);
        h.mainWindow().setUndoEnabled(false);
        h.mainWindow().setRedoEnabled(true);
        const QByteArray before = FileBytes(h.snapshots().undoPath());
        WindowHarness::typeInto(h.steps().resultBox(), QLatin1String(result));
        h.dialogs.answerMessage(MessageAnswer::Ok);
        h.click(h.steps().nextStepButton());
        ASSERT_EQ(h.dialogs.messages().size(), 1u);
        EXPECT_EQ(h.dialogs.messages().front(),
                  (MessageRequest{"Data Input Error", "The result must be numeric.", core::MessageIcon::Critical}));
        EXPECT_TRUE(h.steps().resultBox()->hasFocus());
        EXPECT_EQ(h.problem.NumVertices, 3);
        EXPECT_EQ(h.steps().instructionLabel()->text(), QStringLiteral("Contract in the Reverse Direction"));
        EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("SeqSimplexInitialize"));
        EXPECT_EQ(h.problem.FirstStepPending, QStringLiteral("yes"));
        EXPECT_EQ(FileBytes(h.snapshots().undoPath()), before);
        EXPECT_FALSE(h.undoEnabled());
        EXPECT_TRUE(h.redoEnabled());
    }
}

// Enter in the result box (either Enter key) is the Next Step button.
TEST(StepsWindowTest, EnterInTheResultBoxActsLikeNextStep)
{
    const struct {
        const char* name;
        Qt::Key key; // Qt::Key_unknown: the button
    } triggers[] = {{"button", Qt::Key_unknown}, {"Return", Qt::Key_Return}, {"keypad Enter", Qt::Key_Enter}};
    std::optional<core::OptimizationProblem> byButton;
    for (const auto& t : triggers) {
        SCOPED_TRACE(t.name);
        WindowHarness h;
        StartSteps(h);
        WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("1e2"));
        if (t.key == Qt::Key_unknown)
            h.click(h.steps().nextStepButton());
        else
            QTest::keyClick(h.steps().resultBox(), t.key);
        EXPECT_EQ(h.problem.NumVertices, 4);
        // Exponent notation is a number.
        EXPECT_EQ(h.problem.VertexHistory.value(3, 4), 100.0);
        EXPECT_EQ(h.steps().grid()->cell(2, 1), QStringLiteral("27.5"));
        EXPECT_EQ(h.steps().grid()->cell(2, 2), QStringLiteral("22.5"));
        EXPECT_TRUE(h.steps().resultBox()->text().isEmpty());
        if (!byButton)
            byButton = h.problem;
        else
            EXPECT_TRUE(h.problem == *byButton);
    }
}

// A level the user changed in the grid is what the vertex records; one that
// is not a number refuses the step and the focus goes to the grid.
TEST(StepsWindowTest, LevelsAreReadBackFromTheGrid)
{
    WindowHarness h;
    StartSteps(h);
    shell::GridWidget& grid = *h.steps().grid();
    WindowHarness::editCell(grid, 2, 1, QStringLiteral("x"));
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("70"));
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(h.steps().nextStepButton());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front().text, QStringLiteral("The level of factor Temp is not numeric."));
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(h.problem.NumVertices, 3);

    WindowHarness::editCell(grid, 2, 1, QStringLiteral("65"));
    h.click(h.steps().nextStepButton());
    EXPECT_EQ(h.problem.NumVertices, 4);
    EXPECT_DOUBLE_EQ(h.problem.VertexHistory.value(1, 4), 0.75); // (65 - 20) / 60
}

TEST(StepsWindowTest, ActivationAndPrintButton)
{
    WindowHarness h;
    StartSteps(h);
    h.windows().openSetupWindow();
    QToolButton* print = h.mainWindow().toolButton(QStringLiteral("btnPrint"));
    EXPECT_FALSE(print->isEnabled());
    h.mainWindow().menuAction(QStringLiteral("mnuSimplexSteps"))->trigger();
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("SimplexSteps"));
    EXPECT_TRUE(print->isEnabled());
    // A successful step enables the print button again.
    print->setEnabled(false);
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("70"));
    h.click(h.steps().nextStepButton());
    EXPECT_TRUE(print->isEnabled());
}

// The trial lives in the record: the window closed in mid-run comes back
// with it from the View menu.
TEST(StepsWindowTest, ReopenedFromTheViewMenuWithTheTrial)
{
    WindowHarness h;
    StartSteps(h);
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("77.26"));
    h.click(h.steps().nextStepButton());
    h.steps().subWindow()->close();
    ASSERT_EQ(h.windows().stepsWindow(), nullptr);
    h.mainWindow().menuAction(QStringLiteral("mnuSimplexSteps"))->trigger();
    StepsWindow& steps = h.steps();
    EXPECT_EQ(steps.grid()->maxRows(), 2);
    EXPECT_EQ(steps.grid()->cell(1, 2), QStringLiteral("Time"));
    EXPECT_EQ(steps.grid()->cell(2, 1), QStringLiteral("27.5"));
    EXPECT_EQ(steps.grid()->cell(2, 2), QStringLiteral("22.5"));
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("SimplexSteps"));
    EXPECT_TRUE(steps.resultBox()->hasFocus());

    // Before any optimisation the window opens empty.
    WindowHarness fresh;
    fresh.mainWindow().menuAction(QStringLiteral("mnuSimplexSteps"))->trigger();
    EXPECT_EQ(fresh.steps().grid()->maxRows(), 0);
    EXPECT_TRUE(fresh.steps().instructionLabel()->text().isEmpty());
}

// The window closed after a refused first result comes back with the first
// reflection's instruction, not empty.
TEST(StepsWindowTest, ReopenedAfterARefusedFirstResultWithTheFirstInstruction)
{
    WindowHarness h;
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});
    // The vertex at the lower limits is the worst: its reflection (80, 50) comes first.
    h.commitInitialSimplex({"60", "70", "41.13"});
    h.beginOptimization();
    ASSERT_EQ(h.steps().instructionLabel()->text(), QStringLiteral("Evaluate the Reflection (R)"));
    WindowHarness::typeInto(h.steps().resultBox(), QStringLiteral("abc"));
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(h.steps().nextStepButton());
    h.steps().subWindow()->close();
    ASSERT_EQ(h.windows().stepsWindow(), nullptr);
    h.mainWindow().menuAction(QStringLiteral("mnuSimplexSteps"))->trigger();
    StepsWindow& steps = h.steps();
    EXPECT_EQ(steps.grid()->cell(2, 1), QStringLiteral("80"));
    EXPECT_EQ(steps.grid()->cell(2, 2), QStringLiteral("50"));
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Evaluate the Reflection (R)"));
}

// Whether the user can open an editor on a level cell.
bool LevelEditable(StepsWindow& steps, int row)
{
    auto* view = steps.grid()->findChild<QTableView*>();
    steps.grid()->setCurrentCell(2, row);
    view->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(view, Qt::Key_F2);
    QWidget* editor = view->indexWidget(view->currentIndex());
    if (editor)
        QTest::keyClick(editor, Qt::Key_Escape);
    return editor != nullptr;
}

// Vertex 2, the best, counted in a fourth simplex: the advice names it, so
// the list comes with it selected. Measured again as 30 it is the lowest,
// and the next trial moves away from it (its reflection and the forward
// contraction leave the limits).
TEST(StepsWindowTest, MeasureAgainShowsTheVertexAndNextStepRecordsIt)
{
    WindowHarness h;
    StartSteps(h);
    h.problem.VertexHistory.at(5, 2) = 4;
    StepsWindow& steps = h.steps();
    ASSERT_EQ(steps.measureAgainButton()->text(), QStringLiteral("Measure Again..."));
    ASSERT_TRUE(steps.trialFailedButton()->isEnabled());
    h.dialogs.answerChoice(1);
    h.click(steps.measureAgainButton());
    const shell::ChoiceRequest expected{"Measure Again",
                                        "Which vertex of the current simplex is to be measured again?",
                                        {"Vertex", "Temp", "Time", "Result"},
                                        {{"1", "80.00", "10.0", "41.13"},
                                         {"2", "20.00", "50.0", "77.65"},
                                         {"3", "20.00", "10.0", "53.13"}},
                                        1};
    ASSERT_EQ(h.dialogs.choices().size(), 1u);
    EXPECT_TRUE(h.dialogs.choices().front() == expected);
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Measure Vertex 2 Again"));
    EXPECT_EQ(steps.grid()->cell(2, 1), QStringLiteral("20"));
    EXPECT_EQ(steps.grid()->cell(2, 2), QStringLiteral("50"));
    EXPECT_EQ(steps.measureAgainButton()->text(), QStringLiteral("Cancel Measure Again"));
    EXPECT_FALSE(LevelEditable(steps, 1));
    EXPECT_EQ(h.runTime.Modified, QStringLiteral("yes"));

    WindowHarness::typeInto(steps.resultBox(), QStringLiteral("30"));
    h.click(steps.nextStepButton());
    EXPECT_TRUE(h.dialogs.messages().empty());
    EXPECT_EQ(h.problem.NumVertices, 4);
    EXPECT_EQ(h.problem.VertexHistory.value(4, 4), 5); // type "A"
    EXPECT_EQ(h.problem.VertexHistory.value(3, 4), 30);
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(steps.grid()->cell(2, 1), QStringLiteral("35"));
    EXPECT_EQ(steps.grid()->cell(2, 2), QStringLiteral("30"));
    EXPECT_EQ(steps.measureAgainButton()->text(), QStringLiteral("Measure Again..."));
    EXPECT_TRUE(LevelEditable(steps, 1));
    EXPECT_TRUE(h.undoEnabled());
}

// A list cancelled changes nothing; a re-measurement waiting comes back
// with a reopened window, and Cancel Measure Again puts back the trial. No
// list is shown while there is nothing to choose from.
TEST(StepsWindowTest, MeasureAgainCancelled)
{
    WindowHarness h;
    StartSteps(h);
    const core::OptimizationProblem begun = h.problem;
    h.dialogs.answerChoice(std::nullopt);
    h.click(h.steps().measureAgainButton());
    EXPECT_TRUE(h.problem == begun);
    EXPECT_EQ(h.steps().measureAgainButton()->text(), QStringLiteral("Measure Again..."));

    h.dialogs.answerChoice(2);
    h.click(h.steps().measureAgainButton());
    h.steps().subWindow()->close();
    h.mainWindow().menuAction(QStringLiteral("mnuSimplexSteps"))->trigger();
    StepsWindow& steps = h.steps();
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Measure Vertex 3 Again"));
    EXPECT_EQ(steps.measureAgainButton()->text(), QStringLiteral("Cancel Measure Again"));
    EXPECT_FALSE(LevelEditable(steps, 2));

    h.click(steps.measureAgainButton());
    EXPECT_EQ(h.dialogs.choices().size(), 2u); // no list for the cancel
    EXPECT_TRUE(steps.resultBox()->hasFocus());
    EXPECT_EQ(steps.instructionLabel()->text(), QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(steps.grid()->cell(2, 1), QStringLiteral("50"));
    EXPECT_EQ(steps.grid()->cell(2, 2), QStringLiteral("20"));
    EXPECT_EQ(steps.measureAgainButton()->text(), QStringLiteral("Measure Again..."));
    EXPECT_TRUE(LevelEditable(steps, 2));
    EXPECT_EQ(h.problem.NumVertices, 3);


    WindowHarness fresh;
    fresh.mainWindow().menuAction(QStringLiteral("mnuSimplexSteps"))->trigger();
    fresh.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(fresh.steps().measureAgainButton());
    EXPECT_TRUE(fresh.dialogs.choices().empty());
    EXPECT_EQ(fresh.dialogs.messages().size(), 1u);
}

// No leaves the trial on show; Yes records it failed (result 0) and shows
// the next trial, with an undo snapshot as for Next Step.
TEST(StepsWindowTest, TrialFailedAsksFirst)
{
    WindowHarness h;
    StartSteps(h);
    h.mainWindow().setUndoEnabled(false);
    const MessageRequest question{"Warning!",
                                  "Record the trial on show as failed?  The simplex will treat it as the worst result.",
                                  core::MessageIcon::Question, shell::MessageButtons::YesNo, MessageAnswer::No};
    h.dialogs.answerMessage(MessageAnswer::No);
    h.click(h.steps().trialFailedButton());
    EXPECT_EQ(h.problem.NumVertices, 3);
    EXPECT_FALSE(h.undoEnabled());

    h.dialogs.answerMessage(MessageAnswer::Yes);
    h.click(h.steps().trialFailedButton());
    EXPECT_EQ(h.dialogs.messages(), (std::vector<MessageRequest>{question, question}));
    EXPECT_EQ(h.problem.NumVertices, 4);
    EXPECT_EQ(h.problem.VertexHistory.value(3, 4), 0);
    EXPECT_EQ(h.problem.VertexHistory.value(4, 4), 4); // the reverse contraction on show
    EXPECT_EQ(h.problem.VertexHistory.value(6, 4), -1e300);
    EXPECT_EQ(h.steps().instructionLabel()->text(), QStringLiteral("Contract in the Reverse Direction"));
    EXPECT_EQ(h.steps().grid()->cell(2, 1), QStringLiteral("27.5"));
    EXPECT_EQ(h.steps().grid()->cell(2, 2), QStringLiteral("22.5"));
    EXPECT_TRUE(h.undoEnabled());
    EXPECT_EQ(h.runTime.Modified, QStringLiteral("yes"));
}

// Types into the focused cell, each key to the widget with the focus (the
// first opens the cell's editor), and presses Enter; the delegate commits
// an editor's text when the event loop next runs.
void TypeAndEnter(const QString& text)
{
    for (const QChar c : text)
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
}

// Two responses from the initial simplex to three steps: a result column
// per response, the values typed into the steps window's response grid with
// Enter, and the trial's desirabilities under it.
TEST(StepsWindowTest, TwoResponsesThroughTheResultGrid)
{
    WindowHarness h;
    core::ResponseDefinition yield{QStringLiteral("Yield"), core::ResponseGoal::Maximize, 40, 90};
    core::ResponseDefinition hardness{QStringLiteral("Hardness"), core::ResponseGoal::Minimize, 2, 8};
    ASSERT_TRUE(DefineResponses(h.problem, {yield, hardness}).ok);
    h.defineProblem({{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}});

    h.click(h.setup().defineInitialSimplexButton());
    shell::GridWidget& initial = *h.initialSimplex().grid();
    ASSERT_EQ(initial.maxCols(), 4);
    EXPECT_EQ(initial.cell(3, 0), QStringLiteral("Yield"));
    EXPECT_EQ(initial.cell(4, 0), QStringLiteral("Hardness"));
    const QStringList initialValues[] = {{"50", "5"}, {"70", "3"}, {"60", "6"}};
    for (int row = 1; row <= 3; ++row) {
        WindowHarness::editCell(initial, 3, row, initialValues[row - 1][0]);
        WindowHarness::editCell(initial, 4, row, initialValues[row - 1][1]);
    }
    h.click(h.initialSimplex().continueButton());
    ASSERT_EQ(h.windows().initialSimplexWindow(), nullptr);
    EXPECT_FLOAT_EQ(h.problem.VertexResponses.value(2, 2), 3.0f);
    h.beginOptimization();

    StepsWindow& steps = h.steps();
    shell::GridWidget& results = *steps.responseGrid();
    EXPECT_FALSE(steps.resultBox()->isVisible());
    ASSERT_EQ(results.maxRows(), 2);
    EXPECT_EQ(results.cell(1, 0), QStringLiteral("Response"));
    EXPECT_EQ(results.cell(2, 0), QStringLiteral("Result"));
    EXPECT_EQ(results.cell(1, 2), QStringLiteral("Hardness"));
    EXPECT_TRUE(results.hasFocus());

    // Enter on the first row moves down; an empty last value is refused by name.
    TypeAndEnter(QStringLiteral("65"));
    EXPECT_EQ(results.currentRow(), 2);
    EXPECT_EQ(h.problem.NumVertices, 3);
    h.dialogs.answerMessage(MessageAnswer::Ok);
    TypeAndEnter(QString());
    ASSERT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(h.dialogs.messages().front().text, QStringLiteral("The result of Hardness must be numeric."));
    EXPECT_EQ(results.currentRow(), 2);
    EXPECT_EQ(h.problem.NumVertices, 3);

    TypeAndEnter(QStringLiteral("4"));
    EXPECT_EQ(h.problem.NumVertices, 4);
    EXPECT_EQ(steps.desirabilityLabel()->text(), QStringLiteral("D = 0.577  (Yield 0.5, Hardness 0.667)"));
    EXPECT_TRUE(results.cell(2, 1).isEmpty());
    EXPECT_EQ(results.currentRow(), 1);

    for (const char* value : {"70", "3", "55", "5"})
        TypeAndEnter(QLatin1String(value));
    EXPECT_EQ(h.problem.NumVertices, 6);
    EXPECT_FLOAT_EQ(h.problem.VertexResponses.value(1, 6), 55.0f);
    EXPECT_EQ(steps.desirabilityLabel()->text(), QStringLiteral("D = 0.387  (Yield 0.3, Hardness 0.5)"));
    EXPECT_NEAR(h.problem.VertexHistory.value(3, 6), 0.387, 1e-3);

    // Correct Result asks which response, then for its value; the summary
    // shows the value and the D worked out anew.
    h.windows().showVertexSummary();
    shell::GridWidget& summary = *h.summary().grid();
    auto* view = summary.findChild<QTableView*>();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(0, 1)).center());
    h.dialogs.answerChoice(1);
    h.dialogs.answerText(QStringLiteral("2"));
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.mainWindow().menuAction(QStringLiteral("mnuCorrectResult"))->trigger();
    ASSERT_EQ(h.dialogs.choices().size(), 1u);
    EXPECT_EQ(h.dialogs.choices()[0].rows, (std::vector<QStringList>{{"Yield", "50"}, {"Hardness", "5"}}));
    EXPECT_EQ(h.dialogs.textRequests().back(),
              (shell::TextRequest{"Correct Result", "The result of Hardness at vertex 1:", "5"}));
    EXPECT_EQ(summary.cell(5, 1), QStringLiteral("2"));
    EXPECT_EQ(summary.cell(7, 1), QStringLiteral("Initial (corrected)"));
    EXPECT_FLOAT_EQ(h.problem.VertexHistory.value(3, 1), std::sqrt(0.2f));
}

} // namespace
} // namespace zeltomir::simplex::test
