#pragma once

// The steps window "SimplexSteps": the trial to run next (factor names and
// levels), its instruction, and the box for the measured result. Next Step,
// or Enter in the result box, hands the result to the engine and shows the
// trial it proposes next. Measure Again puts a vertex of the current simplex
// on show to be measured anew (its levels cannot be edited then, and the
// button cancels it); Trial Failed records the trial on show as one that
// could not be run.
//
// With several responses defined the result box gives way to a small grid
// (Response, Result), one row per response: Enter moves down and, on the
// last row, is Next Step. Under it, after a step, the overall desirability
// D of the vertex just recorded and each response's d.

#include "simplex/EngineTypes.h"
#include "simplex/NextStep.h"
#include "simplex/windows/SimplexChildWindow.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::simplex {

class StepsWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    explicit StepsWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    shell::GridWidget* grid() const { return m_grid; }            // ss
    QLineEdit* resultBox() const { return m_result; }             // Text1
    // With several responses: their values (ssResults) and the trial's D.
    shell::GridWidget* responseGrid() const { return m_responses; }

    // The result box for one response, or a row for each of several, as the
    // record defines them now; values typed for other responses are dropped.
    void showResultEntry();
    QLabel* desirabilityLabel() const { return m_desirability; }  // lblDesirability
    QLabel* instructionLabel() const { return m_instruction; }    // Label2
    QPushButton* nextStepButton() const { return m_nextStep; }    // Command1
    QPushButton* measureAgainButton() const { return m_measureAgain; } // cmdMeasureAgain
    QPushButton* trialFailedButton() const { return m_trialFailed; }   // cmdTrialFailed
    // Shown for a run on a simulated process only.
    QPushButton* runTrialButton() const { return m_runTrial; }         // cmdRunTrial

    // Writes a trial: the factor names when given, the levels, the
    // instruction; the result box is emptied.
    void showSteps(const StepsContent& content);
    // Puts the focus where the result is typed: the result box, or the
    // response grid at `row` (1 = the first response).
    void focusResult(int row = 1);

    void nextStep();
    // Asks which vertex of the current simplex to measure again and shows
    // it; while one waits, cancels it instead.
    void measureAgain();
    void trialFailed();
    // Measures the trial on show on the simulated process, as the next
    // vertex, into the result box; the learner still presses Next Step.
    void runTrial();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StepInput stepInput();
    // Shows the result box or the response grid, whichever the problem's
    // responses call for; the grid is built anew when they changed.
    // Enter committed a response value: the next row, or Next Step.
    void responseEntered();
    // The D and each d of vertex v's responses; empty for 0.
    void showDesirability(int v);
    // Shows what a command answered: its messages, the trial it put on
    // show, the plot brought up to date, and the focus.
    void present(const StepsOutcome& answer);
    // Which vertex to measure again, asked through the dialog service; 0
    // when the user cancelled.
    int chooseVertexToMeasureAgain();

    shell::GridWidget* m_grid = nullptr;
    QLabel* m_resultLabel = nullptr;
    QLineEdit* m_result = nullptr;
    shell::GridWidget* m_responses = nullptr;
    QLabel* m_desirability = nullptr;
    QGroupBox* m_status = nullptr;
    QLabel* m_instruction = nullptr;
    QPushButton* m_nextStep = nullptr;
    QPushButton* m_measureAgain = nullptr;
    QPushButton* m_trialFailed = nullptr;
    QPushButton* m_runTrial = nullptr;
};

} // namespace zeltomir::simplex
