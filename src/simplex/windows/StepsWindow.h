#pragma once

// The steps window "SimplexSteps": the trial to run next (factor names and
// levels), its instruction, and the box for the measured result. Next Step,
// or Enter in the result box, hands the result to the engine and shows the
// trial it proposes next.

#include "simplex/EngineTypes.h"
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

    // Writes a trial: the factor names when given, the levels, the
    // instruction; the result box is emptied.
    void showSteps(const StepsContent& content);

    void nextStep();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    shell::GridWidget* m_grid = nullptr;
    QLabel* m_resultLabel = nullptr;
    QLineEdit* m_result = nullptr;
    QGroupBox* m_status = nullptr;
    QLabel* m_instruction = nullptr;
    QPushButton* m_nextStep = nullptr;
};

} // namespace zeltomir::simplex
