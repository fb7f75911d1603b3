#pragma once

// The steps window "SimplexSteps": the trial to run next (factor names and
// levels), its instruction, and the box for the measured result. Next Step,
// or Enter in the result box, hands the result to the engine and shows the
// trial it proposes next. Measure Again puts a vertex of the current simplex
// on show to be measured anew (its levels cannot be edited then, and the
// button cancels it); Trial Failed records the trial on show as one that
// could not be run.

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
    QLabel* instructionLabel() const { return m_instruction; }    // Label2
    QPushButton* nextStepButton() const { return m_nextStep; }    // Command1
    QPushButton* measureAgainButton() const { return m_measureAgain; } // cmdMeasureAgain
    QPushButton* trialFailedButton() const { return m_trialFailed; }   // cmdTrialFailed
    // Shown for a run on a simulated process only.
    QPushButton* runTrialButton() const { return m_runTrial; }         // cmdRunTrial

    // Writes a trial: the factor names when given, the levels, the
    // instruction; the result box is emptied.
    void showSteps(const StepsContent& content);

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
    // Shows what a command answered: its messages, the trial it put on
    // show, the plot brought up to date, and the focus.
    void present(const StepsOutcome& answer);
    // Which vertex to measure again, asked through the dialog service; 0
    // when the user cancelled.
    int chooseVertexToMeasureAgain();

    shell::GridWidget* m_grid = nullptr;
    QLabel* m_resultLabel = nullptr;
    QLineEdit* m_result = nullptr;
    QGroupBox* m_status = nullptr;
    QLabel* m_instruction = nullptr;
    QPushButton* m_nextStep = nullptr;
    QPushButton* m_measureAgain = nullptr;
    QPushButton* m_trialFailed = nullptr;
    QPushButton* m_runTrial = nullptr;
};

} // namespace zeltomir::simplex
