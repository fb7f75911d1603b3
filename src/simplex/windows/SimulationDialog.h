#pragma once

// Practice > Simplex on a Simulated Process...: the process to run the
// simplex on (each with its description), the noise of its measurements,
// the step type and the seed of the run's noise (a new one at a click).

#include "simplex/SimulatedRun.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace zeltomir::simplex {

class SimulationDialog : public QDialog {
    Q_OBJECT

public:
    explicit SimulationDialog(QWidget* parent = nullptr);

    QListWidget* processList() const { return m_processes; }       // lstProcess
    QLabel* descriptionLabel() const { return m_description; }     // lblDescription
    QLineEdit* noiseBox() const { return m_noise; }                // txtNoise
    QLineEdit* seedBox() const { return m_seed; }                  // txtSeed
    QPushButton* newSeedButton() const { return m_newSeed; }       // cmdNewSeed
    QRadioButton* fixedOption() const { return m_fixed; }          // optFixed
    QRadioButton* variableOption() const { return m_variable; }    // optVariable
    QLabel* errorLabel() const { return m_error; }                 // lblError
    QDialogButtonBox* buttons() const { return m_buttons; }        // buttons

    // What the controls hold; nullopt (with the reason in the error label)
    // when the noise or the seed is not one.
    std::optional<SimulationChoice> choice();

    void accept() override;

private:
    void processChosen();

    QListWidget* m_processes = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_noiseLabel = nullptr;
    QLineEdit* m_noise = nullptr;
    QLineEdit* m_seed = nullptr;
    QPushButton* m_newSeed = nullptr;
    QRadioButton* m_fixed = nullptr;
    QRadioButton* m_variable = nullptr;
    QLabel* m_error = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace zeltomir::simplex
